#pragma once

#include <windows.h>

#include <string>

namespace jitswap {

// The system's dialog for choosing one existing file.
class FileDialog {
public:
    std::wstring DefaultExt;   // without the dot, as "EXE"
    std::wstring Filter;       // pairs of display text and pattern, joined by '|'
    DWORD Flags = 0;           // extra OPENFILENAME flags; 0 for the ordinary dialog
    HWND Owner = nullptr;

    // True when the user chose a file.
    bool Show();
    const std::wstring& FileName() const { return m_fileName; }

private:
    std::wstring m_fileName;
};

} // namespace jitswap
