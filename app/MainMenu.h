#pragma once
// The tray menu as designed: "Context", the only item of the main window's menu bar, whose popup
// is the tray menu, with its item arrays and their design-time items.

#include "support/shell/ItemizedMenu.h"
#include "support/shell/MenuItemArray.h"
#include "support/win32/UniqueHandle.h"

#include <windows.h>

namespace jitswap {

class MainMenu {
public:
    MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // Hands the menu bar over to the window that shows it, which destroys it with itself.
    HMENU ReleaseBar() noexcept { return m_bar.release(); }

private:
    UniqueMenu m_bar;
    ItemizedMenu m_context;
    ItemizedMenu m_helpMenu;

public:
    MenuItemArray mnuList;      // "Править список...", separator, "Неизвестный", the catalogue
    MenuItemArray mnuSettings;  // separator, "Запускать с Windows", "Сообщать о смене отладчика"
    MenuItemArray mnuHelpExit;  // separator, "Справка", "Выход"
    MenuItemArray mnuHelp;      // the "Справка" submenu: "&Содержание...", separator, "О программе..."
};

} // namespace jitswap
