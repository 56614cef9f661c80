#include "app/frmMain.h"

#include "catalogue/CDebuggers.h"
#include "dialogs/frmDebuggersList.h"
#include "support/Dpi.h"

namespace jitswap {

frmMain::frmMain() = default;

frmMain::~frmMain() = default;

void frmMain::Load()
{
    WindowSpec design;
    design.className = L"JitswapMain";
    design.caption = L"Jitswap";
    design.menu = m_menu.ReleaseBar();
    design.dialogKeys = false;
    CreateFormWindow(design);
    Form_Load();
}

void frmMain::Form_Load()
{
    qsCenterFormEx(Handle());
    if (!qsIsInIDE()) qsSetWindowResIconAll(Handle(), L"A_MAIN");
    RefreshAutostartCheck();
    RebuildDebuggersMenu();

    bcMain = std::make_unique<TrayIcon>();
    bcMain->SetText(L"Jitswap");
    // The tray's window sits on the primary monitor, the one with the notification area.
    bcMain->SetIcon(qsLoadResTrayIcon(L"A_MAIN", WindowDpi(bcMain->Handle())));
    bcMain->SetVisible(true);

    Hook = std::make_unique<TrayMenuHook>();
    Hook->BeforePopupMenu = [this](HMENU) { Hook_BeforePopupMenu(); };
    Hook->Attach(Handle(), *bcMain, 0);
}

void frmMain::Form_Unload()
{
    // The icon goes with the window; with it the program's last trace on screen, so the program ends.
    Hook.reset();
    bcMain.reset();
    PostQuitMessage(0);
}

void frmMain::OnCommand(int id, int /*notification*/, HWND /*control*/)
{
    const auto command = static_cast<UINT>(id);
    if (const auto index = m_menu.mnuList.IndexOf(command)) mnuList_Click(*index);
    else if (const auto settings = m_menu.mnuSettings.IndexOf(command)) mnuSettings_Click(*settings);
    else if (const auto helpExit = m_menu.mnuHelpExit.IndexOf(command)) mnuHelpExit_Click(*helpExit);
    else if (const auto help = m_menu.mnuHelp.IndexOf(command)) mnuHelp_Click(*help);
}

} // namespace jitswap
