#include "dialogs/frmDebuggerCheck.h"

#include "aedebug/DiagnosisReading.h"
#include "aedebug/SystemDebuggerWatch.h"
#include "aedebug/TestCrash.h"
#include "catalogue/CDebuggers.h"
#include "support/form/CommandRoute.h"
#include "support/win32/ScopeGuard.h"
#include "support/win32/Win32Error.h"
#include "support/win32/WindowsBitness.h"
#include "support/window/Dpi.h"

#include <algorithm>

namespace jitswap {
namespace {

constexpr int kClientWidth = 9000;
constexpr int kClientHeight = 5325;
// A band across the bottom, under the buttons.
constexpr TwipsRect kShpBack{-60, 4650, 9120, 795};
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr int kPadding = 3;  // pixels at 96 dpi around an item's icon and text

// The system's icons, by FindingKind.
const LPCWSTR kIcons[] = {IDI_ERROR, IDI_WARNING, IDI_INFORMATION};

} // namespace

frmDebuggerCheck::frmDebuggerCheck(SettingsStoreOpener openStore, Switch switchTo)
    : BackdropForm(kShpBack), m_openStore(std::move(openStore)), m_switch(std::move(switchTo))
{
}

frmDebuggerCheck::~frmDebuggerCheck() = default;

void frmDebuggerCheck::ShowDialog()
{
    if (IsOpen()) {
        Activate();
        return;
    }
    // Whichever way the opening ends, the crash and the watch go with the window.
    const auto closer = OnScopeExit([this] {
        m_crash.reset();
        m_watch.reset();
        if (IsLoaded()) Unload();
    });
    CreateControls();
    CenterWithoutIcon();
    m_crashLines.clear();
    Refresh();
    m_watch = std::make_unique<SystemDebuggerWatch>([this] {
        if (IsLoaded()) Refresh();
    });
    ShowModal();
}

void frmDebuggerCheck::CreateControls()
{
    WindowSpec design;
    design.caption = L"Проверка отладчика";
    design.clientWidthTwips = kClientWidth;
    design.clientHeightTwips = kClientHeight;
    CreateFormWindow(design);

    // Creation order is the tab order.
    lstFindings = AddControl(L"LISTBOX", nullptr,
                             WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_NOSEL |
                                 LBS_NOINTEGRALHEIGHT,
                             {120, 120, 8760, 4380}, kLstFindings, WS_EX_CLIENTEDGE);
    const bool windows64 = IsWindows64Bit();
    cmdRepair = AddControl(L"BUTTON", L"Исправить", kButtonStyle, {120, 4770, 1395, 435}, kCmdRepair);
    cmdCrashNative = AddControl(L"BUTTON", windows64 ? L"Сбой 64-битной программы" : L"Сбой 32-битной программы",
                                kButtonStyle, {1635, 4770, 2700, 435}, kCmdCrashNative);
    cmdCrash32 = AddControl(L"BUTTON", L"Сбой 32-битной программы", windows64 ? kButtonStyle : 0,
                            {4455, 4770, 2700, 435}, kCmdCrash32);
    AddControl(L"BUTTON", L"Закрыть", kButtonStyle, {7485, 4770, 1395, 435}, kCmdClose);
}

void frmDebuggerCheck::AddLine(const CheckLine& line)
{
    m_lines.push_back(line);
    SendMessageW(lstFindings, LB_ADDSTRING, 0, static_cast<LPARAM>(m_lines.size() - 1));
}

// The setting as the machine holds it now, the diagnosis under each view, then the test crashes.
void frmDebuggerCheck::Refresh()
{
    const SystemReading reading = ReadSystemForDiagnosis();
    m_windows64 = reading.wow32.has_value();
    m_promises[0] = PromiseOf(reading.native, reading.underWine);
    if (reading.wow32) m_promises[1] = PromiseOf(*reading.wow32, reading.underWine);
    std::wstring own32;
    CDebuggers catalogue(m_openStore);
    catalogue.ReadDebuggers();
    for (std::int32_t i = 0; i < catalogue.Count(); ++i) {
        const DebuggerChoice& choice = catalogue.Entry(i).choice;
        if (own32.empty() && reading.native.debugger && choice.commandLine == reading.native.debugger->text)
            own32 = choice.commandLine32;
    }
    m_repair = RepairChoice(reading, own32);

    SendMessageW(lstFindings, WM_SETREDRAW, FALSE, 0);
    SendMessageW(lstFindings, LB_RESETCONTENT, 0, 0);
    m_lines.clear();
    for (const CheckLine& line : CheckLines(reading)) AddLine(line);
    for (const CheckLine& line : m_crashLines) AddLine(line);
    SendMessageW(lstFindings, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(lstFindings, nullptr, TRUE);
    EnableButtons();
}

void frmDebuggerCheck::EnableButtons()
{
    EnableWindow(cmdRepair, m_repair && !m_crash);
    EnableWindow(cmdCrashNative, !m_crash);
    EnableWindow(cmdCrash32, !m_crash);
}

void frmDebuggerCheck::cmdRepair_Click()
{
    if (!m_repair || !m_switch(*m_repair, Handle())) return;
    // The menu stayed usable meanwhile: the dialog may be gone.
    if (IsLoaded()) Refresh();
}

void frmDebuggerCheck::cmdCrashNative_Click()
{
    Crash(false);
}

void frmDebuggerCheck::cmdCrash32_Click()
{
    Crash(true);
}

void frmDebuggerCheck::Crash(bool wow32)
{
    if (m_crash) return;
    const unsigned bits = wow32 || !m_windows64 ? 32 : 64;
    m_crashLines.push_back({std::nullopt, CrashTitle(bits) + L"ждём, что будет..."});
    try {
        m_crash = std::make_unique<TestCrash>(bits, m_promises[wow32].image,
                                              [this, wow32](const CrashOutcome& outcome) { Crash_Done(wow32, outcome); });
    } catch (const Win32Error&) {
        Crash_Done(wow32, CrashOutcome{});
        return;
    }
    Refresh();
}

void frmDebuggerCheck::Crash_Done(bool wow32, const CrashOutcome& outcome)
{
    const CrashVerdict verdict = JudgeCrash(outcome, m_promises[wow32]);
    m_crashLines.back() = {verdict.asPromised ? FindingKind::Information : FindingKind::Error,
                           CrashTitle(wow32 || !m_windows64 ? 32 : 64) + verdict.text};
    m_crash.reset();
    Refresh();
}

int frmDebuggerCheck::Padding() const
{
    return MulDiv(kPadding, static_cast<int>(Dpi()), 96);
}

RECT frmDebuggerCheck::TextRect(RECT item) const
{
    item.left += Padding() * 2 + SystemMetricForDpi(SM_CXSMICON, Dpi());
    InflateRect(&item, -Padding(), -Padding());
    return item;
}

void frmDebuggerCheck::OnCommand(int id, int notification, HWND)
{
    using Self = frmDebuggerCheck;
    static constexpr CommandRoute<Self> kEvents[] = {
        {kCmdRepair, BN_CLICKED, &Self::cmdRepair_Click},
        {kCmdCrashNative, BN_CLICKED, &Self::cmdCrashNative_Click},
        {kCmdCrash32, BN_CLICKED, &Self::cmdCrash32_Click},
        {kCmdClose, BN_CLICKED, &Self::Unload},
    };
    RouteCommand(*this, kEvents, id, notification);
}

LRESULT frmDebuggerCheck::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MEASUREITEM && wParam == kLstFindings) {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        const CheckLine& line = m_lines.at(item.itemData);
        RECT text{};
        GetClientRect(lstFindings, &text);
        text = TextRect(text);
        const UniqueWindowDC dc = WindowDC(lstFindings);
        const SelectedObject font =
            SelectInto(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(lstFindings, WM_GETFONT, 0, 0)));
        DrawTextW(dc.get(), line.text.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        item.itemHeight = static_cast<UINT>(std::min<LONG>(255, text.bottom - text.top + 2 * Padding()));
        return TRUE;
    }
    if (message == WM_DRAWITEM && wParam == kLstFindings) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.itemID == static_cast<UINT>(-1)) return TRUE;
        const CheckLine& line = m_lines.at(item.itemData);
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
        const int size = SystemMetricForDpi(SM_CXSMICON, Dpi());
        if (line.kind) {
            DrawIconEx(item.hDC, item.rcItem.left + Padding(), item.rcItem.top + Padding(),
                       LoadIconW(nullptr, kIcons[static_cast<int>(*line.kind)]), size, size, 0, nullptr, DI_NORMAL);
        }
        RECT text = TextRect(item.rcItem);
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
        DrawTextW(item.hDC, line.text.c_str(), -1, &text, DT_WORDBREAK | DT_NOPREFIX);
        return TRUE;
    }
    return BackdropForm::OnMessage(message, wParam, lParam);
}

} // namespace jitswap
