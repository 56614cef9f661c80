#include "aedebug/TestCrash.h"

#include "support/loop/MessageLoop.h"
#include "support/win32/Win32Error.h"

#include <tlhelp32.h>

#include <algorithm>

namespace jitswap {
namespace {

// How often the process list is looked at while the crash is handled: a dump writer lives longer.
constexpr LONG kLookEveryMs = 20;

// Runs `each` for every process until it returns true.
template <class Each>
void ForEachProcess(Each each)
{
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more && !each(entry);
         more = Process32NextW(snapshot.get(), &entry)) {
    }
}

// The program for that bitness, from the resources, in the user's temporary folder.
std::wstring WriteProgram(unsigned bits)
{
    const HRSRC resource =
        FindResourceW(nullptr, bits == 32 ? L"TEST_CRASH_32" : L"TEST_CRASH_64", MAKEINTRESOURCEW(10));  // RT_RCDATA
    const void* bytes = resource ? LockResource(LoadResource(nullptr, resource)) : nullptr;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH - 32, path);
    if (!bytes || length == 0 || length >= MAX_PATH - 32) ThrowLastError("Finding the test crash's program");
    wcscat(path, bits == 32 ? L"jitswap-test-crash-32.exe" : L"jitswap-test-crash-64.exe");
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) ThrowLastError("Writing the test crash's program");
    const UniqueHandle owned(file);
    DWORD written = 0;
    const DWORD size = SizeofResource(nullptr, resource);
    if (!WriteFile(file, bytes, size, &written, nullptr) || written != size)
        ThrowLastError("Writing the test crash's program");
    return path;
}

} // namespace

TestCrash::TestCrash(unsigned bits, std::wstring debuggerImage, std::function<void(const CrashOutcome&)> done)
    : m_image(std::move(debuggerImage)), m_program(WriteProgram(bits)), m_done(std::move(done))
{
    ForEachProcess([this](const PROCESSENTRY32W& process) {
        m_before.push_back(process.th32ProcessID);
        return false;
    });
    m_timer.reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
    LARGE_INTEGER due{};
    due.QuadPart = -10000LL * kLookEveryMs;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // The system's own error mode, not this program's: nothing keeps the crash from its handling.
    if (!m_timer || !SetWaitableTimer(m_timer.get(), &due, kLookEveryMs, nullptr, nullptr, FALSE) ||
        !CreateProcessW(m_program.c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE, nullptr,
                        nullptr, &startup, &started))
        ThrowLastError("Starting the test crash's program");
    CloseHandle(started.hThread);
    m_process.reset(started.hProcess);
    m_processId = started.dwProcessId;
    m_started = GetTickCount64();
    m_exitWait.emplace(m_process.get(), [this] {
        if (!LookForDebugger()) Finish(CrashResult::Ended);
    });
    m_timerWait.emplace(m_timer.get(), [this] { Tick(); });
}

TestCrash::~TestCrash()
{
    m_timerWait.reset();
    m_exitWait.reset();
    // Still held by a debugger it stays, and the next test crash writes it again.
    if (WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0) DeleteFileW(m_program.c_str());
}

bool TestCrash::LookForDebugger()
{
    DWORD found = 0;
    if (!m_image.empty()) {
        ForEachProcess([&](const PROCESSENTRY32W& process) {
            const DWORD id = process.th32ProcessID;
            if (id != m_processId && _wcsicmp(process.szExeFile, m_image.c_str()) == 0 &&
                std::find(m_before.begin(), m_before.end(), id) == m_before.end()) {
                found = id;
                m_outcome.debuggerPath = process.szExeFile;
            }
            return found != 0;
        });
    }
    if (found == 0) return false;
    m_outcome.debuggerId = found;
    if (const UniqueHandle opened{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, found)}) {
        wchar_t path[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        if (QueryFullProcessImageNameW(opened.get(), 0, path, &length)) m_outcome.debuggerPath.assign(path, length);
    }
    Finish(CrashResult::DebuggerStarted);
    return true;
}

void TestCrash::Tick()
{
    if (!LookForDebugger() && GetTickCount64() - m_started >= kCrashWaitSeconds * 1000ULL)
        Finish(CrashResult::StillWaiting);
}

void TestCrash::Finish(CrashResult result)
{
    m_outcome.result = result;
    m_timerWait.reset();
    m_exitWait.reset();
    // The last thing done here: the handler may end this object.
    const auto done = m_done;
    const CrashOutcome outcome = m_outcome;
    done(outcome);
}

CrashOutcome RunTestCrash(unsigned bits, const std::wstring& debuggerImage)
{
    std::optional<CrashOutcome> outcome;
    try {
        const TestCrash crash(bits, debuggerImage, [&](const CrashOutcome& known) {
            outcome = known;
            // The loop looks at its condition after a message: this one wakes it.
            PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
        });
        RunModalLoop([&] { return !outcome; }, [](MSG& message) { DispatchMessageW(&message); });
    } catch (const Win32Error&) {
    }
    return outcome.value_or(CrashOutcome{});
}

} // namespace jitswap
