#include "catalogue/PreviousSetting.h"

#include "aedebug/CommandLineParts.h"

#include <cwctype>

namespace jitswap {
namespace {

bool IsBlank(const std::wstring& text)
{
    for (const wchar_t c : text)
        if (!std::iswspace(c)) return false;
    return true;
}

} // namespace

PreviousSettingStep PlanPreviousSetting(const SystemDebuggerState& current, const DebuggerChoice& chosen,
                                        bool heldByAnEntry, bool catalogueFull)
{
    // A command line of blanks starts nothing: there is no debugger to lose.
    const bool empty = IsBlank(current.native.debugger) && (!current.wow32 || IsBlank(current.wow32->debugger));
    if (empty || heldByAnEntry || Matches(current, chosen)) return PreviousSettingStep::None;
    return catalogueFull ? PreviousSettingStep::AskFirst : PreviousSettingStep::Keep;
}

DebuggerEntry PreviousSettingEntry(const SystemDebuggerState& current)
{
    const DebuggerChoice choice = ChoiceFromState(current);
    // Only the 32-bit view may hold a debugger; its executable names the entry then.
    const std::wstring& named = IsBlank(choice.commandLine) ? choice.commandLine32 : choice.commandLine;
    return DebuggerEntry{PreviousEntryTitle(named), choice};
}

} // namespace jitswap
