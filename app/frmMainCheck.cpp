// "Проверить отладчик..." in the tray menu: the check dialog, one copy at a time, whose
// "Исправить" goes through the one switch path as a pick from the menu does.

#include "app/SwitchRequest.h"
#include "app/frmMain.h"
#include "dialogs/frmDebuggerCheck.h"
#include "support/window/MessageBox.h"

namespace jitswap {

void frmMain::ShowDebuggerCheck()
{
    // The menu stays usable while the dialog is open: the open one comes to the front.
    if (!m_DebuggerCheck) {
        m_DebuggerCheck = std::make_unique<frmDebuggerCheck>(
            m_Sources.openStore, [this](const DebuggerChoice& choice, HWND owner) { return SwitchFromCheck(choice, owner); });
    }
    m_DebuggerCheck->ShowDialog();
}

bool frmMain::SwitchFromCheck(const DebuggerChoice& choice, HWND owner)
{
    const SwitchReport report = RequestSwitch(choice, owner, m_Sources.openStore);
    if (!IsLoaded()) return false;
    if (report.outcome == SwitchOutcome::Refused) ShowMessage(report.message, kStyleError);
    if (report.outcome != SwitchOutcome::Done) return false;
    m_Changes.NoteOwnSwitch();
    ShowDebuggersMenu();
    return true;
}

} // namespace jitswap
