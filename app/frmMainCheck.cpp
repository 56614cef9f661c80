// "Проверить отладчик..." in the tray menu: the check dialog, one copy at a time, whose
// "Исправить" goes through the one switch path as a pick from the menu does.

#include "app/frmMain.h"
#include "dialogs/frmDebuggerCheck.h"

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
    if (!SwitchAsOwn(choice, owner)) return false;
    ShowDebuggersMenu();
    return true;
}

} // namespace jitswap
