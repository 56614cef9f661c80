#pragma once
// "Отладчик": the modal dialog for one catalogue entry. It holds a title, a command line and the
// automatic-invocation flag in its controls; the caller fills them before showing it (for an
// edit) and reads them back after it has hidden itself. "..." picks the command line from a file
// and "Определить" copies the system's current debugger. Every close request only hides the
// dialog, so the caller can still read it; only the caller's own Unload destroys it.

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
    };

    // Creates the window hidden and loads it: empty fields, "Ok" disabled, centred.
    frmDebuggerEntry();

    // True only after "Ok" was pressed.
    bool Ok() const noexcept { return m_ok; }

    // What the controls hold, exactly as typed: nothing is trimmed.
    std::wstring TitleText() const;
    void SetTitleText(const std::wstring& title);
    std::wstring CommandLineText() const;
    void SetCommandLineText(const std::wstring& commandLine);
    // 0 unchecked, 1 checked.
    int AutoValue() const;
    void SetAutoValue(int value);

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
    void cmdBrowse_Click();
    void cmdDetect_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

    bool m_ok = false;
    HWND lblTag[2] = {};
    HWND txtTitle = nullptr;
    HWND txtCommandLine = nullptr;
    HWND cmdBrowse = nullptr;
    HWND chkAuto = nullptr;
    HWND cmdDetect = nullptr;
    HWND cmdCancel = nullptr;
    HWND cmdOk = nullptr;
};

} // namespace jitswap
