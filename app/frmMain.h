#pragma once
// The main window: created hidden and never shown. It owns the tray icon, the tray menu and its
// hook, and the catalogue the menu lists; everything the user does in the tray ends up here.

#include "aedebug/SystemDebugger.h"
#include "app/ChangeTracker.h"
#include "app/MainMenu.h"
#include "support/form/AboutBox.h"
#include "support/form/Form.h"
#include "support/registry/SettingsStore.h"
#include "support/shell/AutostartRegistry.h"
#include "support/shell/TrayIcon.h"
#include "support/shell/TrayMenuHook.h"
#include "support/window/WindowIcons.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace jitswap {

class CDebuggers;
class frmDebuggerCheck;
class frmDebuggersList;

// Where the main window reads the catalogue, its own settings and the system's setting.
struct frmMainSources {
    SettingsStoreOpener openStore;
    std::function<SystemDebuggerState()> readSystem;
};

class frmMain final : public Form {
public:
    frmMain();
    explicit frmMain(frmMainSources sources);
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

    // The tray icon with its generic tip, before anything else the start does.
    void ShowTrayIcon();
    void Form_Load();
    // The window's and the program's hidden window's icons at the sizes of `dpi`; with the tray's.
    void LoadWindowIcons(UINT dpi);
    void ReloadIcons(UINT dpi);

    // The tray menu's catalogue part and switching.
    void RebuildDebuggersMenu();
    void ReloadCatalogue();
    void ShowDebuggersMenu();
    void ApplyDebugger(std::int32_t index);
    // Jitswap's own switch, from the menu or from the check; true when it was done.
    bool SwitchAsOwn(const DebuggerChoice& choice, HWND owner);
    void mnuList_Click(int index);
    void Hook_BeforePopupMenu();

    // "Проверить отладчик...": the check dialog, and the switch its "Исправить" asks for.
    void ShowDebuggerCheck();
    bool SwitchFromCheck(const DebuggerChoice& choice, HWND owner);

    // What the tray shows of changes, whoever makes them: the watches, the tooltip, the balloon.
    void WatchForChanges();
    void Catalogue_Changed();
    void SystemSetting_Changed();
    bool ReadSystemSetting();
    void ShowEntryInForce(std::optional<std::int32_t> index);
    void OfferSwitchBack(const DebuggerEntry& previous);
    void WithdrawSwitchBack();
    void bcMain_BalloonClick();
    void ReadReportChanges();
    void ToggleReportChanges();

    // Start with Windows, help, About and exit.
    void RefreshAutostartCheck();
    void ToggleAutostart();
    void mnuSettings_Click(int index);
    void mnuHelp_Click(int index);
    void mnuHelpExit_Click(int index);
    void OpenHelpFile();
    void ShowAbout(std::wstring_view description);

    frmMainSources m_Sources;
    MainMenu m_Menu;
    std::unique_ptr<TrayIcon> bcMain;
    std::unique_ptr<TrayMenuHook> Hook;
    std::unique_ptr<CDebuggers> m_Debuggers;
    std::unique_ptr<frmDebuggersList> m_DebuggersList;
    std::unique_ptr<frmDebuggerCheck> m_DebuggerCheck;
    ChangeTracker m_Changes;
    bool m_ReportChanges = true;
    AutostartRegistry m_Autostart;
    AboutBox m_About;
    WindowIcons m_Icons;
    WindowIcons m_ApplicationIcons;
};

} // namespace jitswap
