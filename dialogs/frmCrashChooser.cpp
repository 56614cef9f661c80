#include "dialogs/frmCrashChooser.h"

#include "aedebug/CommandLineParts.h"
#include "support/form/CommandRoute.h"
#include "support/text/NumberText.h"
#include "support/win32/ScopeGuard.h"
#include "support/window/CenterForm.h"
#include "support/window/MessageBox.h"

#include <utility>

namespace jitswap {
namespace {

constexpr int kClientWidth = 6015;
constexpr int kClientHeight = 4050;
constexpr UINT_PTR kTimeLimitTimer = 1;

constexpr DWORD kLabelStyle = WS_VISIBLE | SS_NOPREFIX | SS_ENDELLIPSIS;

} // namespace

frmCrashChooser::frmCrashChooser(const CrashedProgram& program, const std::vector<CrashChoice>& choices,
                                 std::size_t first, unsigned timeLimitSeconds, DebugAction debug)
    : m_debug(std::move(debug)), m_timeLimit(timeLimitSeconds)
{
    CreateControls(program, choices, first);
}

void frmCrashChooser::CreateControls(const CrashedProgram& program, const std::vector<CrashChoice>& choices,
                                     std::size_t first)
{
    WindowSpec design;
    design.caption = L"Сбой программы";
    design.clientWidthTwips = kClientWidth;
    design.clientHeightTwips = kClientHeight;
    // In front of every window, and on the taskbar in case the system keeps it from the foreground.
    design.exStyle |= WS_EX_TOPMOST | WS_EX_APPWINDOW;
    CreateFormWindow(design);
    SetDefaultButton(kCmdDebug);
    m_icons.Load(Handle(), L"A_MAIN", Dpi());

    AddControl(L"STATIC", (L"В программе " + FileNameOf(program.path) + L" произошёл сбой.").c_str(), kLabelStyle,
               {120, 120, 5775, 225}, kLblProgram);
    AddControl(L"STATIC", program.path.c_str(), WS_VISIBLE | SS_NOPREFIX | SS_PATHELLIPSIS, {120, 405, 5775, 225},
               kLblPath);
    const std::wstring process = L"Процесс " + NumberText(program.processId) + L", " +
                                 (program.is32Bit ? L"32-битная программа." : L"64-битная программа.");
    AddControl(L"STATIC", process.c_str(), kLabelStyle, {120, 690, 5775, 225}, kLblProcess);
    // Creation order is the tab order; the label's key (Alt+О) goes to the list after it.
    AddControl(L"STATIC", L"&Отладчик:", WS_VISIBLE, {120, 1050, 5775, 225}, kLblDebuggers);
    lstDebuggers = AddControl(L"LISTBOX", nullptr,
                              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                              {120, 1305, 5775, 1830}, kLstDebuggers, WS_EX_CLIENTEDGE);
    for (const CrashChoice& choice : choices)
        SendMessageW(lstDebuggers, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.title.c_str()));
    SendMessageW(lstDebuggers, LB_SETCURSEL, first, 0);
    lblTimeLimit = AddControl(L"STATIC", nullptr, kLabelStyle, {120, 3255, 5775, 225}, kLblTimeLimit);
    AddControl(L"BUTTON", L"Отладить", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {2880, 3495, 1395, 435},
               kCmdDebug);
    AddControl(L"BUTTON", L"Не отлаживать", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, {4380, 3495, 1515, 435},
               kCmdDontDebug);
    qsCenterFormEx(Handle());
}

bool frmCrashChooser::ShowDialog()
{
    // The window lives only while it is shown, however the showing ends.
    const auto closer = OnScopeExit([this] {
        if (IsLoaded()) Unload();
    });
    StartTimeLimit();
    ShowModal();
    return m_debugged;
}

void frmCrashChooser::StartTimeLimit()
{
    m_secondsLeft = m_timeLimit;
    ShowTimeLeft();
    SetTimer(Handle(), kTimeLimitTimer, 1000, nullptr);
}

void frmCrashChooser::ShowTimeLeft()
{
    const std::wstring text =
        L"Если ничего не выбрать, через " + NumberText(m_secondsLeft) + L" с окно закроется без отладки.";
    SetWindowTextW(lblTimeLimit, text.c_str());
}

void frmCrashChooser::cmdDebug_Click()
{
    const LRESULT index = SendMessageW(lstDebuggers, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    // A choice is made: the time limit waits while it is tried, and starts again if it fails.
    KillTimer(Handle(), kTimeLimitTimer);
    if (m_debug(static_cast<std::size_t>(index))) {
        m_debugged = true;
        Unload();
        return;
    }
    if (!IsLoaded()) return;
    StartTimeLimit();
    SetFocus(lstDebuggers);
}

void frmCrashChooser::cmdDontDebug_Click()
{
    Unload();
}

void frmCrashChooser::OnCommand(int id, int notification, HWND)
{
    using Self = frmCrashChooser;
    static constexpr CommandRoute<Self> kEvents[] = {
        {kLstDebuggers, LBN_DBLCLK, &Self::cmdDebug_Click},
        {kCmdDebug, BN_CLICKED, &Self::cmdDebug_Click},
        {kCmdDontDebug, BN_CLICKED, &Self::cmdDontDebug_Click},
    };
    RouteCommand(*this, kEvents, id, notification);
}

void frmCrashChooser::OnDpiChanged()
{
    m_icons.Load(Handle(), L"A_MAIN", Dpi());
}

LRESULT frmCrashChooser::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kTimeLimitTimer) {
        if (--m_secondsLeft == 0) {
            Unload();
        } else {
            ShowTimeLeft();
        }
        return 0;
    }
    return Form::OnMessage(message, wParam, lParam);
}

} // namespace jitswap
