#include "support/MessageLoop.h"

#include "support/Form.h"
#include "support/Win32Error.h"

#include <windows.h>

namespace jitswap {

int RunMessageLoop()
{
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) ThrowLastError("Reading the message queue");
        Form::ProcessMessage(message);
    }
}

void RunModalLoop(const std::function<bool()>& showing)
{
    MSG message{};
    while (showing()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        Form::ProcessMessage(message);
    }
}

} // namespace jitswap
