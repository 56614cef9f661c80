// Comparing the system's setting with a choice: platform-free, so it is tested natively.
#include "aedebug/SystemDebugger.h"

namespace jitswap {
namespace {

bool Holds(const AeDebugView& view, const std::wstring& commandLine, bool autoStart)
{
    // Exactly as stored: a difference in case or blanks is another command line.
    return !view.unreadable && view.debugger == commandLine && view.autoStart == autoStart;
}

bool OnTheWay(const AeDebugView& from, const AeDebugView& now, const std::wstring& commandLine, bool autoStart)
{
    return (now.debugger == from.debugger || now.debugger == commandLine) &&
           (now.autoStart == from.autoStart || now.autoStart == autoStart);
}

void AppendChanged(std::wstring& text, const AeDebugView& before, const AeDebugView& now, const wchar_t* view)
{
    const bool debugger = now.debugger != before.debugger || now.unreadable != before.unreadable;
    const bool autoStart = now.autoStart != before.autoStart;
    if (!debugger && !autoStart) return;
    if (!text.empty()) text += L"; ";
    text += debugger ? (autoStart ? L"Debugger, Auto" : L"Debugger") : L"Auto";
    text += view;
}

} // namespace

std::wstring ChangedValues(const SystemDebuggerState& before, const SystemDebuggerState& now)
{
    std::wstring text;
    const bool twoViews = before.wow32 && now.wow32;
    AppendChanged(text, before.native, now.native, twoViews ? L" (для 64-битных программ)" : L"");
    if (twoViews) AppendChanged(text, *before.wow32, *now.wow32, L" (для 32-битных программ)");
    return text;
}

bool IsOnTheWay(const SystemDebuggerState& from, const SystemDebuggerState& now, const DebuggerChoice& to)
{
    if (!OnTheWay(from.native, now.native, to.commandLine, to.autoStart)) return false;
    return !from.wow32 || !now.wow32 || OnTheWay(*from.wow32, *now.wow32, to.CommandLineFor32(), to.autoStart);
}

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
