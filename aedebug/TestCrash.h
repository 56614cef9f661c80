#pragma once
// A crash made on purpose, to see what the system's setting really does: a throwaway program of
// the chosen bitness, carried in the executable's resources and written to the user's temporary
// folder, that dies at once of an access violation with nothing of Jitswap's in the way (started
// with the system's default error mode, no exception filter, a name no AutoExclusionList holds).
//
// A started debugger is told from the rest by its program: a process of the file the setting
// names, started after the crash. The crashed program runs in a job of its own, which every
// process started on its behalf joins as it is created (the crashed process's own children under
// Wine, the error reporting's helper and what it starts on Windows): each is opened at once, so a
// dump writer that writes and ends within milliseconds is named as surely as a debugger that
// attaches and stays. One started outside the job (one that broke away from it) is found in the
// process list, looked at until the crashed program has ended: it must live that long to be seen.

#include "aedebug/CrashVerdict.h"
#include "support/loop/LoopWait.h"
#include "support/process/WatchedProgram.h"
#include "support/win32/UniqueHandle.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace jitswap {

class TestCrash {
public:
    // Starts the program (`bits` 32 or 64) and watches for a process of `debuggerImage` (a file
    // name; empty: none is looked for). `done` runs in the program's loop once the outcome is
    // known, within kCrashWaitSeconds; it may destroy this object. Throws Win32Error when the
    // program cannot be written or started.
    TestCrash(unsigned bits, std::wstring debuggerImage, std::function<void(const CrashOutcome&)> done);
    ~TestCrash();
    TestCrash(const TestCrash&) = delete;
    TestCrash& operator=(const TestCrash&) = delete;

private:
    bool LookForDebugger();
    bool Found(DWORD processId, const std::wstring& path);
    void Tick();
    void Finish(CrashResult result);

    std::wstring m_image;
    std::wstring m_path;
    std::function<void(const CrashOutcome&)> m_done;
    std::vector<DWORD> m_before;
    std::optional<WatchedProgram> m_program;
    std::vector<UniqueHandle> m_arrived;
    UniqueHandle m_timer;
    ULONGLONG m_started = 0;
    CrashOutcome m_outcome;
    std::optional<LoopWait> m_exitWait;
    std::optional<LoopWait> m_arrivalWait;
    std::optional<LoopWait> m_timerWait;
};

// The same, for a command: the program's own loop runs until the outcome is known. A program
// that cannot be started is an outcome too (NotStarted).
CrashOutcome RunTestCrash(unsigned bits, const std::wstring& debuggerImage);

} // namespace jitswap
