#include "support/loop/MessageLoop.h"

#include "support/form/Form.h"
#include "support/loop/LoopWait.h"

#include <windows.h>

namespace jitswap {

// Both loops serve the program's waits too (LoopWait): a change while a dialog is open is seen at once.
int RunMessageLoop()
{
    MSG message{};
    while (NextMessage(message)) Form::ProcessMessage(message);
    return static_cast<int>(message.wParam);
}

void RunModalLoop(const std::function<bool()>& showing)
{
    MSG message{};
    while (showing()) {
        if (!NextMessage(message)) {
            // The program is ending: leave the quit request for the loops further out.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        Form::ProcessMessage(message);
    }
}

} // namespace jitswap
