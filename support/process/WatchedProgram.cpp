#include "support/process/WatchedProgram.h"

#include "support/win32/Win32Error.h"

#include <utility>

namespace jitswap {
namespace {

// The completion key of the job's messages, and the one that tells the watcher to stop.
constexpr ULONG_PTR kJobKey = 1;
constexpr ULONG_PTR kStopKey = 2;

class ExclusiveHold {
public:
    explicit ExclusiveHold(SRWLOCK& lock) noexcept : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~ExclusiveHold() { ReleaseSRWLockExclusive(&m_lock); }
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;

private:
    SRWLOCK& m_lock;
};

} // namespace

WatchedProgram::WatchedProgram(const std::wstring& path, DWORD creationFlags)
    : m_job(CreateJobObjectW(nullptr, nullptr)), m_arrived(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
    if (!m_arrived) ThrowLastError("Creating an event");
    if (m_job) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
        m_port.reset(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
        JOBOBJECT_ASSOCIATE_COMPLETION_PORT port{reinterpret_cast<void*>(kJobKey), m_port.get()};
        if (!m_port ||
            !SetInformationJobObject(m_job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
            !SetInformationJobObject(m_job.get(), JobObjectAssociateCompletionPortInformation, &port, sizeof port))
            m_job.reset();
    }
    if (m_job) m_watcher.reset(CreateThread(nullptr, 0, &WatchJob, this, 0, nullptr));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, creationFlags | CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &started)) {
        const DWORD error = GetLastError();
        StopWatching();
        throw Win32Error("Starting a program in a job of its own", error);
    }
    const UniqueHandle thread(started.hThread);
    m_process.reset(started.hProcess);
    m_processId = started.dwProcessId;
    // Before it runs a single instruction, so that nothing it starts escapes the job.
    if (m_watcher) AssignProcessToJobObject(m_job.get(), m_process.get());
    ResumeThread(thread.get());
}

WatchedProgram::~WatchedProgram()
{
    StopWatching();
}

void WatchedProgram::StopWatching() noexcept
{
    if (!m_watcher) return;
    PostQueuedCompletionStatus(m_port.get(), 0, kStopKey, nullptr);
    WaitForSingleObject(m_watcher.get(), INFINITE);
    m_watcher.reset();
}

std::vector<UniqueHandle> WatchedProgram::TakeArrived()
{
    const ExclusiveHold hold(m_lock);
    return std::exchange(m_new, {});
}

DWORD WINAPI WatchedProgram::WatchJob(void* self)
{
    auto& watched = *static_cast<WatchedProgram*>(self);
    DWORD message = 0;
    ULONG_PTR key = 0;
    OVERLAPPED* detail = nullptr;
    while (GetQueuedCompletionStatus(watched.m_port.get(), &message, &key, &detail, INFINITE) && key == kJobKey) {
        if (message != JOB_OBJECT_MSG_NEW_PROCESS) continue;
        // For this message the system passes the new process's id where an I/O passes its OVERLAPPED.
        const auto id = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(detail));
        UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, id));
        if (!process || GetProcessId(process.get()) == watched.m_processId) continue;
        {
            const ExclusiveHold hold(watched.m_lock);
            watched.m_new.push_back(std::move(process));
        }
        SetEvent(watched.m_arrived.get());
    }
    return 0;
}

} // namespace jitswap
