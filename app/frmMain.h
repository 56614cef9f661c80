#pragma once
// The main window: created hidden and never shown. It owns the tray icon, the tray menu and its
// hook, and the catalogue the menu lists; everything the user does in the tray ends up here.

#include "app/MainMenu.h"
#include "support/Form.h"
#include "support/AboutBox.h"
#include "support/AutostartRegistry.h"
#include "support/TrayIcon.h"
#include "support/TrayMenuHook.h"
#include "support/WindowIcons.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace jitswap {

class CDebuggers;
class frmDebuggersList;

class frmMain final : public Form {
public:
    frmMain();
    ~frmMain() override;

    // Creates the hidden window and runs Form_Load: afterwards the icon is in the notification area.
    void Load();

protected:
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_Unload() override;
    void OnCommand(int id, int notification, HWND control) override;
    void OnDpiChanged() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend struct frmMainProbe;  // in-process tests look at the menu the user would see

    void Form_Load();
    // The window's, the program's hidden window's and the tray's icons at the sizes of `dpi`.
    void ReloadIcons(UINT dpi);

    // The tray menu's catalogue part and switching.
    void RebuildDebuggersMenu();
    void ApplyDebugger(std::int32_t index);
    void mnuList_Click(int index);
    void Hook_BeforePopupMenu();

    // Start with Windows, help, About and exit.
    void RefreshAutostartCheck();
    void ToggleAutostart();
    void mnuSettings_Click(int index);
    void mnuHelp_Click(int index);
    void mnuHelpExit_Click(int index);
    void OpenHelpFile();
    void ShowAbout(std::wstring_view description);

    // The tray control and the hook keep their design names; the window's own data are named like
    // its catalogue, m_Debuggers.
    MainMenu m_Menu;
    std::unique_ptr<TrayIcon> bcMain;
    std::unique_ptr<TrayMenuHook> Hook;
    std::unique_ptr<CDebuggers> m_Debuggers;
    std::unique_ptr<frmDebuggersList> m_DebuggersList;
    AutostartRegistry m_Autostart;
    AboutBox m_About;
    WindowIcons m_Icons;
    WindowIcons m_ApplicationIcons;
};

} // namespace jitswap
