#include "support/RegistryQuery.h"
#include "support/AutostartRegistry.h"
#include "support/ExecutablePath.h"
#include "support/RegistryKey.h"
#include "support/UniqueHandle.h"
#include "support/Win32Error.h"

namespace jitswap {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring Unquoted(std::wstring text)
{
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') return text.substr(1, text.size() - 2);
    return text;
}

bool SamePath(const std::wstring& left, const std::wstring& right)
{
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

bool AutostartRegistry::IsRegistered(std::wstring_view identity) const
{
    UniqueHKey key;
    ThrowIfFailed(OpenKeyIfPresent(HKEY_CURRENT_USER, kRunKey, KEY_QUERY_VALUE, key),
                  "Reading the start-with-Windows setting");
    if (!key) return false;

    const std::wstring name(identity);
    const auto stored = QueryRegistryValue(key.get(), name.c_str());
    if (!stored) return false;
    const auto command = RegistryValueAsText(stored->type, stored->data);
    // A registration left behind by a copy of the program in another folder does not start this one.
    return command && SamePath(Unquoted(*command), ExecutablePath());
}

bool AutostartRegistry::Register(std::wstring_view identity, int /*options*/)
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const UniqueHKey key(created);
    // Quoted, or a path with blanks would let the system run a program from the path's first part.
    const std::wstring command = L"\"" + ExecutablePath() + L"\"";
    const std::wstring name(identity);
    return WriteRegistryText(key.get(), name.c_str(), command) == ERROR_SUCCESS;
}

bool AutostartRegistry::Unregister(std::wstring_view identity)
{
    UniqueHKey key;
    if (OpenKeyIfPresent(HKEY_CURRENT_USER, kRunKey, KEY_SET_VALUE, key) != ERROR_SUCCESS) return false;
    if (!key) return true;
    const std::wstring name(identity);
    const LSTATUS deleted = RegDeleteValueW(key.get(), name.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

} // namespace jitswap
