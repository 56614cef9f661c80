// The entry dialog's known debuggers: the menu of them, and the fields filled for the one chosen.

#include "catalogue/PresetDetection.h"
#include "dialogs/frmDebuggerEntry.h"
#include "support/shell/FileDialog.h"
#include "support/shell/FolderDialog.h"
#include "support/win32/Win32Error.h"

namespace jitswap {

void frmDebuggerEntry::cmdPresets_Click()
{
    // Looked up at every click: a debugger installed meanwhile is offered as found.
    const DetectionPlaces places = ThisMachine();
    const UniqueMenu menu(CreatePopupMenu());
    if (!menu) ThrowLastError("Creating the known debuggers' menu");
    for (std::size_t i = 0; i < kAllPresets.size(); ++i) {
        const PresetKind kind = kAllPresets[i];
        if (!PresetOffered(kind, places)) continue;
        // The dots say that choosing it asks where the debugger is.
        const bool asks = !FindPreset(kind, places) || PresetRowOf(kind).dumpFolderTitle;
        const std::wstring caption = PresetTitle(kind) + (asks ? L"..." : L"");
        AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(kMnuPreset + static_cast<int>(i)), caption.c_str());
    }
    RECT button{};
    GetWindowRect(cmdPresets, &button);
    // The choice comes back as a command, as from any menu.
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.left, button.bottom, 0, Handle(),
                   nullptr);
}

void frmDebuggerEntry::mnuPreset_Click(PresetKind kind)
{
    const DetectionPlaces places = ThisMachine();
    auto location = FindPreset(kind, places);
    if (!location) {
        FileDialog dialog;
        dialog.DefaultExt = L"EXE";
        dialog.Filter = PresetFileFilter(kind) + L"|Все файлы|*.*";
        dialog.Owner = Handle();
        if (!dialog.Show()) return;
        location = LocationFromChosenFile(kind, dialog.FileName(), places);
    }
    if (const wchar_t* dumpFolderTitle = PresetRowOf(kind).dumpFolderTitle) {
        FolderDialog folder;
        folder.Title = dumpFolderTitle;
        folder.Owner = Handle();
        if (!folder.Show()) return;
        location->dumpFolder = folder.FolderName();
    }
    SetEntry(PresetEntry(kind, *location));
}

} // namespace jitswap
