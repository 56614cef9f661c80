#pragma once
// The tray menu as designed: "Context", the only item of the main window's menu bar, whose popup
// is the tray menu, with its item arrays, their design-time items, and the catalogue's items with
// the radio bullet on the one in force.

#include "support/shell/ItemizedMenu.h"
#include "support/shell/MenuItemArray.h"
#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace jitswap {

class CDebuggers;

class MainMenu {
public:
    // The menu bar's position of "Context", whose popup is the tray menu.
    static constexpr int kContextPosition = 0;

    // The elements of each array, by index.
    enum ListItem : int {
        kEditList = 0,        // "Править список..."
        kListSeparator = 1,
        kUnknown = 9,         // "Неизвестный": shown only while no entry is in force
        kFirstDebugger = 10,  // the catalogue's entries follow, one per entry
        kCheckSeparator = 40,  // below the catalogue's last possible entry
        kCheckDebugger = 41,   // "Проверить отладчик..."
    };
    enum SettingsItem : int { kSettingsSeparator = 0, kStartWithWindows = 1, kReportChanges = 2 };
    enum HelpExitItem : int { kHelpExitSeparator = 0, kHelp = 1, kExit = 2 };
    enum HelpItem : int { kContents = 0, kHelpSeparator = 1, kAbout = 2 };

    MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // Hands the menu bar over to the window that shows it, which destroys it with itself.
    HMENU ReleaseBar() noexcept { return m_bar.release(); }

    // The catalogue's items, one per entry, in place of those shown before. Goes on past an item
    // that cannot be shown.
    void ShowDebuggers(const CDebuggers& debuggers) noexcept;
    // The radio bullet on the entry in force or, with none in force, on "Неизвестный", which is
    // shown only then.
    void MarkInForce(std::optional<std::int32_t> index);

private:
    UniqueMenu m_bar;
    ItemizedMenu m_context;
    ItemizedMenu m_helpMenu;

public:
    MenuItemArray mnuList;      // "Править список...", separator, "Неизвестный", the catalogue, separator,
                                // "Проверить отладчик..."
    MenuItemArray mnuSettings;  // separator, "Запускать с Windows", "Сообщать о смене отладчика"
    MenuItemArray mnuHelpExit;  // separator, "Справка", "Выход"
    MenuItemArray mnuHelp;      // the "Справка" submenu: "&Содержание...", separator, "О программе..."
};

} // namespace jitswap
