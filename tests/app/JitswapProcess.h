#pragma once
// The program started as the user starts it, in a process of its own, for tests from outside.

#include "tests/common/BuiltPrograms.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace jitswap::test {

// jitswap.exe of this build (JITSWAP_EXE names it; a Unix path is taken through Wine's Z: drive).
std::wstring BuiltExecutable();

// The built program run as a script runs it, its output redirected and read back as UTF-8.
struct Ran {
    DWORD exitCode;
    std::wstring output;
};
Ran Jitswap(const std::vector<std::wstring>& arguments);

// Copies the built program (and, if asked, its ReadMe.TXT) into a folder, created if needed.
std::wstring InstallCopy(const std::wstring& folder, bool withReadMe);

class JitswapProcess {
public:
    explicit JitswapProcess(const std::wstring& executable = BuiltExecutable(), const std::wstring& currentDirectory = L"");
    ~JitswapProcess();
    JitswapProcess(const JitswapProcess&) = delete;
    JitswapProcess& operator=(const JitswapProcess&) = delete;

    DWORD Id() const noexcept { return m_process.dwProcessId; }
    // Waits for the program's hidden main window (and its tray icon window).
    bool WaitUntilRunning(DWORD timeoutMs = 10000);
    HWND MainWindow() const noexcept { return m_main; }
    HWND TrayWindow() const noexcept { return m_tray; }
    bool WaitForExit(DWORD timeoutMs = 10000) const;
    DWORD ExitCode() const;
    bool IsRunning() const { return !WaitForExit(0); }
    // The file names of the libraries the process has loaded, lower-cased.
    std::vector<std::wstring> LoadedModules() const;

private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
    HWND m_tray = nullptr;
};

// The first top-level window of the process with that class, waiting for it to appear.
HWND WaitForWindow(DWORD processId, const wchar_t* windowClass, DWORD timeoutMs, bool visibleOnly = false);

// Whether the shell holds the program's icon (asked without changing it).
bool ShellHoldsIcon(HWND trayWindow);

// Forgets what the program keeps of its own in the registry (catalogue, start with Windows),
// and gives the catalogue key full access back in case a test took it away. An empty catalogue
// stays stored, so that the program starts as after an earlier run, not as on its first start.
void ForgetProgramSettings();

// Stores one catalogue slot as the program stores it (title and command line as text, the flag as
// a number), from outside the program.
void StoreCatalogueEntry(int slot, const std::wstring& title, const std::wstring& commandLine, bool autoStart);

// Every value under a registry key, recursively, as "subkey\\name" -> type and data.
std::map<std::wstring, std::wstring> RegistrySnapshot(HKEY root, const std::wstring& key);

} // namespace jitswap::test
