#include "support/shell/FileDialog.h"
#include "support/text/NumberText.h"
#include "support/win32/ComApartment.h"
#include "support/win32/SystemLibrary.h"
#include "support/win32/Win32Error.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

namespace jitswap {
namespace {

// Room for the longest path the system can open, so that no choice is refused for its length.
constexpr DWORD kFileNameCapacity = 32768;

// "Text|pattern|Text|pattern" as the dialog takes it: every part ends with a NUL, the list with another.
std::wstring DialogFilter(const std::wstring& filter)
{
    std::wstring parts = filter;
    std::replace(parts.begin(), parts.end(), L'|', L'\0');
    parts.push_back(L'\0');
    parts.push_back(L'\0');
    return parts;
}

} // namespace

bool FileDialog::Show()
{
    const std::wstring filter = DialogFilter(Filter);
    std::vector<wchar_t> fileName(kFileNameCapacity, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner;
    dialog.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = kFileNameCapacity;
    dialog.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    // The working directory stays where it was: the program never depends on it, but others might.
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | Flags;

    // The common dialogs are loaded when first asked for: most runs of the program never are.
    const SystemLibrary dialogs(L"comdlg32.dll");
    const ComApartment apartment;
    if (!dialogs.Get<decltype(&GetOpenFileNameW)>("GetOpenFileNameW")(&dialog)) {
        const DWORD failure = dialogs.Get<decltype(&CommDlgExtendedError)>("CommDlgExtendedError")();
        if (failure == 0) return false;  // the user cancelled
        throw Failure("Showing the file dialog failed (error " + NarrowNumberText(failure) + ")");
    }
    m_fileName.assign(fileName.data());
    return true;
}

} // namespace jitswap
