#include "tests/app/JitswapProcess.h"

#include "app/AppIdentity.h"
#include "support/shell/TrayIcon.h"
#include "support/text/ArgumentQuoting.h"
#include "support/text/TextConversion.h"
#include "tests/common/ProcessOutput.h"
#include "tests/common/UiTestSupport.h"

#include <psapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <utility>
#include <stdexcept>
#include <vector>

namespace jitswap::test {
namespace {

std::wstring FolderOf(const std::wstring& path)
{
    return path.substr(0, path.find_last_of(L'\\'));
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* windowClass;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (process == search.processId && wcscmp(name, search.windowClass) == 0 &&
        (!search.visibleOnly || IsWindowVisible(window))) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

void Snapshot(HKEY root, const std::wstring& key, const std::wstring& prefix, std::map<std::wstring, std::wstring>& into)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        DWORD type = 0;
        std::vector<BYTE> data(65536);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(opened, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
        into[prefix + name] = std::to_wstring(type) + L":" +
                              std::wstring(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        if (RegEnumKeyExW(opened, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        into[prefix + name + L"\\"] = L"(key)";
        Snapshot(root, key + L"\\" + name, prefix + name + L"\\", into);
    }
    RegCloseKey(opened);
}

} // namespace

std::wstring BuiltExecutable()
{
    return BuiltProgram(L"JITSWAP_EXE");
}

Ran Jitswap(const std::vector<std::wstring>& arguments)
{
    const ProcessOutput ran = RunForOutput(QuoteArgument(BuiltExecutable()) + L" " + JoinArguments(arguments));
    return {ran.exitCode, Utf8ToWide(ran.output)};
}

std::wstring InstallCopy(const std::wstring& folder, bool withReadMe)
{
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    const std::wstring built = BuiltExecutable();
    const std::wstring target = folder + L"\\jitswap.exe";
    if (!CopyFileW(built.c_str(), target.c_str(), FALSE)) throw std::runtime_error("copying jitswap.exe");
    const std::wstring readMe = folder + L"\\ReadMe.TXT";
    if (withReadMe) {
        if (!CopyFileW((FolderOf(built) + L"\\ReadMe.TXT").c_str(), readMe.c_str(), FALSE))
            throw std::runtime_error("copying ReadMe.TXT");
    } else {
        DeleteFileW(readMe.c_str());
    }
    return target;
}

JitswapProcess::JitswapProcess(const std::wstring& executable, const std::wstring& currentDirectory)
{
    STARTUPINFOW startup{sizeof startup};
    std::wstring commandLine = L"\"" + executable + L"\"";
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &m_process))
        throw std::runtime_error("starting jitswap.exe");
}

JitswapProcess::~JitswapProcess()
{
    if (IsRunning()) {
        // As the user ends it: "Выход". A program that no longer listens is ended by force.
        if (m_main) PostMessageW(m_main, WM_COMMAND, 1202, 0);
        if (!WaitForExit(5000)) TerminateProcess(m_process.hProcess, 1);
        WaitForExit(5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool JitswapProcess::WaitUntilRunning(DWORD timeoutMs)
{
    m_main = WaitForWindow(Id(), L"JitswapMain", timeoutMs);
    m_tray = m_main ? WaitForWindow(Id(), L"JitswapTrayIcon", timeoutMs) : nullptr;
    // The icon is added once the main window has finished loading.
    const DWORD start = GetTickCount();
    while (m_tray && !ShellHoldsIcon(m_tray) && GetTickCount() - start < timeoutMs) Sleep(20);
    return m_main && m_tray && ShellHoldsIcon(m_tray);
}

std::vector<std::wstring> JitswapProcess::LoadedModules() const
{
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModulesEx(m_process.hProcess, modules, sizeof modules, &needed, LIST_MODULES_ALL)) return {};
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < std::size(modules); ++i) {
        wchar_t name[MAX_PATH] = {};
        GetModuleBaseNameW(m_process.hProcess, modules[i], name, MAX_PATH);
        CharLowerW(name);
        names.emplace_back(name);
    }
    return names;
}

bool JitswapProcess::WaitForExit(DWORD timeoutMs) const
{
    return WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD JitswapProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

HWND WaitForWindow(DWORD processId, const wchar_t* windowClass, DWORD timeoutMs, bool visibleOnly)
{
    const DWORD start = GetTickCount();
    for (;;) {
        WindowSearch search{processId, windowClass, visibleOnly, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (GetTickCount() - start > timeoutMs) return nullptr;
        Sleep(20);
    }
}

bool ShellHoldsIcon(HWND trayWindow)
{
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof probe;
    probe.hWnd = trayWindow;
    probe.uID = TrayIcon::kIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

void ForgetProgramSettings()
{
    SetKeyAccess(HKEY_CURRENT_USER, L"Software\\Quarvel\\Jitswap\\Debuggers", KeyAccess::Full);
    DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\Quarvel");
    // As after an earlier run with an empty catalogue: a first start would fill it.
    HKEY catalogue = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, L"Software\\Quarvel\\Jitswap\\Debuggers", &catalogue) == ERROR_SUCCESS)
        RegCloseKey(catalogue);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", AppGuid);
}

void StoreCatalogueEntry(int slot, const std::wstring& title, const std::wstring& commandLine, bool autoStart)
{
    const wchar_t* catalogue = L"Software\\Quarvel\\Jitswap\\Debuggers";
    const std::wstring number = std::to_wstring(slot);
    for (const auto& [name, text] : {std::pair{L"Title " + number, title}, std::pair{L"Command Line " + number, commandLine}})
        RegSetKeyValueW(HKEY_CURRENT_USER, catalogue, name.c_str(), REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    const DWORD flag = autoStart ? 0xFFFFFFFF : 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, catalogue, (L"Auto " + number).c_str(), REG_DWORD, &flag, sizeof flag);
}

std::map<std::wstring, std::wstring> RegistrySnapshot(HKEY root, const std::wstring& key)
{
    std::map<std::wstring, std::wstring> values;
    Snapshot(root, key, L"", values);
    return values;
}

} // namespace jitswap::test
