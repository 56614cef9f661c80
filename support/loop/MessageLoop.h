#pragma once
// The program's message loops: the main one, and the one a modal window runs while it is shown.
// What is done with each message is the caller's (the window base's key handling, for one).

#include <windows.h>

#include <functional>

namespace jitswap {

// What a loop does with one message it took from the queue.
using MessageStep = void (*)(MSG& message);

// Runs the program's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop(MessageStep step);

// Runs messages while `showing` holds. A WM_QUIT met on the way ends it and is passed on to the
// loops further out, so that the program still ends.
void RunModalLoop(const std::function<bool()>& showing, MessageStep step);

} // namespace jitswap
