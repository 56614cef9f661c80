#pragma once
// A crash made on purpose, to see what the system's setting really does: a throwaway program of
// the chosen bitness, carried in the executable's resources and written to the user's temporary
// folder, that dies at once of an access violation with nothing of Jitswap's in the way (started
// with the system's default error mode, no exception filter, a name no AutoExclusionList holds).
//
// A started debugger is told from the rest by its program: a process of the file the setting
// names, which did not exist before the crash. That holds whoever starts it (Windows' error
// reporting, or the crashed process itself under Wine) and whatever it does next (a debugger
// attaches and stays, a dump writer writes and ends): the process list is looked at until the
// crashed program has ended, and a process seen once is enough.

#include "aedebug/CrashVerdict.h"
#include "support/loop/LoopWait.h"
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
    void Tick();
    void Finish(CrashResult result);

    std::wstring m_image;
    std::wstring m_program;
    std::function<void(const CrashOutcome&)> m_done;
    std::vector<DWORD> m_before;
    UniqueHandle m_process;
    DWORD m_processId = 0;
    UniqueHandle m_timer;
    ULONGLONG m_started = 0;
    CrashOutcome m_outcome;
    std::optional<LoopWait> m_exitWait;
    std::optional<LoopWait> m_timerWait;
};

// The same, for a command: the program's own loop runs until the outcome is known. A program
// that cannot be started is an outcome too (NotStarted).
CrashOutcome RunTestCrash(unsigned bits, const std::wstring& debuggerImage);

} // namespace jitswap
