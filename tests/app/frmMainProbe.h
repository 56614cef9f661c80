#pragma once
// What the tests need to see of the main window that the user sees only in the notification area.

#include "app/frmMain.h"

namespace jitswap {

struct frmMainProbe {
    static const TrayIcon& Tray(const frmMain& window) { return *window.bcMain; }
    static HICON TrayIcon(const frmMain& window) { return window.bcMain->Icon(); }
};

} // namespace jitswap
