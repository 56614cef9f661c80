#include "aedebug/DiagnosisReading.h"

#include "aedebug/AeDebugKey.h"
#include "aedebug/CommandLineCheck.h"
#include "support/process/EnvironmentVariable.h"
#include "support/process/ExecutableSearch.h"
#include "support/registry/RegistryKey.h"
#include "support/registry/RegistryQuery.h"
#include "support/win32/Win32Error.h"
#include "support/win32/WindowsBitness.h"
#include "support/win32/WineHost.h"

namespace jitswap {
namespace {

constexpr wchar_t kWerSubkey[] = L"SOFTWARE\\Microsoft\\Windows\\Windows Error Reporting";
// Where Group Policy's "Disable Windows Error Reporting" writes its Disabled, for the machine and
// for the user.
constexpr wchar_t kWerPolicySubkey[] = L"SOFTWARE\\Policies\\Microsoft\\Windows\\Windows Error Reporting";

std::optional<StoredValue> Stored(HKEY key, const wchar_t* name)
{
    const std::optional<RawRegistryValue> raw = QueryRegistryValue(key, name);
    if (!raw) return std::nullopt;
    return StoredValue{raw->type, RegistryValueAsText(raw->type, raw->data).value_or(std::wstring())};
}

// The names of the key's values that hold the number 1 (the form these lists take).
std::vector<std::wstring> NamesSetToOne(HKEY root, const std::wstring& path, REGSAM view)
{
    std::vector<std::wstring> names;
    UniqueHKey key;
    if (OpenKeyIfPresent(root, path.c_str(), KEY_QUERY_VALUE | view, key) != ERROR_SUCCESS || !key) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[MAX_PATH] = {};
        DWORD nameLength = MAX_PATH;
        DWORD type = REG_NONE;
        DWORD data = 0;
        DWORD size = sizeof data;
        const LSTATUS status =
            RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof data && data == 1)
            names.emplace_back(name, nameLength);
    }
    return names;
}

std::wstring FolderText(UINT(WINAPI* folder)(LPWSTR, UINT), const wchar_t* below = L"")
{
    wchar_t path[MAX_PATH] = {};
    const UINT length = folder ? folder(path, MAX_PATH) : 0;
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(path, length) + below + L';';
}

// Where Windows' crash handling, started from the system folder of the crashed program's
// bitness, finds a program named without its path: the system folders, then the path.
std::wstring SearchFolders(bool wow32)
{
    std::wstring folders = FolderText(wow32 ? GetSystemWow64DirectoryW : GetSystemDirectoryW) +
                           FolderText(GetWindowsDirectoryW, L"\\System") + FolderText(GetWindowsDirectoryW);
    return folders + EnvironmentVariable(L"PATH");
}

ViewReading ReadView(RegistryView view, bool wow32)
{
    ViewReading reading;
    UniqueHKey key;
    if (OpenKeyIfPresent(HKEY_LOCAL_MACHINE, kAeDebugSubkey, KEY_QUERY_VALUE | view, key) != ERROR_SUCCESS) {
        reading.readable = false;
        return reading;
    }
    if (!key) return reading;
    try {
        reading.debugger = Stored(key.get(), kDebuggerValue);
        reading.autoStart = Stored(key.get(), kAutoValue);
    } catch (const Win32Error&) {
        reading.readable = false;
        return reading;
    }
    reading.autoExclusions = NamesSetToOne(HKEY_LOCAL_MACHINE, std::wstring(kAeDebugSubkey) + L"\\AutoExclusionList", view);
    if (!reading.debugger) return reading;

    const std::wstring folders = SearchFolders(wow32);
    CheckCommandLine(reading.debugger->text, [&](const std::wstring& executable) {
        const std::optional<std::wstring> path = FindExecutable(executable, folders.c_str());
        if (path) {
            reading.executablesFound.push_back(executable);
            reading.executablePath = *path;
        }
        return path.has_value();
    });
    if (!reading.executablePath.empty()) reading.unsafeWriter = FindUnsafeWriter(reading.executablePath);
    return reading;
}

WerReading ReadWer(const AeDebugViews& views)
{
    WerReading wer;
    const std::wstring debugApplications = std::wstring(kWerSubkey) + L"\\DebugApplications";
    const auto disabled = [&](HKEY root, const wchar_t* subkey, REGSAM view, const wchar_t* where) {
        for (const std::wstring& name : NamesSetToOne(root, subkey, view)) {
            if (_wcsicmp(name.c_str(), L"Disabled") == 0) wer.disabledIn.push_back(where);
        }
    };
    disabled(HKEY_LOCAL_MACHINE, kWerSubkey, views.native, L"HKLM");
    if (views.wow32) disabled(HKEY_LOCAL_MACHINE, kWerSubkey, *views.wow32, L"HKLM\\SOFTWARE\\WOW6432Node");
    disabled(HKEY_CURRENT_USER, kWerSubkey, 0, L"HKCU");
    disabled(HKEY_LOCAL_MACHINE, kWerPolicySubkey, views.native, L"HKLM\\SOFTWARE\\Policies");
    disabled(HKEY_CURRENT_USER, kWerPolicySubkey, 0, L"HKCU\\SOFTWARE\\Policies");
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (std::wstring& name : NamesSetToOne(root, debugApplications, views.native))
            wer.debugApplications.push_back(std::move(name));
    }
    // Only the machine's key counts for dumps, by the documentation.
    UniqueHKey dumps;
    const std::wstring localDumps = std::wstring(kWerSubkey) + L"\\LocalDumps";
    if (OpenKeyIfPresent(HKEY_LOCAL_MACHINE, localDumps.c_str(), KEY_QUERY_VALUE | views.native, dumps) ==
            ERROR_SUCCESS &&
        dumps) {
        const auto folder = Stored(dumps.get(), L"DumpFolder");
        wer.localDumps = folder ? folder->text : std::wstring();
    }
    return wer;
}

} // namespace

SystemReading ReadSystemForDiagnosis()
{
    const AeDebugViews views = AeDebugViewsHere();
    SystemReading reading;
    reading.native = ReadView(views.native, false);
    if (views.wow32) reading.wow32 = ReadView(*views.wow32, true);
    reading.wer = ReadWer(views);
    reading.underWine = RunsUnderWine();
    return reading;
}

} // namespace jitswap
