#pragma once
// A program started in a job object of its own, so that every process started on its behalf
// (its children and theirs, and on Windows the error reporting's helper the system starts for it,
// which inherits its job) is known from the moment it is created: a process that lives only a few
// milliseconds is opened before it can end, and can still be asked what it was afterwards. The job
// limits nothing and lets any process that asks to break away do so.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace jitswap {

class WatchedProgram {
public:
    // Starts `path` with no arguments. Throws Win32Error when it cannot be started; when the job
    // cannot be had (a job this process is in forbids one more), the program runs all the same and
    // no process is told of.
    WatchedProgram(const std::wstring& path, DWORD creationFlags);
    ~WatchedProgram();
    WatchedProgram(const WatchedProgram&) = delete;
    WatchedProgram& operator=(const WatchedProgram&) = delete;

    HANDLE Process() const noexcept { return m_process.get(); }
    DWORD ProcessId() const noexcept { return m_processId; }
    // Signalled (auto-reset) each time processes came to the job.
    HANDLE Arrivals() const noexcept { return m_arrived.get(); }
    // The processes that came to the job since the last call, the program itself not among them,
    // each opened for PROCESS_QUERY_LIMITED_INFORMATION and SYNCHRONIZE.
    std::vector<UniqueHandle> TakeArrived();

private:
    static DWORD WINAPI WatchJob(void* self);
    void StopWatching() noexcept;

    UniqueHandle m_job;
    UniqueHandle m_port;
    UniqueHandle m_arrived;
    UniqueHandle m_watcher;
    UniqueHandle m_process;
    DWORD m_processId = 0;
    SRWLOCK m_lock = SRWLOCK_INIT;  // over m_new, which the watcher fills
    std::vector<UniqueHandle> m_new;
};

} // namespace jitswap
