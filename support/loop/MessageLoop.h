#pragma once
// The program's message loops: the main one, and the one a modal form runs while it is shown.

#include <functional>

namespace jitswap {

// Runs the program's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Runs messages while `showing` holds. A WM_QUIT met on the way ends it and is passed on to the
// loops further out, so that the program still ends.
void RunModalLoop(const std::function<bool()>& showing);

} // namespace jitswap
