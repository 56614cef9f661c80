#pragma once
// "Отладчик": the modal dialog for one catalogue entry. It holds a title, a command line, on
// 64-bit Windows a second one for 32-bit programs, and the automatic-invocation flag in its
// controls; the caller fills them before showing it (for an edit) and reads them back after it
// has hidden itself. Each "..." picks its command line from a file and "Определить" copies the
// system's current debugger; "Известные отладчики" fills every field for a debugger the program
// knows. "Ok" first has the command lines checked. Every close request only hides the
// dialog, so the caller can still read it; only the caller's own Unload destroys it.

#include "catalogue/DebuggerEntry.h"
#include "catalogue/DebuggerPresets.h"
#include "dialogs/BackdropForm.h"

#include <string>

namespace jitswap {

class frmDebuggerEntry final : public BackdropForm {
public:
    // The controls' IDs; "Ok" and "Отмена" carry the IDs that Enter and Esc press.
    enum ControlId : int {
        kCmdOk = IDOK,
        kCmdCancel = IDCANCEL,
        kLblTag0 = 100,
        kLblTag1,
        kTxtTitle,
        kTxtCommandLine,
        kCmdBrowse,
        kChkAuto,
        kCmdDetect,
        kLblTag2,
        kTxtCommandLine32,
        kCmdBrowse32,
        kCmdPresets,
        // The known debuggers' menu: one item per preset, in the order of kAllPresets.
        kMnuPreset = 200,
    };

    // Creates the window hidden and loads it: empty fields, "Ok" disabled, centred.
    frmDebuggerEntry();

    // True only after "Ok" was pressed.
    bool Ok() const noexcept { return m_ok; }

    // The entry the controls hold, exactly as typed: nothing is trimmed. The command line for
    // 32-bit programs is held, though not shown, on 32-bit Windows.
    DebuggerEntry Entry() const;
    void SetEntry(const DebuggerEntry& entry);

protected:
    bool Form_QueryUnload(UnloadMode mode) override;
    void OnCommand(int id, int notification, HWND control) override;
    void OnDpiChanged() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void FitLabels();
    void Form_Load();
    void txtTitle_Change();
    void txtTitle_GotFocus();
    void txtCommandLine_GotFocus();
    void txtCommandLine32_GotFocus();
    void cmdPresets_Click();
    void mnuPreset_Click(PresetKind kind);
    bool ConfirmCommandLines();
    void cmdBrowse_Click();
    void cmdBrowse32_Click();
    void BrowseInto(HWND commandLineBox);
    void cmdDetect_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

    bool m_ok = false;
    HWND lblTag[3] = {};
    HWND txtTitle = nullptr;
    HWND txtCommandLine = nullptr;
    HWND cmdBrowse = nullptr;
    HWND txtCommandLine32 = nullptr;
    HWND cmdBrowse32 = nullptr;
    HWND cmdPresets = nullptr;
    HWND chkAuto = nullptr;
    HWND cmdDetect = nullptr;
    HWND cmdCancel = nullptr;
    HWND cmdOk = nullptr;
};

} // namespace jitswap
