#pragma once
// Kernel objects the program's message loops wait on beside the message queue. A loop with no
// message to process sleeps until a message arrives or one of these is signalled, and then runs
// that object's handler; nothing else wakes the program, so while nothing happens it costs nothing.

#include <windows.h>

#include <functional>

namespace jitswap {

// While it lives, the message loops of the user-interface thread run `signalled` each time
// `object` is signalled. The wait resets an auto-reset event; any other object must be reset by
// its handler, or it runs again at once.
class LoopWait {
public:
    LoopWait(HANDLE object, std::function<void()> signalled);
    ~LoopWait();
    LoopWait(const LoopWait&) = delete;
    LoopWait& operator=(const LoopWait&) = delete;

private:
    HANDLE m_object;
};

// The next message of this thread's queue, serving the waits until there is one (GetMessage would
// sleep through them). False for WM_QUIT, whose exit code is then in `message.wParam`.
bool NextMessage(MSG& message);

// Sleeps until a message is in the queue, one waited-for object was signalled, or `milliseconds`
// have passed; for loops that look at the queue themselves. True when a handler ran.
bool WaitForMessageOrSignal(DWORD milliseconds);

} // namespace jitswap
