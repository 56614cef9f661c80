#include "dialogs/frmDebuggerEntry.h"

#include "aedebug/SystemDebugger.h"
#include "dialogs/CommandLineConfirmation.h"
#include "dialogs/ControlValues.h"
#include "support/form/CommandRoute.h"
#include "support/shell/FileDialog.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/WindowsBitness.h"
#include "support/window/HighlightText.h"

#include <algorithm>
#include <utility>

namespace jitswap {
namespace {

constexpr int kClientWidth = 6015;
constexpr int kClientHeight = 2235;
// The row for 32-bit programs, on 64-bit Windows only: label and box spaced as the command line's,
// with everything below moved down by the row.
constexpr int kRow32Height = 720;
constexpr int kRow32LabelTop = 1260;
constexpr int kRow32BoxTop = 1560;
// The band starts above and left of the client area; only its part from x = 0 to 2595 shows.
constexpr TwipsRect kShpBack{-60, -120, 2655, 3975};

// How far the labels may grow to the right: to the title box, and to the end of the band.
constexpr int kTitleLabelLimit = 1140;
constexpr int kCommandLineLabelLimit = 2595;

constexpr DWORD kTextBoxStyle = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

} // namespace

frmDebuggerEntry::frmDebuggerEntry() : BackdropForm(kShpBack)
{
    CreateControls();
    Form_Load();
}

void frmDebuggerEntry::CreateControls()
{
    const bool hasRow32 = IsWindows64Bit();
    const int below = hasRow32 ? kRow32Height : 0;
    WindowSpec design;
    design.caption = L"Отладчик";
    design.clientWidthTwips = kClientWidth;
    design.clientHeightTwips = kClientHeight + below;
    CreateFormWindow(design);
    SetDefaultButton(kCmdOk);

    // Creation order is the tab order.
    lblTag[1] = AddControl(L"STATIC", L"Название:", WS_VISIBLE | SS_NOPREFIX, {180, 120, 840, 210}, kLblTag1);
    txtTitle = AddControl(L"EDIT", L"", kTextBoxStyle, {1140, 120, 4695, 315}, kTxtTitle, WS_EX_CLIENTEDGE);
    lblTag[0] =
        AddControl(L"STATIC", L"Командная строка:", WS_VISIBLE | SS_NOPREFIX, {180, 540, 1620, 210}, kLblTag0);
    txtCommandLine =
        AddControl(L"EDIT", L"", kTextBoxStyle, {120, 840, 5355, 315}, kTxtCommandLine, WS_EX_CLIENTEDGE);
    cmdBrowse = AddControl(L"BUTTON", L"...", kButtonStyle, {5520, 840, 375, 315}, kCmdBrowse);
    // Created on 32-bit Windows too, hidden, so that the value the caller sets comes back unchanged.
    const DWORD row32Shown = hasRow32 ? WS_VISIBLE : 0;
    lblTag[2] = AddControl(L"STATIC", L"Для 32-битных программ:", row32Shown | SS_NOPREFIX,
                           {180, kRow32LabelTop, 2160, 210}, kLblTag2);
    txtCommandLine32 = AddControl(L"EDIT", L"", (kTextBoxStyle & ~WS_VISIBLE) | row32Shown,
                                  {120, kRow32BoxTop, 5355, 315}, kTxtCommandLine32, WS_EX_CLIENTEDGE);
    cmdBrowse32 = AddControl(L"BUTTON", L"...", (kButtonStyle & ~WS_VISIBLE) | row32Shown,
                             {5520, kRow32BoxTop, 375, 315}, kCmdBrowse32);
    chkAuto = AddControl(L"BUTTON", L"Автоматический вызов", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                         {180, 1260 + below, 2355, 255}, kChkAuto);
    // Beside the check box, above "Ok" and "Отмена" and as wide as both: it fills the fields above.
    cmdPresets = AddControl(L"BUTTON", L"Известные отладчики...", kButtonStyle, {3000, 1230 + below, 2895, 315},
                            kCmdPresets);
    cmdDetect = AddControl(L"BUTTON", L"Определить", kButtonStyle, {120, 1680 + below, 1395, 435}, kCmdDetect);
    cmdCancel = AddControl(L"BUTTON", L"Отмена", kButtonStyle, {4500, 1680 + below, 1395, 435}, kCmdCancel);
    cmdOk = AddControl(L"BUTTON", L"Ok", WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_DEFPUSHBUTTON,
                       {3000, 1680 + below, 1395, 435}, kCmdOk);

    // No length limit: a command line may be as long as the system allows.
    SendMessageW(txtTitle, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(txtCommandLine, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(txtCommandLine32, EM_SETLIMITTEXT, 0, 0);
    FitLabels();
}

void frmDebuggerEntry::FitLabels()
{
    // Fonts of the same name differ in width between systems: a caption that does not fit its label
    // would lose its last word to the line below, out of sight. The label grows instead, as far as
    // the space beside it allows.
    const auto fit = [this](HWND label, int limitTwips) {
        RECT bounds{};
        GetWindowRect(label, &bounds);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
        const std::wstring caption = TextOf(label);
        SIZE extent{};
        {
            const UniqueWindowDC dc = WindowDC(label);
            const auto labelFont = reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0));
            const SelectedObject selected = SelectInto(dc.get(), labelFont);
            GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
        }
        const int limit = TwipsToPixels(limitTwips, Dpi());
        const int width = std::min<int>(extent.cx + 1, limit - bounds.left);
        if (width > bounds.right - bounds.left) {
            SetWindowPos(label, nullptr, 0, 0, width, bounds.bottom - bounds.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    fit(lblTag[1], kTitleLabelLimit);
    fit(lblTag[0], kCommandLineLabelLimit);
    fit(lblTag[2], kCommandLineLabelLimit);
}

void frmDebuggerEntry::OnDpiChanged()
{
    FitLabels();
}

void frmDebuggerEntry::Form_Load()
{
    CenterWithoutIcon();
}

DebuggerEntry frmDebuggerEntry::Entry() const
{
    return DebuggerEntry{TextOf(txtTitle),
                         DebuggerChoice{TextOf(txtCommandLine), TextOf(txtCommandLine32), CheckValueOf(chkAuto) == 1}};
}

void frmDebuggerEntry::SetEntry(const DebuggerEntry& entry)
{
    // The edit control reports the change itself, so txtTitle_Change follows as after typing.
    SetTextOf(txtTitle, entry.title);
    SetTextOf(txtCommandLine, entry.choice.commandLine);
    SetTextOf(txtCommandLine32, entry.choice.commandLine32);
    SetCheckValueOf(chkAuto, entry.choice.autoStart ? 1 : 0);
}

bool frmDebuggerEntry::Form_QueryUnload(UnloadMode mode)
{
    if (mode == UnloadMode::Code) return false;
    // The caller still has to read the fields: a close from outside, the session's end included,
    // counts as "Отмена".
    Hide();
    return true;
}

void frmDebuggerEntry::txtTitle_Change()
{
    // Exactly the empty string: a title of blanks is a title.
    EnableWindow(cmdOk, GetWindowTextLengthW(txtTitle) != 0);
}

void frmDebuggerEntry::txtTitle_GotFocus()
{
    qsHighlightText(txtTitle);
}

void frmDebuggerEntry::txtCommandLine_GotFocus()
{
    qsHighlightText(txtCommandLine);
}

void frmDebuggerEntry::txtCommandLine32_GotFocus()
{
    qsHighlightText(txtCommandLine32);
}

void frmDebuggerEntry::cmdBrowse_Click()
{
    BrowseInto(txtCommandLine);
}

void frmDebuggerEntry::cmdBrowse32_Click()
{
    BrowseInto(txtCommandLine32);
}

void frmDebuggerEntry::BrowseInto(HWND commandLineBox)
{
    FileDialog dialog;
    dialog.DefaultExt = L"EXE";
    dialog.Filter = L"Исполняемые файлы|*.EXE|Все файлы|*.*";
    dialog.Flags = 0;
    dialog.Owner = Handle();
    // The chosen path replaces the whole command line as it is: quoting it is the user's business.
    if (dialog.Show()) SetTextOf(commandLineBox, dialog.FileName());
}

void frmDebuggerEntry::cmdDetect_Click()
{
    // The 32-bit box stays empty when both views agree; Auto is the native view's.
    SetEntry(DebuggerEntry{L"", ChoiceFromState(ReadSystemDebuggerState())});
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

void frmDebuggerEntry::cmdOk_Click()
{
    // Enter reaches here only through the default button; a disabled "Ok" must not act.
    if (!IsWindowEnabled(cmdOk) || !ConfirmCommandLines()) return;
    m_ok = true;
    Hide();
}

void frmDebuggerEntry::cmdCancel_Click()
{
    Hide();
}

void frmDebuggerEntry::OnCommand(int id, int notification, HWND)
{
    using Self = frmDebuggerEntry;
    static constexpr CommandRoute<Self> kEvents[] = {
        {kTxtTitle, EN_CHANGE, &Self::txtTitle_Change},
        {kTxtTitle, EN_SETFOCUS, &Self::txtTitle_GotFocus},
        {kTxtCommandLine, EN_SETFOCUS, &Self::txtCommandLine_GotFocus},
        {kCmdBrowse, BN_CLICKED, &Self::cmdBrowse_Click},
        {kTxtCommandLine32, EN_SETFOCUS, &Self::txtCommandLine32_GotFocus},
        {kCmdBrowse32, BN_CLICKED, &Self::cmdBrowse32_Click},
        {kCmdDetect, BN_CLICKED, &Self::cmdDetect_Click},
        {kCmdPresets, BN_CLICKED, &Self::cmdPresets_Click},
        {kCmdOk, BN_CLICKED, &Self::cmdOk_Click},
        {kCmdCancel, BN_CLICKED, &Self::cmdCancel_Click},
    };
    if (RouteCommand(*this, kEvents, id, notification)) return;
    if (id >= kMnuPreset && id < kMnuPreset + static_cast<int>(kAllPresets.size()))
        mnuPreset_Click(kAllPresets[static_cast<std::size_t>(id - kMnuPreset)]);
}

LRESULT frmDebuggerEntry::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        // The labels and the check box stand on the band.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
        break;
    }
    return BackdropForm::OnMessage(message, wParam, lParam);
}

} // namespace jitswap
