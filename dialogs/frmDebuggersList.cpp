#include "dialogs/frmDebuggersList.h"

#include "dialogs/ButtonToolTips.h"
#include "dialogs/frmDebuggerEntry.h"
#include "support/form/CommandRoute.h"
#include "support/win32/ScopeGuard.h"
#include "support/window/MessageBox.h"

#include <utility>

namespace jitswap {
namespace {

constexpr int kClientWidth = 6015;
constexpr int kClientHeight = 3795;
// A full-height band from the left edge to x = 2175, under the small buttons.
constexpr TwipsRect kShpBack{-60, -120, 2235, 3975};

constexpr DWORD kPictureButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

} // namespace

frmDebuggersList::frmDebuggersList(SettingsStoreOpener openStore)
    : BackdropForm(kShpBack), m_openStore(std::move(openStore)), m_Debuggers(m_openStore), m_read(m_openStore)
{
}

void frmDebuggersList::ShowDialog()
{
    if (IsOpen()) {
        Activate();
        return;
    }
    // The window lives only while the dialog is open, whichever way the opening ends: a failure
    // while loading, or a quit request that ends the modal loop with the window still there.
    const auto closer = OnScopeExit([this] {
        if (IsLoaded()) Unload();
    });
    CreateControls();
    Form_Load();
    ShowModal();
}

void frmDebuggersList::CreateControls()
{
    WindowSpec design;
    design.caption = L"Список отладчиков";
    design.clientWidthTwips = kClientWidth;
    design.clientHeightTwips = kClientHeight;
    CreateFormWindow(design);
    SetDefaultButton(kCmdOk);

    // Creation order is the tab order.
    lstDebuggers = AddControl(L"LISTBOX", nullptr,
                              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                              {120, 120, 5775, 3000}, kLstDebuggers, WS_EX_CLIENTEDGE);
    cmdAdd = AddControl(L"BUTTON", nullptr, kPictureButtonStyle, {180, 3240, 375, 375}, kCmdAdd);
    cmdEdit = AddControl(L"BUTTON", nullptr, kPictureButtonStyle, {600, 3240, 375, 375}, kCmdEdit);
    cmdRemove = AddControl(L"BUTTON", nullptr, kPictureButtonStyle, {1020, 3240, 375, 375}, kCmdRemove);
    cmdOk = AddControl(L"BUTTON", L"Ok", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {3000, 3240, 1395, 435}, kCmdOk);
    cmdCancel =
        AddControl(L"BUTTON", L"Отмена", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, {4500, 3240, 1395, 435}, kCmdCancel);

    HWND toolTips = CreateToolTips(Handle());
    AddToolTip(toolTips, cmdAdd, L"Добавить (Ins)");
    AddToolTip(toolTips, cmdEdit, L"Править (F2)");
    AddToolTip(toolTips, cmdRemove, L"Удалить (Del)");
}

void frmDebuggersList::Form_Load()
{
    CenterWithoutIcon();
    m_addPicture.Load(L"IDB_BTN_ADD", Dpi());
    m_removePicture.Load(L"IDB_BTN_REMOVE", Dpi());
    m_editPicture.Load(L"IDB_BTN_PASSWORD", Dpi());
    FillDebuggersList();
}

void frmDebuggersList::FillDebuggersList()
{
    {
        // Read twice in one turn of the store: the second copy is what Ok tells others' saves by.
        const auto turn = m_openStore();
        m_Debuggers.ReadDebuggers();
        m_read.ReadDebuggers();
    }
    for (std::int32_t i = 0; i < m_Debuggers.Count(); ++i) {
        SendMessageW(lstDebuggers, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_Debuggers.Entry(i).title.c_str()));
    }
    ReenableButtons();
    if (ListCount() > 0) SetListIndex(0);
}

void frmDebuggersList::ReenableButtons()
{
    const int count = ListCount();
    EnableWindow(cmdRemove, count != 0);
    EnableWindow(cmdAdd, count != CDebuggers::Capacity);
    EnableWindow(cmdEdit, count != 0);
}

void frmDebuggersList::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode == VK_INSERT && shift == kShiftNone) ClickIfEnabled(cmdAdd);
    if (keyCode == VK_DELETE && shift == kShiftNone) ClickIfEnabled(cmdRemove);
    if (keyCode == VK_F2 && shift == kShiftNone) ClickIfEnabled(cmdEdit);
}

void frmDebuggersList::ClickIfEnabled(HWND button)
{
    // The same path as a click, at once, and without taking the focus from where it is.
    if (IsWindow(button) && IsWindowEnabled(button)) {
        SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
}

void frmDebuggersList::cmdAdd_Click()
{
    frmDebuggerEntry entry;
    entry.ShowModal();
    if (entry.Ok()) {
        const DebuggerEntry added = entry.Entry();
        if (m_Debuggers.Add(added)) {
            SendMessageW(lstDebuggers, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(added.title.c_str()));
            // A list without a selection (it was empty) selects what was added, so that Edit and
            // Remove, which are enabled now, act on an entry the user can see.
            if (ListIndex() < 0) SetListIndex(ListCount() - 1);
            ReenableButtons();
        }
    }
    entry.Unload();
    SetFocus(lstDebuggers);
}

void frmDebuggersList::cmdEdit_Click()
{
    const int index = ListIndex();
    // Nothing is selected, so there is no entry to show or to change.
    if (index < 0) return;

    frmDebuggerEntry entry;
    entry.SetEntry(m_Debuggers.Entry(index));
    entry.ShowModal();
    if (entry.Ok()) {
        const DebuggerEntry edited = entry.Entry();
        if (m_Debuggers.Replace(index, edited)) ReplaceListItem(index, edited.title);
        ReenableButtons();
    }
    entry.Unload();
    SetFocus(lstDebuggers);
}

void frmDebuggersList::lstDebuggers_DblClick()
{
    cmdEdit_Click();
}

void frmDebuggersList::cmdRemove_Click()
{
    if (ShowMessage(L"Вы действительно хотите удалить отладчик из списка?", kStyleQuestion) == IDNO) return;

    int index = ListIndex();
    if (!m_Debuggers.Remove(index)) {
        ShowMessage(L"Не удалось удалить отладчик из списка.", kStyleError);
        return;
    }
    SendMessageW(lstDebuggers, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    const int count = ListCount();
    if (index > count - 1) index = count - 1;
    if (count > 0) SetListIndex(index);
    ReenableButtons();
    SetFocus(lstDebuggers);
}

void frmDebuggersList::cmdOk_Click()
{
    // A save refused or put off leaves the stored catalogue as it was; the edits stay open to
    // retry or drop.
    if (SaveKeepingEntriesAddedMeanwhile()) Unload();
}

bool frmDebuggersList::SaveKeepingEntriesAddedMeanwhile()
{
    // The menu, /use and the balloon switch while the list is open, and a switch keeps the setting
    // it replaces as "Прежний: ..."; that entry is no edit of the user's, so it is kept too.
    std::wstring notFitting;
    if (m_Debuggers.SaveKeepingEntriesAddedSince(m_read, false, notFitting)) return true;
    if (!notFitting.empty()) {
        // Asked outside the store's turn: another process must not wait for the user.
        if (ShowMessage(L"Пока список был открыт, в него добавлены отладчики, которым в нём нет места:\n\n" +
                            notFitting + L"\n\nСохранить список без них? Они будут потеряны.",
                        kStyleWarningQuestion) != IDYES)
            return false;
        if (m_Debuggers.SaveKeepingEntriesAddedSince(m_read, true, notFitting)) return true;
    }
    ShowMessage(kCatalogueSaveFailedMessage, kStyleError);
    return false;
}

void frmDebuggersList::cmdCancel_Click()
{
    Unload();
}

int frmDebuggersList::ListCount() const
{
    return static_cast<int>(SendMessageW(lstDebuggers, LB_GETCOUNT, 0, 0));
}

int frmDebuggersList::ListIndex() const
{
    const LRESULT index = SendMessageW(lstDebuggers, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void frmDebuggersList::SetListIndex(int index)
{
    SendMessageW(lstDebuggers, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void frmDebuggersList::ReplaceListItem(int index, const std::wstring& text)
{
    // A list box has no "set text": the item is replaced where it stands, and the view kept.
    const LRESULT top = SendMessageW(lstDebuggers, LB_GETTOPINDEX, 0, 0);
    SendMessageW(lstDebuggers, WM_SETREDRAW, FALSE, 0);
    SendMessageW(lstDebuggers, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(lstDebuggers, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    SetListIndex(index);
    SendMessageW(lstDebuggers, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SendMessageW(lstDebuggers, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(lstDebuggers, nullptr, TRUE);
}

const ButtonPicture* frmDebuggersList::PictureOf(int id) const
{
    switch (id) {
    case kCmdAdd:
        return &m_addPicture;
    case kCmdEdit:
        return &m_editPicture;
    case kCmdRemove:
        return &m_removePicture;
    default:
        return nullptr;
    }
}

void frmDebuggersList::OnCommand(int id, int notification, HWND)
{
    using Self = frmDebuggersList;
    // A graphical button reports a quick second click as a double-click; it is a click all the same.
    static constexpr CommandRoute<Self> kEvents[] = {
        {kLstDebuggers, LBN_DBLCLK, &Self::lstDebuggers_DblClick},
        {kCmdAdd, BN_CLICKED, &Self::cmdAdd_Click},
        {kCmdAdd, BN_DOUBLECLICKED, &Self::cmdAdd_Click},
        {kCmdEdit, BN_CLICKED, &Self::cmdEdit_Click},
        {kCmdEdit, BN_DOUBLECLICKED, &Self::cmdEdit_Click},
        {kCmdRemove, BN_CLICKED, &Self::cmdRemove_Click},
        {kCmdRemove, BN_DOUBLECLICKED, &Self::cmdRemove_Click},
        {kCmdOk, BN_CLICKED, &Self::cmdOk_Click},
        {kCmdCancel, BN_CLICKED, &Self::cmdCancel_Click},
    };
    RouteCommand(*this, kEvents, id, notification);
}

void frmDebuggersList::OnDpiChanged()
{
    m_addPicture.Reload(Dpi());
    m_editPicture.Reload(Dpi());
    m_removePicture.Reload(Dpi());
}

LRESULT frmDebuggersList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        if (const ButtonPicture* picture = PictureOf(static_cast<int>(wParam))) {
            picture->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return BackdropForm::OnMessage(message, wParam, lParam);
}

} // namespace jitswap
