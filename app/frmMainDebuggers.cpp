// The tray menu's catalogue part: one item per debugger, a radio bullet on the one the system
// uses now (or on "Неизвестный"), and switching the system to the item the user picks.

#include "app/frmMain.h"
#include "app/SwitchRequest.h"
#include "catalogue/CDebuggers.h"
#include "dialogs/frmDebuggersList.h"
#include "support/win32/SkipOnFailure.h"
#include "support/window/MessageBox.h"

namespace jitswap {

void frmMain::RebuildDebuggersMenu()
{
    ReloadCatalogue();
    // From here on the menu is built as far as it can be: a step that fails is skipped.
    ReadSystemSetting();
    ShowDebuggersMenu();
}

void frmMain::ReloadCatalogue()
{
    if (!m_Debuggers) m_Debuggers = std::make_unique<CDebuggers>(m_Sources.openStore);
    m_Debuggers->ReadDebuggers();
}

void frmMain::ShowDebuggersMenu()
{
    m_Menu.ShowDebuggers(*m_Debuggers);
    const auto inForce = m_Changes.InForce(*m_Debuggers);
    SkipOnFailure([&] { m_Menu.MarkInForce(inForce); });
    ShowEntryInForce(inForce);
}

void frmMain::ApplyDebugger(std::int32_t index)
{
    // A copy: the catalogue may be read again while the switch asks the user or waits for its copy.
    const DebuggerChoice choice = m_Debuggers->Entry(index).choice;
    if (!SwitchAsOwn(choice, Handle())) return;
    ShowEntryInForce(index);
    // The bullet moves on the strength of the writes; the next change read moves it again.
    m_Menu.MarkInForce(index);
}

bool frmMain::SwitchAsOwn(const DebuggerChoice& choice, HWND owner)
{
    // A second switch meanwhile is dropped, as RequestSwitch drops it.
    if (!m_Changes.BeginOwnSwitch(choice)) return false;
    const SwitchReport report = RequestSwitch(choice, owner, m_Sources.openStore);
    // The menu stayed usable while an elevated copy did the work: "Выход" may have been chosen.
    if (!IsLoaded()) return false;
    m_Changes.EndOwnSwitch();
    const bool done = report.outcome == SwitchOutcome::Done;
    if (done)
        WithdrawSwitchBack();
    else
        ShowDebuggersMenu();
    if (report.outcome == SwitchOutcome::Refused || report.outcome == SwitchOutcome::PartlyChanged)
        ShowMessage(report.message, kStyleError);
    return done;
}

void frmMain::mnuList_Click(int index)
{
    if (index == MainMenu::kEditList) {
        // The menu stays usable while the list is open; a second list would edit a stale copy.
        if (m_DebuggersList && m_DebuggersList->IsOpen()) {
            m_DebuggersList->Activate();
            return;
        }
        if (!m_DebuggersList) m_DebuggersList = std::make_unique<frmDebuggersList>(m_Sources.openStore);
        m_DebuggersList->ShowDialog();
        if (IsLoaded()) RebuildDebuggersMenu();
    } else if (index == MainMenu::kCheckDebugger) {
        ShowDebuggerCheck();
    } else if (index == MainMenu::kUnknown) {
        ShowMessage(L"Ни чего не произошло. Правда!", kStyleWarning);
    } else if (index >= MainMenu::kFirstDebugger) {
        ApplyDebugger(index - MainMenu::kFirstDebugger);
    }
}

void frmMain::Hook_BeforePopupMenu()
{
    // The watches keep the menu current; only a setting that cannot be watched is read here.
    if (!m_Changes.FollowsChanges()) RebuildDebuggersMenu();
}

void frmMain::bcMain_BalloonClick()
{
    const std::optional<DebuggerEntry> target = m_Changes.TakeSwitchBack();
    if (!target) return;
    if (!m_Changes.FollowsChanges()) RebuildDebuggersMenu();
    // By what it is, not where it was: the catalogue may have changed since.
    if (const auto index = m_Debuggers->IndexOf(*target)) mnuList_Click(MainMenu::kFirstDebugger + *index);
}

} // namespace jitswap
