#pragma once
// The program's icon group, loaded at the size each place shows it.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

namespace jitswap {

// The icon group at the notification area's icon size for that DPI; the caller owns it.
UniqueIcon qsLoadResTrayIcon(const wchar_t* iconGroup, UINT dpi);

// The icon group at a square size, drawn from its nearest image; the caller owns it.
UniqueIcon LoadResIcon(const wchar_t* iconGroup, int size);

} // namespace jitswap
