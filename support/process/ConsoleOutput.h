#pragma once
// Lines for the console a command was typed in. The program is a GUI program and has no console
// of its own: it borrows its parent's when there is one. A console gets UTF-16, so every script
// shows; a file or pipe its output is redirected to gets UTF-8.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <string_view>

namespace jitswap {

class ConsoleOutput {
public:
    // Attaches to the parent's console. With neither a console nor a redirection, lines go nowhere.
    ConsoleOutput();
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

    void Line(std::wstring_view text);       // standard output
    void ErrorLine(std::wstring_view text);  // standard error

    // The console's window, for windows the command shows on its behalf; null when none.
    HWND Window() const noexcept;

private:
    struct Stream {
        HANDLE handle = nullptr;
        bool console = false;
    };
    Stream Find(DWORD standardHandle, bool attached);
    static void Write(const Stream& stream, std::wstring_view text);

    UniqueHandle m_consoleOut;  // the console's screen, when the standard handles are not set
    Stream m_out;
    Stream m_error;
};

} // namespace jitswap
