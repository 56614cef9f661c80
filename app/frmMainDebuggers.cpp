// The tray menu's catalogue part: one item per debugger, a radio bullet on the one the system
// uses now (or on "Неизвестный"), and switching the system to the item the user picks.

#include "aedebug/SystemDebugger.h"
#include "app/EntryChoice.h"
#include "app/frmMain.h"
#include "app/SwitchRequest.h"
#include "catalogue/CDebuggers.h"
#include "dialogs/frmDebuggersList.h"
#include "support/win32/SkipOnFailure.h"
#include "support/window/MessageBox.h"

namespace jitswap {
namespace {

constexpr int kEditList = 0;
constexpr int kUnknown = 9;
constexpr int kFirstDebugger = 10;

// Positions in the popup while "Неизвестный" is visible: it stands at 2, debugger i at 3 + i.
constexpr UINT kUnknownPosition = 2;
constexpr UINT DebuggerPosition(std::int32_t index)
{
    return kUnknownPosition + 1 + static_cast<UINT>(index);
}

} // namespace

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
    for (int i = 0; i < CDebuggers::Capacity; ++i) SkipOnFailure([&] { m_Menu.mnuList.Unload(kFirstDebugger + i); });
    const std::int32_t count = m_Debuggers->Count();
    for (std::int32_t i = 0; i < count; ++i)
        SkipOnFailure([&] { m_Menu.mnuList.Load(kFirstDebugger + i, m_Debuggers->Title(i), CaptionKind::Literal); });
    SkipOnFailure([&] { m_Menu.mnuList.SetVisible(kUnknown, true); });

    HMENU popup = GetSubMenu(GetMenu(Handle()), 0);
    const auto inForce = EntryInForce();
    if (inForce) {
        CheckMenuRadioItem(popup, kUnknownPosition, kUnknownPosition + static_cast<UINT>(count),
                           DebuggerPosition(*inForce), MF_BYPOSITION);
        SkipOnFailure([&] { m_Menu.mnuList.SetVisible(kUnknown, false); });
    } else {
        CheckMenuRadioItem(popup, kUnknownPosition, kUnknownPosition, kUnknownPosition, MF_BYPOSITION);
    }
    ShowEntryInForce(inForce);
}

void frmMain::ApplyDebugger(std::int32_t index)
{
    const SwitchReport report = RequestSwitch(EntryChoice(*m_Debuggers, index), Handle(), m_Sources.openStore);
    // The menu stayed usable while an elevated copy did the work: "Выход" may have been chosen.
    if (!IsLoaded()) return;
    if (report.outcome == SwitchOutcome::Refused) ShowMessage(report.message, kStyleError);
    if (report.outcome != SwitchOutcome::Done) return;
    NoteOwnSwitch(index);

    // The bullet moves on the strength of the writes; the next change read moves it again.
    HMENU popup = GetSubMenu(GetMenu(Handle()), 0);
    m_Menu.mnuList.SetVisible(kUnknown, true);
    CheckMenuRadioItem(popup, kUnknownPosition, kUnknownPosition + static_cast<UINT>(m_Debuggers->Count()),
                       DebuggerPosition(index), MF_BYPOSITION);
    m_Menu.mnuList.SetVisible(kUnknown, false);
}

void frmMain::mnuList_Click(int index)
{
    if (index == kEditList) {
        // The menu stays usable while the list is open; a second list would edit a stale copy.
        if (m_DebuggersList && m_DebuggersList->IsOpen()) {
            m_DebuggersList->Activate();
            return;
        }
        if (!m_DebuggersList) m_DebuggersList = std::make_unique<frmDebuggersList>(m_Sources.openStore);
        m_DebuggersList->ShowDialog();
        if (IsLoaded()) RebuildDebuggersMenu();
    } else if (index == kUnknown) {
        ShowMessage(L"Ни чего не произошло. Правда!", kStyleWarning);
    } else if (index >= kFirstDebugger) {
        ApplyDebugger(index - kFirstDebugger);
    }
}

void frmMain::Hook_BeforePopupMenu()
{
    // The watches keep the menu current; only a setting that cannot be watched is read here.
    if (!MenuFollowsChanges()) RebuildDebuggersMenu();
}

void frmMain::bcMain_BalloonClick()
{
    if (!m_SwitchBack) return;
    const SwitchBack target = *m_SwitchBack;
    m_SwitchBack.reset();
    if (!MenuFollowsChanges()) RebuildDebuggersMenu();
    if (const auto index = FindEntry(target)) mnuList_Click(kFirstDebugger + *index);
}

} // namespace jitswap
