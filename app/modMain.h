#pragma once

namespace jitswap {

// Starts the program: one instance per session, a hidden main window with the tray icon, and the
// message loop until that window is gone. Returns the process's exit code.
int Main();

} // namespace jitswap
