#include "aedebug/TestCrash.h"

#include "aedebug/CommandLineParts.h"
#include "support/loop/MessageLoop.h"
#include "support/process/ProcessDetails.h"
#include "support/text/NumberText.h"
#include "support/win32/SkipOnFailure.h"
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

// The program for that bitness, from the resources, in the user's temporary folder. A copy a
// debugger still holds from an earlier test crash cannot be written again: the next name is taken.
std::wstring WriteProgram(unsigned bits)
{
    const HRSRC resource =
        FindResourceW(nullptr, bits == 32 ? L"TEST_CRASH_32" : L"TEST_CRASH_64", MAKEINTRESOURCEW(10));  // RT_RCDATA
    const void* bytes = resource ? LockResource(LoadResource(nullptr, resource)) : nullptr;
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH - 32, folder);
    if (!bytes || length == 0 || length >= MAX_PATH - 32) ThrowLastError("Finding the test crash's program");
    const std::wstring name = std::wstring(folder) + (bits == 32 ? L"jitswap-test-crash-32" : L"jitswap-test-crash-64");
    for (unsigned attempt = 1;; ++attempt) {
        const std::wstring path = name + (attempt == 1 ? L"" : L"-" + NumberText(attempt)) + L".exe";
        const HANDLE opened =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (opened == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (attempt < 9 && (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED)) continue;
            throw Win32Error("Writing the test crash's program", error);
        }
        const UniqueHandle file(opened);
        DWORD written = 0;
        const DWORD size = SizeofResource(nullptr, resource);
        if (!WriteFile(opened, bytes, size, &written, nullptr) || written != size)
            ThrowLastError("Writing the test crash's program");
        return path;
    }
}

} // namespace

TestCrash::TestCrash(unsigned bits, std::wstring debuggerImage, std::function<void(const CrashOutcome&)> done)
    : m_image(std::move(debuggerImage)), m_path(WriteProgram(bits)), m_done(std::move(done))
{
    ForEachProcess([this](const PROCESSENTRY32W& process) {
        m_before.push_back(process.th32ProcessID);
        return false;
    });
    m_timer.reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
    LARGE_INTEGER due{};
    due.QuadPart = -10000LL * kLookEveryMs;
    if (!m_timer || !SetWaitableTimer(m_timer.get(), &due, kLookEveryMs, nullptr, nullptr, FALSE))
        ThrowLastError("Starting the test crash's program");
    // The system's own error mode, not this program's: nothing keeps the crash from its handling.
    m_program.emplace(m_path, CREATE_DEFAULT_ERROR_MODE);
    m_started = GetTickCount64();
    m_exitWait.emplace(m_program->Process(), [this] {
        if (!LookForDebugger()) Finish(CrashResult::Ended);
    });
    m_arrivalWait.emplace(m_program->Arrivals(), [this] { LookForDebugger(); });
    m_timerWait.emplace(m_timer.get(), [this] { Tick(); });
}

TestCrash::~TestCrash()
{
    m_timerWait.reset();
    m_arrivalWait.reset();
    m_exitWait.reset();
    // Still held by a debugger it stays, and the next test crash writes another.
    const bool ended = WaitForSingleObject(m_program->Process(), 0) == WAIT_OBJECT_0;
    m_program.reset();
    if (ended) DeleteFileW(m_path.c_str());
}

bool TestCrash::LookForDebugger()
{
    if (m_image.empty()) return false;
    // First those the crashed program's job saw come, however briefly they lived.
    for (UniqueHandle& arrived : m_program->TakeArrived()) m_arrived.push_back(std::move(arrived));
    for (const UniqueHandle& process : m_arrived) {
        std::wstring path;
        SkipOnFailure([&] { path = ProcessImagePath(process.get()); });
        if (_wcsicmp(FileNameOf(path).c_str(), m_image.c_str()) == 0) return Found(GetProcessId(process.get()), path);
    }
    // Then any other new process of that program: one the system started outside the job.
    DWORD found = 0;
    std::wstring name;
    ForEachProcess([&](const PROCESSENTRY32W& process) {
        const DWORD id = process.th32ProcessID;
        if (id != m_program->ProcessId() && _wcsicmp(process.szExeFile, m_image.c_str()) == 0 &&
            std::find(m_before.begin(), m_before.end(), id) == m_before.end()) {
            found = id;
            name = process.szExeFile;
        }
        return found != 0;
    });
    if (found == 0) return false;
    if (const UniqueHandle opened{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, found)})
        SkipOnFailure([&] { name = ProcessImagePath(opened.get()); });
    return Found(found, name);
}

bool TestCrash::Found(DWORD processId, const std::wstring& path)
{
    m_outcome.debuggerId = processId;
    m_outcome.debuggerPath = path;
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
    m_arrivalWait.reset();
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
