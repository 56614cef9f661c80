// A just-in-time debugger of the tests' own, for the system's crash handling to start:
//   recording_debugger.exe RECORD [--end-at-once] ARGUMENTS...
// It appends one line to the file RECORD: its own process id, then every other argument in
// brackets ("1234 [--end-at-once] [300] [48]"). Then, unless told to end at once (as a dump
// writer that has written its dump would), it reads the two numbers the system passes (the
// crashed process's id and the event), attaches to that process as a debugger does, signals the
// event once attached, and ends the process when its crash comes back to the debugger.

#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

void Record(const std::wstring& file, const std::wstring& line)
{
    HANDLE out = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return;
    const std::wstring text = line + L"\r\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(out);
}

bool IsNumber(const std::wstring& text)
{
    if (text.empty()) return false;
    for (const wchar_t c : text)
        if (!std::iswdigit(c)) return false;
    return true;
}

void DebugUntilTheCrashReturns(DWORD processId, HANDLE event)
{
    if (!DebugActiveProcess(processId)) return;
    bool attached = false;
    DEBUG_EVENT debugEvent{};
    while (WaitForDebugEvent(&debugEvent, 30000)) {
        DWORD continueStatus = DBG_CONTINUE;
        if (debugEvent.dwDebugEventCode == EXCEPTION_DEBUG_EVENT) {
            if (!attached) {
                // The break-in that completes the attach: from here the system may go on.
                attached = true;
                SetEvent(event);
            } else {
                HANDLE crashed = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
                if (crashed) {
                    TerminateProcess(crashed, 9);
                    CloseHandle(crashed);
                }
                continueStatus = DBG_EXCEPTION_NOT_HANDLED;
            }
        }
        const bool exited = debugEvent.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        ContinueDebugEvent(debugEvent.dwProcessId, debugEvent.dwThreadId, continueStatus);
        if (exited) break;
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    std::wstring line = std::to_wstring(GetCurrentProcessId());
    std::vector<std::wstring> numbers;
    bool endAtOnce = false;
    for (int i = 2; i < argc; ++i) {
        line += L" [" + std::wstring(argv[i]) + L"]";
        if (std::wcscmp(argv[i], L"--end-at-once") == 0) endAtOnce = true;
        if (IsNumber(argv[i])) numbers.emplace_back(argv[i]);
    }
    Record(argv[1], line);
    if (endAtOnce || numbers.size() < 2) return 0;
    const auto processId = static_cast<DWORD>(std::wcstoul(numbers[0].c_str(), nullptr, 10));
    const auto event = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(std::wcstoull(numbers[1].c_str(), nullptr, 10)));
    DebugUntilTheCrashReturns(processId, event);
    return 0;
}
