// The entry dialog's known debuggers, and the checks its "Ok" runs on the command lines.

#include "aedebug/PresetDetection.h"
#include "dialogs/CommandLineConfirmation.h"
#include "dialogs/ControlValues.h"
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
        const bool asks = !FindPreset(kind, places) || kind == PresetKind::ProcDump;
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
    if (kind == PresetKind::ProcDump) {
        FolderDialog folder;
        folder.Title = L"Папка для дампов ProcDump";
        folder.Owner = Handle();
        if (!folder.Show()) return;
        location->dumpFolder = folder.FolderName();
    }
    const DebuggerEntry entry = PresetEntry(kind, *location);
    SetTextOf(txtTitle, entry.Title);
    SetTextOf(txtCommandLine, entry.CommandLine);
    SetTextOf(txtCommandLine32, entry.CommandLine32);
    SetCheckValueOf(chkAuto, entry.Auto ? 1 : 0);
}

bool frmDebuggerEntry::ConfirmCommandLines()
{
    const std::pair<HWND, const wchar_t*> boxes[] = {{txtCommandLine, L""},
                                                     {txtCommandLine32, L"Для 32-битных программ:\n"}};
    for (const auto& [box, which] : boxes) {
        // A row that is not shown (on 32-bit Windows) is not written either.
        if ((GetWindowLongPtrW(box, GWL_STYLE) & WS_VISIBLE) == 0) continue;
        std::wstring commandLine = TextOf(box);
        const bool accepted = ConfirmCommandLine(commandLine, which);
        if (commandLine != TextOf(box)) SetTextOf(box, commandLine);
        if (!accepted) {
            SetFocus(box);
            return false;
        }
    }
    return true;
}

} // namespace jitswap
