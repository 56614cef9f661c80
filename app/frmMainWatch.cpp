// What the main window shows of changes, whoever makes them (app/ChangeTracker.h): the tray menu
// is current before it opens, the tooltip names the entry in force, and a balloon says when
// another program took over.

#include "app/frmMain.h"
#include "catalogue/CDebuggers.h"
#include "support/registry/OpenAppSettingsStore.h"
#include "support/text/ShortenedText.h"
#include "support/window/MessageBox.h"

namespace jitswap {
namespace {

constexpr wchar_t kReportChangesKey[] = L"Report Debugger Changes";

// Titles in a balloon keep to this many characters, so that the hint to click always fits.
constexpr size_t kBalloonTitleLimit = 60;
constexpr size_t kBalloonTextLimit = 255;

void AppendQuoted(std::wstring& text, std::wstring_view title)
{
    text += L'«';
    text += ShortenedText(title, kBalloonTitleLimit);
    text += L'»';
}

// What the system holds when it matches no entry: the native view's command line, and the 32-bit
// view's where that differs.
std::wstring HeldSetting(const SystemDebuggerState& state)
{
    std::wstring held = state.native.debugger.empty() ? L"(пусто)" : state.native.debugger;
    if (state.wow32 && state.wow32->debugger != state.native.debugger) {
        held += L"; для 32-битных программ: ";
        held += state.wow32->debugger.empty() ? L"(пусто)" : state.wow32->debugger;
    }
    return held;
}

} // namespace

void frmMain::WatchForChanges()
{
    m_Changes.Watch([this] { Catalogue_Changed(); }, [this] { SystemSetting_Changed(); });
}

void frmMain::Catalogue_Changed()
{
    ReloadCatalogue();
    ShowDebuggersMenu();
    // A balloon's click must not do nothing: it goes with the entry it would switch back to.
    const auto& target = m_Changes.SwitchBack();
    if (target && !m_Debuggers->IndexOf(*target)) WithdrawSwitchBack();
}

void frmMain::SystemSetting_Changed()
{
    // Nothing new: a value beside ours changed, or this is the notice of Jitswap's own switch.
    if (ReadSystemSetting()) ShowDebuggersMenu();
}

bool frmMain::ReadSystemSetting()
{
    const ChangeTracker::SystemReading reading = m_Changes.ReadSystem(*m_Debuggers);
    if (reading.replaced) OfferSwitchBack(*reading.replaced);
    return reading.changed;
}

void frmMain::ShowEntryInForce(std::optional<std::int32_t> index)
{
    if (!bcMain) return;
    std::wstring text = L"Jitswap: ";
    text += index ? m_Debuggers->Entry(*index).title : L"Неизвестный";
    bcMain->SetText(text);
}

void frmMain::OfferSwitchBack(const DebuggerEntry& previous)
{
    if (!m_ReportChanges || !bcMain) return;
    m_Changes.OfferSwitchBack(previous);
    std::wstring hint = L"\nЩёлкните здесь, чтобы вернуть ";
    AppendQuoted(hint, previous.title);
    hint += L'.';
    std::wstring text = L"Теперь действует ";
    if (const auto now = m_Changes.InForce(*m_Debuggers)) {
        AppendQuoted(text, m_Debuggers->Entry(*now).title);
        text += L'.';
    } else {
        text += L"Неизвестный: ";
        text += ShortenedText(HeldSetting(*m_Changes.System()), kBalloonTextLimit - hint.size() - text.size());
    }
    text += hint;
    bcMain->ShowBalloon(L"Другая программа сменила отладчик", text);
}

void frmMain::WithdrawSwitchBack()
{
    m_Changes.WithdrawSwitchBack();
    if (bcMain) bcMain->HideBalloon();
}

void frmMain::ReadReportChanges()
{
    // On unless the user turned it off; a value that is no flag keeps the default.
    m_ReportChanges = m_Sources.openStore()->ReadBoolean(kOptionsSection, kReportChangesKey, true).value_or(true);
    m_Menu.mnuSettings.SetChecked(MainMenu::kReportChanges, m_ReportChanges);
}

void frmMain::ToggleReportChanges()
{
    const bool report = !m_ReportChanges;
    try {
        m_Sources.openStore()->WriteBoolean(kOptionsSection, kReportChangesKey, report);
    } catch (const std::exception&) {
        // Not stored, so not changed: the next start would not know it.
        ShowMessage(L"Не удалось сохранить настройку!", kStyleError);
        return;
    }
    m_ReportChanges = report;
    m_Menu.mnuSettings.SetChecked(MainMenu::kReportChanges, report);
    if (!report) WithdrawSwitchBack();
}

} // namespace jitswap
