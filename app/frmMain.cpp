#include "app/frmMain.h"

#include "app/FirstStart.h"
#include "catalogue/CDebuggers.h"
#include "dialogs/frmDebuggerCheck.h"
#include "dialogs/frmDebuggersList.h"
#include "support/registry/OpenAppSettingsStore.h"
#include "support/win32/SkipOnFailure.h"
#include "support/window/ApplicationWindow.h"
#include "support/window/CenterForm.h"
#include "support/window/Dpi.h"
#include "support/window/ResourceImages.h"

#include <utility>

namespace jitswap {

frmMain::frmMain() : frmMain(frmMainSources{OpenAppSettingsStore, ReadSystemDebuggerState}) {}

frmMain::frmMain(frmMainSources sources) : m_Sources(std::move(sources)), m_Changes(m_Sources.readSystem) {}

frmMain::~frmMain() = default;

void frmMain::Load()
{
    // The icon before any window of the form's own: it is what a start is waited for by, and each
    // window made before it would keep it waiting.
    ShowTrayIcon();
    WindowSpec design;
    design.className = L"JitswapMain";
    design.caption = L"Jitswap";
    design.menu = m_Menu.ReleaseBar();
    design.dialogKeys = false;
    CreateFormWindow(design);
    Form_Load();
}

void frmMain::ShowTrayIcon()
{
    bcMain = std::make_unique<TrayIcon>();
    bcMain->SetText(L"Jitswap");
    bcMain->SetIcon(qsLoadResTrayIcon(L"A_MAIN", WindowDpi(bcMain->Handle())));
    bcMain->ShellRestarted = [this] { ReloadIcons(WindowDpi(Handle())); };
    bcMain->BalloonClicked = [this] { bcMain_BalloonClick(); };
    bcMain->SetVisible(true);
}

void frmMain::Form_Load()
{
    // The rest fills in the icon's tip and menu before the loop serves the first click, and the menu
    // pops up only once the hook is on, so no click meets a menu half made.
    qsCenterFormEx(Handle());
    LoadWindowIcons(Dpi());
    RefreshAutostartCheck();
    ReadReportChanges();
    SkipOnFailure([this] { SeedCatalogueOnFirstStart(m_Sources.openStore); });
    // Watched before the first read, so that no change falls between the two.
    WatchForChanges();
    RebuildDebuggersMenu();

    Hook = std::make_unique<TrayMenuHook>();
    Hook->BeforePopupMenu = [this](HMENU) { Hook_BeforePopupMenu(); };
    Hook->Attach(Handle(), *bcMain, MainMenu::kContextPosition);
}

void frmMain::LoadWindowIcons(UINT dpi)
{
    m_Icons.Load(Handle(), L"A_MAIN", dpi);
    m_ApplicationIcons.Load(qsGetThunderMainHandle(), L"A_MAIN", dpi);
}

void frmMain::ReloadIcons(UINT dpi)
{
    LoadWindowIcons(dpi);
    if (bcMain) bcMain->SetIcon(qsLoadResTrayIcon(L"A_MAIN", dpi));
}

void frmMain::OnDpiChanged()
{
    ReloadIcons(Dpi());
}

LRESULT frmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A hidden window hears of a new DPI by WM_DPICHANGED only in some cases; a changed scaling or
    // display also shows in these broadcasts, and the window's DPI then says what the icons need.
    if (message == WM_SETTINGCHANGE || message == WM_DISPLAYCHANGE) ReloadIcons(WindowDpi(Handle()));
    return Form::OnMessage(message, wParam, lParam);
}

void frmMain::Form_Unload()
{
    // The icon goes with the window; with it the program's last trace on screen, so the program ends.
    m_Changes.StopWatching();
    Hook.reset();
    bcMain.reset();
    PostQuitMessage(0);
}

void frmMain::OnCommand(int id, int /*notification*/, HWND /*control*/)
{
    const auto command = static_cast<UINT>(id);
    if (const auto index = m_Menu.mnuList.IndexOf(command)) mnuList_Click(*index);
    else if (const auto settings = m_Menu.mnuSettings.IndexOf(command)) mnuSettings_Click(*settings);
    else if (const auto helpExit = m_Menu.mnuHelpExit.IndexOf(command)) mnuHelpExit_Click(*helpExit);
    else if (const auto help = m_Menu.mnuHelp.IndexOf(command)) mnuHelp_Click(*help);
}

} // namespace jitswap
