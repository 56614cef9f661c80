#include "support/window/MessageBox.h"

#include "support/process/ApplicationInfo.h"
#include "support/win32/Win32Error.h"
#include "support/window/ApplicationWindow.h"

#include <string>

namespace jitswap {

int ShowMessage(std::wstring_view text, UINT style)
{
    // A tray program is rarely the active one when it speaks: without an owner of its own thread the
    // box could open behind other programs' windows, and the user would not see it.
    HWND owner = GetActiveWindow();
    if (!owner) owner = qsGetThunderMainHandle();
    const std::wstring message(text);
    const int answer = MessageBoxW(owner, message.c_str(), kApplicationTitle, style | MB_SETFOREGROUND);
    if (answer == 0) ThrowLastError("Showing a message");
    return answer;
}

} // namespace jitswap
