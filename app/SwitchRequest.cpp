#include "app/SwitchRequest.h"

#include "aedebug/CommandLineCheck.h"
#include "app/Command.h"
#include "app/KeepPreviousSetting.h"
#include "catalogue/CDebuggers.h"
#include "support/form/Form.h"
#include "support/loop/ProcessWait.h"
#include "support/process/Elevation.h"
#include "support/process/ExecutablePath.h"
#include "support/text/ArgumentQuoting.h"
#include "support/win32/ScopeGuard.h"
#include "support/win32/SkipOnFailure.h"
#include "support/win32/Win32Error.h"

#include <optional>

namespace jitswap {
namespace {

// Set while a request asks the user or waits for its elevated copy: the menu stays usable.
bool g_switching = false;

SwitchReport Refused()
{
    return {SwitchOutcome::Refused, kSwitchRefusedMessage};
}

SwitchReport Cancelled()
{
    return {SwitchOutcome::Cancelled, {}};
}

// What is left of the setting read before the switch, when a failed switch could not put back
// everything it wrote: the copy elevation starts tells no more than its exit code, so the values
// are compared, for either way of writing.
SwitchReport PartlyChanged(const std::optional<SystemDebuggerState>& before)
{
    std::optional<SystemDebuggerState> now;
    SkipOnFailure([&] { now = ReadSystemDebuggerState(); });
    std::wstring message = L"Не удалось установить новый профиль, а прежний удалось вернуть не полностью. ";
    if (!before || !now) return {SwitchOutcome::PartlyChanged, message + L"Какие значения остались изменёнными, проверить не удалось."};
    const std::wstring changed = ChangedValues(*before, *now);
    // Every value is as it was after all (an empty key the switch created may have stayed).
    if (changed.empty()) return Refused();
    return {SwitchOutcome::PartlyChanged, message + L"Изменёнными остались: " + changed + L"."};
}

// The copy is given the exact values, never an entry's number: elevated with another account's
// password, it would read that account's catalogue.
SwitchReport SwitchElevated(const DebuggerChoice& choice, HWND owner, const std::optional<SystemDebuggerState>& before)
{
    const std::wstring parameters = JoinArguments(ApplyArguments(choice));
    // The copy's command line: the quoted path, a blank, the parameters and the closing NUL.
    if (ExecutablePath().size() + 3 + parameters.size() + 1 > kCommandLineLimit) return Refused();

    UniqueHandle copy;
    try {
        copy = StartSelfElevated(owner, parameters);
    } catch (const Win32Error&) {
        return Refused();
    }
    if (!copy) return Cancelled();
    switch (WaitForProcessExit(copy.get(), &Form::ProcessMessage)) {
    case kExitDone:
        return {};
    case kExitPartlyChanged:
        return PartlyChanged(before);
    default:
        return Refused();
    }
}

} // namespace

SwitchReport RequestSwitch(const DebuggerChoice& choice, HWND owner, const SettingsStoreOpener& openStore)
{
    // A second request while the first one asks the user or waits for its copy is dropped: the
    // first one's answer stands.
    if (g_switching) return Cancelled();
    g_switching = true;
    const auto switched = OnScopeExit([] { g_switching = false; });
    // A catalogue edited by hand must not hand the system a command line it would read through.
    if (std::wstring refusal = SwitchRefusal(choice.commandLine, choice.commandLine32); !refusal.empty())
        return {SwitchOutcome::Refused, std::move(refusal)};
    // Read once: to keep it, and to tell what a failed switch left changed.
    std::optional<SystemDebuggerState> before;
    SkipOnFailure([&] { before = ReadSystemDebuggerState(); });
    switch (KeepPreviousSetting(choice, before, openStore)) {
    case KeepPreviousResult::GoOn:
        break;
    case KeepPreviousResult::Declined:
        return {SwitchOutcome::Cancelled, L"Отладчик не изменён: прежний отладчик был бы потерян."};
    case KeepPreviousResult::SaveFailed:
        return {SwitchOutcome::Refused, kCatalogueSaveFailedMessage};
    }

    switch (ApplySystemDebugger(choice)) {
    case SwitchResult::Done:
        return {};
    case SwitchResult::AccessDenied:
        return IsProcessElevated() ? Refused() : SwitchElevated(choice, owner, before);
    case SwitchResult::PartlyChanged:
        return PartlyChanged(before);
    case SwitchResult::Failed:
        break;
    }
    return Refused();
}

} // namespace jitswap
