#include "support/process/ResourceText.h"
#include "support/win32/Win32Error.h"


namespace jitswap {
namespace {

BOOL CALLBACK TakeFirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR context)
{
    *reinterpret_cast<WORD*>(context) = language;
    return FALSE;
}

// The first language a resource exists in.
WORD ResourceLanguage(HINSTANCE instance, const wchar_t* type, const wchar_t* name)
{
    WORD language = LANG_NEUTRAL;
    EnumResourceLanguagesW(instance, type, name, &TakeFirstLanguage, reinterpret_cast<LONG_PTR>(&language));
    return language;
}

// ANSI text is only meaningful in the code page of the language it was written in; a Russian text
// decoded in a Western code page would be gibberish.
UINT AnsiCodePageOf(WORD language)
{
    if (PRIMARYLANGID(language) == LANG_NEUTRAL) return CP_ACP;
    UINT codePage = 0;
    if (GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<wchar_t*>(&codePage), sizeof codePage / sizeof(wchar_t)) == 0 ||
        codePage == 0) {
        return CP_ACP;
    }
    return codePage;
}

} // namespace

std::wstring qsLoadResTextA(const wchar_t* name, const wchar_t* type)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(instance, name, type);
    if (!resource) ThrowLastError("Finding a text resource");
    HGLOBAL loaded = LoadResource(instance, resource);
    const auto* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes) ThrowLastError("Loading a text resource");
    const DWORD size = SizeofResource(instance, resource);

    std::string_view text(bytes, size);
    text = text.substr(0, text.find('\0'));
    if (text.empty()) return {};
    const UINT codePage = AnsiCodePageOf(ResourceLanguage(instance, type, name));
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length == 0) ThrowLastError("Reading a text resource");
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

} // namespace jitswap
