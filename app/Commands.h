#pragma once
// The commands for people and scripts: they write to the console they were typed in, never show
// the tray icon, run whether or not the tray program runs, and end with an exit code.

#include "app/Command.h"

namespace jitswap {

// Carries out any command but Tray and returns the process's exit code.
int RunCommand(const Command& command);

} // namespace jitswap
