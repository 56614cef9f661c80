#include "support/process/ConsoleOutput.h"

#include "support/text/TextConversion.h"

#include <string>

namespace jitswap {

ConsoleOutput::ConsoleOutput()
{
    const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    m_out = Find(STD_OUTPUT_HANDLE, attached);
    m_error = Find(STD_ERROR_HANDLE, attached);
}

ConsoleOutput::Stream ConsoleOutput::Find(DWORD standardHandle, bool attached)
{
    DWORD mode = 0;
    HANDLE handle = GetStdHandle(standardHandle);
    if (handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN)
        return {handle, GetConsoleMode(handle, &mode) != FALSE};
    if (!attached) return {};
    // A GUI program started from a console is given no standard handles: it opens the screen itself.
    if (!m_consoleOut) {
        HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        if (screen == INVALID_HANDLE_VALUE) return {};
        m_consoleOut.reset(screen);
    }
    return {m_consoleOut.get(), true};
}

void ConsoleOutput::Line(std::wstring_view text)
{
    Write(m_out, text);
}

void ConsoleOutput::ErrorLine(std::wstring_view text)
{
    Write(m_error, text);
}

HWND ConsoleOutput::Window() const noexcept
{
    return GetConsoleWindow();
}

void ConsoleOutput::Write(const Stream& stream, std::wstring_view text)
{
    // Output is a courtesy: a reader that went away changes nothing about what the command did.
    if (!stream.handle) return;
    std::wstring line(text);
    line += L"\r\n";
    DWORD written = 0;
    if (stream.console) {
        WriteConsoleW(stream.handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    const std::string bytes = WideToUtf8(line);
    WriteFile(stream.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace jitswap
