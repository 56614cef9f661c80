#include "support/loop/MessageLoop.h"

#include "support/loop/LoopWait.h"

namespace jitswap {

// Both loops serve the program's waits too (LoopWait): a change while a dialog is open is seen at once.
int RunMessageLoop(MessageStep step)
{
    MSG message{};
    while (NextMessage(message)) step(message);
    return static_cast<int>(message.wParam);
}

void RunModalLoop(const std::function<bool()>& showing, MessageStep step)
{
    MSG message{};
    while (showing()) {
        if (!NextMessage(message)) {
            // The program is ending: leave the quit request for the loops further out.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        step(message);
    }
}

} // namespace jitswap
