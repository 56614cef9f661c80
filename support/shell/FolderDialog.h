#pragma once

#include <windows.h>

#include <string>

namespace jitswap {

// The system's dialog for choosing one existing folder.
class FolderDialog {
public:
    std::wstring Title;  // the dialog's caption: what the folder is for
    HWND Owner = nullptr;

    // True when the user chose a folder.
    bool Show();
    const std::wstring& FolderName() const { return m_folderName; }

private:
    std::wstring m_folderName;
};

} // namespace jitswap
