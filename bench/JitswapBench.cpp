// Prints start-up times (to the icon, and until the program waits for input, when a first click
// would be served), memory, the menu's rebuild and popup times and the size of jitswap.exe, each
// beside a baseline measured in the same run, and the libraries each program has loaded once its
// icon is in the notification area:
//   jitswap_bench.exe JITSWAP_EXE BARE_TRAY_EXE
// Start-up and memory are compared with a bare program that only creates a window and adds a tray
// icon; the rebuild of the menu with 30 debuggers with the raw registry reads and menu insertions
// it consists of; a popup with nothing changed with that rebuild, which every popup used to do.

#include "app/frmMain.h"
#include "bench/Measure.h"

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace jitswap {

// The tests' and benchmarks' way in to the main window's private rebuild.
struct frmMainProbe {
    static void Rebuild(frmMain& window) { window.RebuildDebuggersMenu(); }
    static void BeforePopup(frmMain& window) { window.Hook_BeforePopupMenu(); }
};

} // namespace jitswap

using namespace jitswap;
using namespace jitswap::bench;

namespace {

constexpr int kStarts = 15;
constexpr int kRebuilds = 2000;
constexpr wchar_t kCatalogueKey[] = L"Software\\Quarvel\\Jitswap\\Debuggers";
constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";

void WriteText(HKEY root, const wchar_t* key, const std::wstring& name, const std::wstring& value)
{
    RegSetKeyValueW(root, key, name.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void StoreThirtyDebuggers()
{
    for (int slot = 0; slot < 30; ++slot) {
        const std::wstring number = std::to_wstring(slot);
        WriteText(HKEY_CURRENT_USER, kCatalogueKey, L"Title " + number, L"Debugger number " + number);
        WriteText(HKEY_CURRENT_USER, kCatalogueKey, L"Command Line " + number,
                  L"\"C:\\Tools\\Debugger " + number + L"\\dbg.exe\" -p %ld -e %ld");
        const DWORD flag = slot % 2 ? 0xFFFFFFFF : 0;
        RegSetKeyValueW(HKEY_CURRENT_USER, kCatalogueKey, (L"Auto " + number).c_str(), REG_DWORD, &flag, sizeof flag);
    }
    // The last entry is the active one, in both registry views: the whole catalogue is compared
    // before it matches.
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr);
        WriteText(key, nullptr, L"Debugger", L"\"C:\\Tools\\Debugger 29\\dbg.exe\" -p %ld -e %ld");
        WriteText(key, nullptr, L"Auto", L"1");
        RegCloseKey(key);
    }
}

struct StartFigures {
    double startMilliseconds;
    double idleMilliseconds;  // until it waits for input: the first click would be served
    double privateKilobytes;
    double workingSetKilobytes;
    std::vector<std::wstring> modules;  // the file names of the libraries loaded, in load order
};

std::vector<std::wstring> LoadedModules(HANDLE process)
{
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModulesEx(process, modules, sizeof modules, &needed, LIST_MODULES_ALL)) return {};
    std::vector<std::wstring> names;
    for (DWORD i = 1; i < std::min<DWORD>(needed / sizeof(HMODULE), 512); ++i) {  // 0 is the program itself
        wchar_t name[MAX_PATH] = {};
        GetModuleBaseNameW(process, modules[i], name, MAX_PATH);
        CharLowerW(name);
        names.emplace_back(name);
    }
    return names;
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* windowClass;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process == search.processId && wcscmp(name, search.windowClass) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

bool ShellHolds(HWND window)
{
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof probe;
    probe.hWnd = window;
    probe.uID = 1;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

// Starts the program, waits for its icon in the notification area, reads its memory, ends it.
StartFigures StartOnce(const std::wstring& executable, const wchar_t* trayClass, const wchar_t* mainClass, UINT exitCommand)
{
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + executable + L"\"";
    const double started = NowMicroseconds();
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fwprintf(stderr, L"cannot start %ls\n", executable.c_str());
        std::exit(2);
    }
    double ready = 0;
    for (;;) {
        WindowSearch search{process.dwProcessId, trayClass, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found && ShellHolds(search.found)) {
            ready = NowMicroseconds();
            break;
        }
        if (NowMicroseconds() - started > 20e6) break;
    }
    // The icon may come before the start's other work, which then holds up the first click.
    WaitForInputIdle(process.hProcess, 20000);
    const double idle = NowMicroseconds();
    Sleep(500);  // settled: what the program holds while it waits in the tray
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    std::vector<std::wstring> modules = LoadedModules(process.hProcess);

    WindowSearch main{process.dwProcessId, mainClass, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&main));
    if (main.found) PostMessageW(main.found, exitCommand ? WM_COMMAND : WM_CLOSE, exitCommand, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine leaves PrivateUsage at zero; the commit charge (PagefileUsage) is the same figure on Windows.
    const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return {(ready - started) / 1000.0, (idle - started) / 1000.0, privateBytes / 1024.0, memory.WorkingSetSize / 1024.0, std::move(modules)};
}

struct Program {
    std::wstring executable;
    const wchar_t* trayClass;
    const wchar_t* mainClass;
    UINT exitCommand;  // the menu command that ends it; 0: WM_CLOSE
};

StartFigures StartOnce(const Program& program)
{
    return StartOnce(program.executable, program.trayClass, program.mainClass, program.exitCommand);
}

// Medians of starts of each program, started by turns, so that whatever else the machine does
// meanwhile weighs on both alike.
std::vector<StartFigures> MedianStartsByTurns(const std::vector<Program>& programs)
{
    std::vector<StartFigures> medians;
    std::vector<std::vector<StartFigures>> runs(programs.size());
    for (const Program& program : programs) medians.push_back({0, 0, 0, 0, StartOnce(program).modules});  // warms the file cache
    for (int run = 0; run < kStarts; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) runs[i].push_back(StartOnce(programs[i]));
    }
    for (std::size_t i = 0; i < programs.size(); ++i) {
        std::vector<double> times, idles, privates, workingSets;
        for (const StartFigures& figures : runs[i]) {
            times.push_back(figures.startMilliseconds);
            idles.push_back(figures.idleMilliseconds);
            privates.push_back(figures.privateKilobytes);
            workingSets.push_back(figures.workingSetKilobytes);
        }
        medians[i].startMilliseconds = Median(times);
        medians[i].idleMilliseconds = Median(idles);
        medians[i].privateKilobytes = Median(privates);
        medians[i].workingSetKilobytes = Median(workingSets);
    }
    return medians;
}

// What a rebuild cannot do without: read the 120 stored values and the two system values in each
// registry view, and replace 30 menu items.
void RawRebuild(HMENU popup)
{
    HKEY catalogue = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, kCatalogueKey, 0, KEY_QUERY_VALUE, &catalogue);
    std::vector<std::wstring> titles;
    for (int slot = 0; slot < 30; ++slot) {
        const std::wstring number = std::to_wstring(slot);
        wchar_t text[512];
        DWORD size = sizeof text;
        RegGetValueW(catalogue, nullptr, (L"Title " + number).c_str(), RRF_RT_REG_SZ, nullptr, text, &size);
        titles.emplace_back(text);
        size = sizeof text;
        RegGetValueW(catalogue, nullptr, (L"Command Line " + number).c_str(), RRF_RT_REG_SZ, nullptr, text, &size);
        DWORD flag = 0;
        size = sizeof flag;
        RegGetValueW(catalogue, nullptr, (L"Auto " + number).c_str(), RRF_RT_REG_DWORD, nullptr, &flag, &size);
        size = sizeof text;
        RegGetValueW(catalogue, nullptr, (L"Command Line (32-bit) " + number).c_str(), RRF_RT_REG_SZ, nullptr, text,
                     &size);
    }
    RegCloseKey(catalogue);
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY key = nullptr;
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_QUERY_VALUE | view, &key);
        wchar_t text[512];
        DWORD size = sizeof text;
        RegGetValueW(key, nullptr, L"Debugger", RRF_RT_REG_SZ, nullptr, text, &size);
        size = sizeof text;
        RegGetValueW(key, nullptr, L"Auto", RRF_RT_REG_SZ, nullptr, text, &size);
        RegCloseKey(key);
    }

    for (UINT id = 0; id < 30; ++id) DeleteMenu(popup, 2000 + id, MF_BYCOMMAND);
    for (UINT id = 0; id < 30; ++id) {
        MENUITEMINFOW item{sizeof item};
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
        item.wID = 2000 + id;
        item.dwTypeData = titles[id].data();
        InsertMenuItemW(popup, 3 + id, TRUE, &item);
    }
    CheckMenuRadioItem(popup, 2, 32, 32, MF_BYPOSITION);
}

template <class Action>
double MedianMicroseconds(Action&& action)
{
    std::vector<double> samples;
    for (int run = 0; run < kRebuilds; ++run) {
        const double start = NowMicroseconds();
        action();
        samples.push_back(NowMicroseconds() - start);
    }
    return Median(samples);
}

void Row(const wchar_t* what, double jitswap, double baseline, const wchar_t* unit)
{
    std::wprintf(L"%-36ls %11.1f %11.1f %7.2fx  %ls\n", what, jitswap, baseline, baseline > 0 ? jitswap / baseline : 0.0, unit);
}

void ModulesRow(const wchar_t* program, const std::vector<std::wstring>& modules)
{
    std::wstring names;
    for (const std::wstring& name : modules) names += (names.empty() ? L"" : L" ") + name;
    std::wprintf(L"DLLs loaded after start, %ls (%zu): %ls\n", program, modules.size(), names.c_str());
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: jitswap_bench JITSWAP_EXE BARE_TRAY_EXE\n");
        return 2;
    }
    StoreThirtyDebuggers();

    const std::vector<StartFigures> starts = MedianStartsByTurns(
        {{argv[1], L"JitswapTrayIcon", L"JitswapMain", 1202}, {argv[2], L"BareTrayBench", L"BareTrayBench", 0}});
    const StartFigures& jitswap = starts[0];
    const StartFigures& bare = starts[1];

    double rebuild = 0;
    double floor = 0;
    double unchangedPopup = 0;
    {
        frmMain window;
        window.Load();
        rebuild = MedianMicroseconds([&] { frmMainProbe::Rebuild(window); });
        unchangedPopup = MedianMicroseconds([&] { frmMainProbe::BeforePopup(window); });
        HMENU popup = CreatePopupMenu();
        for (UINT id = 0; id < 3; ++id) AppendMenuW(popup, MF_STRING, 3000 + id, L"fixed");
        floor = MedianMicroseconds([&] { RawRebuild(popup); });
        DestroyMenu(popup);
    }

    WIN32_FILE_ATTRIBUTE_DATA file{};
    GetFileAttributesExW(argv[1], GetFileExInfoStandard, &file);
    WIN32_FILE_ATTRIBUTE_DATA bareFile{};
    GetFileAttributesExW(argv[2], GetFileExInfoStandard, &bareFile);

    std::wprintf(L"%-36ls %11ls %11ls %8ls  %ls\n", L"measure", L"jitswap", L"baseline", L"ratio", L"baseline");
    Row(L"start-up to tray icon (median, ms)", jitswap.startMilliseconds, bare.startMilliseconds, L"bare tray program");
    Row(L"start-up to input idle (median, ms)", jitswap.idleMilliseconds, bare.idleMilliseconds, L"bare tray program");
    Row(L"private bytes after start (KB)", jitswap.privateKilobytes, bare.privateKilobytes, L"bare tray program");
    Row(L"working set after start (KB)", jitswap.workingSetKilobytes, bare.workingSetKilobytes, L"bare tray program");
    Row(L"menu rebuild, 30 entries (median, us)", rebuild, floor, L"raw registry reads and menu insertions");
    Row(L"popup, nothing changed (median, us)", unchangedPopup, rebuild, L"the full rebuild every popup did before");
    Row(L"executable size (KB)", file.nFileSizeLow / 1024.0, bareFile.nFileSizeLow / 1024.0, L"bare tray program");
    ModulesRow(L"jitswap", jitswap.modules);
    ModulesRow(L"bare tray program", bare.modules);
    return 0;
}
