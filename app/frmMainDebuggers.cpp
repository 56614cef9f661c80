// The tray menu's catalogue part: one item per debugger, a radio bullet on the one the system
// uses now (or on "Неизвестный"), and switching the system to the item the user picks.

#include "aedebug/SystemDebugger.h"
#include "app/EntryChoice.h"
#include "app/frmMain.h"
#include "catalogue/CDebuggers.h"
#include "dialogs/frmDebuggersList.h"
#include "support/MessageBox.h"
#include "support/SkipOnFailure.h"

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
    if (!m_Debuggers) m_Debuggers = std::make_unique<CDebuggers>(m_sources.openStore);
    m_Debuggers->ReadDebuggers();
}

void frmMain::ShowDebuggersMenu()
{
    for (int i = 0; i < CDebuggers::Capacity; ++i) SkipOnFailure([&] { m_menu.mnuList.Unload(kFirstDebugger + i); });
    const std::int32_t count = m_Debuggers->Count();
    for (std::int32_t i = 0; i < count; ++i)
        SkipOnFailure([&] { m_menu.mnuList.Load(kFirstDebugger + i, m_Debuggers->Title(i)); });
    SkipOnFailure([&] { m_menu.mnuList.SetVisible(kUnknown, true); });

    HMENU popup = GetSubMenu(GetMenu(Handle()), 0);
    const auto inForce = EntryInForce();
    if (inForce) {
        CheckMenuRadioItem(popup, kUnknownPosition, kUnknownPosition + static_cast<UINT>(count),
                           DebuggerPosition(*inForce), MF_BYPOSITION);
        SkipOnFailure([&] { m_menu.mnuList.SetVisible(kUnknown, false); });
    } else {
        CheckMenuRadioItem(popup, kUnknownPosition, kUnknownPosition, kUnknownPosition, MF_BYPOSITION);
    }
    ShowEntryInForce(inForce);
}

void frmMain::ApplyDebugger(std::int32_t index)
{
    // Every view or none: a refusal has already put back whatever was changed before it.
    if (ApplySystemDebugger(EntryChoice(*m_Debuggers, index)) != SwitchResult::Done) {
        ShowMessage(L"Не удалось установить новый профиль!", kStyleError);
        return;
    }
    NoteOwnSwitch(index);

    // The bullet moves on the strength of the writes; the next change read moves it again.
    HMENU popup = GetSubMenu(GetMenu(Handle()), 0);
    m_menu.mnuList.SetVisible(kUnknown, true);
    CheckMenuRadioItem(popup, kUnknownPosition, kUnknownPosition + static_cast<UINT>(m_Debuggers->Count()),
                       DebuggerPosition(index), MF_BYPOSITION);
    m_menu.mnuList.SetVisible(kUnknown, false);
}

void frmMain::mnuList_Click(int index)
{
    if (index == kEditList) {
        // The menu stays usable while the list is open; a second list would edit a stale copy.
        if (m_debuggersList && m_debuggersList->IsOpen()) {
            m_debuggersList->Activate();
            return;
        }
        if (!m_debuggersList) m_debuggersList = std::make_unique<frmDebuggersList>(OpenAppSettingsStore);
        m_debuggersList->ShowDialog();
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
    if (!m_switchBack) return;
    const SwitchBack target = *m_switchBack;
    m_switchBack.reset();
    if (!MenuFollowsChanges()) RebuildDebuggersMenu();
    if (const auto index = FindEntry(target)) mnuList_Click(kFirstDebugger + *index);
}

} // namespace jitswap
