#pragma once
// What a test crash's outcome means for the setting it tested, in the user's words, and whether it
// is what that setting promises. Platform-free: tested natively over outcomes written out.

#include "aedebug/Diagnosis.h"

#include <cstdint>
#include <string>

namespace jitswap {

enum class CrashResult {
    DebuggerStarted,  // a process of the program the setting names appeared after the crash
    Ended,            // the program ended, and no such process was seen
    StillWaiting,     // neither within the time the test waits: Windows holds it (it asks, or shows its window)
    NotStarted,       // the program could not be started
};

struct CrashOutcome {
    CrashResult result = CrashResult::NotStarted;
    std::uint32_t debuggerId = 0;
    std::wstring debuggerPath;
};

// How long a test crash waits, in seconds, before it reports a program still held.
inline constexpr unsigned kCrashWaitSeconds = 5;

// What a view's setting promises at a crash: the program it starts, as its process is named
// ("dbg.exe"; empty: none), and whether Windows asks first.
struct CrashPromise {
    std::wstring image;
    bool asks = false;
};

// `underWine`: the host starts its own winedbg where no debugger is set.
CrashPromise PromiseOf(const ViewReading& view, bool underWine);

struct CrashVerdict {
    bool asPromised = false;
    std::wstring text;
};

CrashVerdict JudgeCrash(const CrashOutcome& outcome, const CrashPromise& promise);

// The bitness of the program that crashes for a view: the 32-bit view's, or the system's own.
unsigned CrashBits(const SystemReading& reading, bool wow32);

// "Пробный сбой 64-битной программы: ".
std::wstring CrashTitle(unsigned bits);

} // namespace jitswap
