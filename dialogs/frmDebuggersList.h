#pragma once
// "Список отладчиков": the modal dialog in which the user adds, edits and removes catalogue
// entries. It works on a catalogue object of its own, read from the settings store at every
// opening; "Ok" writes it back, with the entries another process stored meanwhile after the
// user's, and "Отмена" and the close box drop the edits. The object outlives its window, which
// exists only while the dialog is open.

#include "catalogue/CDebuggers.h"
#include "dialogs/BackdropForm.h"
#include "dialogs/ButtonPicture.h"
#include "support/registry/SettingsStore.h"

namespace jitswap {

class frmDebuggersList final : public BackdropForm {
public:
    // "Ok" and "Отмена" carry the IDs that Enter and Esc press.
    enum ControlId : int {
        kCmdOk = IDOK,
        kCmdCancel = IDCANCEL,
        kLstDebuggers = 100,
        kCmdAdd,
        kCmdEdit,
        kCmdRemove,
    };

    // `openStore` reaches the settings store the catalogue is read from and saved to.
    explicit frmDebuggersList(SettingsStoreOpener openStore);

    // Opens the dialog modally and returns when it has closed. While it is open already, it only
    // comes to the front.
    void ShowDialog();
    bool IsOpen() const noexcept { return IsLoaded(); }

    // Enables Add, Edit and Remove for the number of entries in the list.
    void ReenableButtons();

protected:
    void Form_KeyDown(int keyCode, int shift) override;
    void OnCommand(int id, int notification, HWND control) override;
    void OnDpiChanged() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void Form_Load();
    void FillDebuggersList();
    void ClickIfEnabled(HWND button);
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdRemove_Click();
    void lstDebuggers_DblClick();
    void cmdOk_Click();
    bool SaveKeepingEntriesAddedMeanwhile();
    void cmdCancel_Click();

    int ListCount() const;
    int ListIndex() const;
    void SetListIndex(int index);
    void ReplaceListItem(int index, const std::wstring& text);
    const ButtonPicture* PictureOf(int id) const;

    SettingsStoreOpener m_openStore;
    CDebuggers m_Debuggers;
    CDebuggers m_read;  // as the store held it when the dialog opened
    ButtonPicture m_addPicture;
    ButtonPicture m_editPicture;
    ButtonPicture m_removePicture;
    HWND lstDebuggers = nullptr;
    HWND cmdAdd = nullptr;
    HWND cmdEdit = nullptr;
    HWND cmdRemove = nullptr;
    HWND cmdOk = nullptr;
    HWND cmdCancel = nullptr;
};

} // namespace jitswap
