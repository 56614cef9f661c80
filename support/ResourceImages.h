#pragma once
// The program's icon group, loaded at the size each place shows it.

#include "support/UniqueHandle.h"

#include <windows.h>

namespace jitswap {

// Sets the big and small icons of the window from the icon group, at the sizes the system uses
// at the window's DPI.
void qsSetWindowResIconAll(HWND window, const wchar_t* iconGroup);

// The icon group at the notification area's icon size; the caller owns it.
UniqueIcon qsLoadResTrayIcon(const wchar_t* iconGroup);

} // namespace jitswap
