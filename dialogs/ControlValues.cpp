#include "dialogs/ControlValues.h"

#include "support/win32/Win32Error.h"

namespace jitswap {

std::wstring TextOf(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void SetTextOf(HWND window, const std::wstring& text)
{
    if (!SetWindowTextW(window, text.c_str())) ThrowLastError("Setting the text of a control");
}

int CheckValueOf(HWND checkBox)
{
    return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void SetCheckValueOf(HWND checkBox, int value)
{
    SendMessageW(checkBox, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace jitswap
