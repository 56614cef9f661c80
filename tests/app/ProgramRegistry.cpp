#include "tests/app/ProgramRegistry.h"

namespace jitswap::test::registry {
namespace {

std::wstring SystemValue(const wchar_t* name, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return L"(absent)";
    wchar_t data[1024] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = REG_NONE;
    const LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? data : L"(absent)";
}

} // namespace

void WriteText(HKEY root, const wchar_t* subkey, const std::wstring& name, const std::wstring& value, REGSAM view)
{
    HKEY key = nullptr;
    RegCreateKeyExW(root, subkey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr);
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void StoreEntry(int slot, const std::wstring& title, const std::wstring& commandLine, bool autoStart,
                const std::wstring& commandLine32)
{
    const std::wstring number = std::to_wstring(slot);
    WriteText(HKEY_CURRENT_USER, kCatalogueKey, L"Title " + number, title);
    WriteText(HKEY_CURRENT_USER, kCatalogueKey, L"Command Line " + number, commandLine);
    if (!commandLine32.empty()) WriteText(HKEY_CURRENT_USER, kCatalogueKey, L"Command Line (32-bit) " + number, commandLine32);
    const DWORD flag = autoStart ? 0xFFFFFFFF : 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, kCatalogueKey, (L"Auto " + number).c_str(), REG_DWORD, &flag, sizeof flag);
}

void SetSystemView(REGSAM view, const std::wstring& debugger, const std::wstring& autoText)
{
    WriteText(HKEY_LOCAL_MACHINE, kAeDebugKey, L"Debugger", debugger, view);
    WriteText(HKEY_LOCAL_MACHINE, kAeDebugKey, L"Auto", autoText, view);
}

void SetSystem(const std::wstring& debugger, const std::wstring& autoText)
{
    for (REGSAM view : kViews) SetSystemView(view, debugger, autoText);
}

std::wstring System()
{
    return SystemValue(L"Debugger", KEY_WOW64_64KEY) + L", " + SystemValue(L"Auto", KEY_WOW64_64KEY) + L" / " +
           SystemValue(L"Debugger", KEY_WOW64_32KEY) + L", " + SystemValue(L"Auto", KEY_WOW64_32KEY);
}

} // namespace jitswap::test::registry
