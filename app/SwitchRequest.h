#pragma once
// A switch of the system's debugger as the user asks for it: from the tray menu, from the command
// line or from a notification. Every such request is carried out here, step by step, so that each
// caller gets the same checks, the same elevation and the same outcome.

#include "aedebug/SystemDebugger.h"
#include "support/registry/SettingsStore.h"

#include <windows.h>

#include <string>

namespace jitswap {

enum class SwitchOutcome {
    Done,       // the system holds the choice in every view
    Refused,    // nothing changed; the report's message tells the user why
    PartlyChanged,  // refused, and some values could not be put back; the message names them
    Cancelled,  // nothing changed, by the user's own choice: a window has nothing to tell
};

struct SwitchReport {
    SwitchOutcome outcome = SwitchOutcome::Done;
    std::wstring message;  // for Refused; for Cancelled, what a console says instead of the usual
};

inline constexpr wchar_t kSwitchRefusedMessage[] = L"Не удалось установить новый профиль!";

// Writes the choice. A system setting that no entry holds is first kept in the catalogue that
// `openStore` opens (app/KeepPreviousSetting.h). When the system refuses it for want of rights and this process is not
// elevated, an elevated copy of the program writes it instead, once Windows has asked the user;
// `owner` is the window that question belongs to. Meanwhile this thread's windows keep working.
SwitchReport RequestSwitch(const DebuggerChoice& choice, HWND owner, const SettingsStoreOpener& openStore);

} // namespace jitswap
