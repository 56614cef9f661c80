#pragma once

#include <windows.h>

namespace jitswap {

struct WindowClassLook {
    UINT style = 0;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

// Registers the program's window class under that name, unless it is registered already: each
// kind of window registers its class on first use and keeps it for the life of the process.
void RegisterWindowClass(const wchar_t* className, WNDPROC procedure, const WindowClassLook& look = {});

} // namespace jitswap
