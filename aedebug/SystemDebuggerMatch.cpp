// Comparing the system's setting with a choice: platform-free, so it is tested natively.
#include "aedebug/SystemDebugger.h"

namespace jitswap {
namespace {

bool Holds(const AeDebugView& view, const std::wstring& commandLine, bool autoStart)
{
    // Exactly as stored: a difference in case or blanks is another command line.
    return view.debugger == commandLine && view.autoStart == autoStart;
}

} // namespace

bool Matches(const SystemDebuggerState& state, const DebuggerChoice& choice)
{
    if (!Holds(state.native, choice.commandLine, choice.autoStart)) return false;
    return !state.wow32 || Holds(*state.wow32, choice.CommandLineFor32(), choice.autoStart);
}

DebuggerChoice ChoiceFromState(const SystemDebuggerState& state)
{
    DebuggerChoice choice{state.native.debugger, {}, state.native.autoStart};
    // A 32-bit view with no debugger of its own cannot be told apart from "the same as the native
    // one" in a choice; taking the native one there is what a switch to it would write anyway.
    if (state.wow32 && state.wow32->debugger != state.native.debugger) choice.commandLine32 = state.wow32->debugger;
    return choice;
}

} // namespace jitswap
