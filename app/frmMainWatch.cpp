// What the main window learns of changes, whoever makes them: the registry tells it when the
// system's debugger or its own catalogue changes, so the tray menu is current before it opens,
// the tooltip names the entry in force, and a balloon says when another program took over.

#include "aedebug/SystemDebuggerWatch.h"
#include "app/EntryChoice.h"
#include "app/frmMain.h"
#include "catalogue/CDebuggers.h"
#include "support/registry/OpenAppSettingsStore.h"
#include "support/registry/RegistryWatch.h"
#include "support/text/ShortenedText.h"
#include "support/win32/SkipOnFailure.h"
#include "support/window/MessageBox.h"

namespace jitswap {
namespace {

constexpr wchar_t kOptionsSection[] = L"Options";
constexpr wchar_t kReportChangesKey[] = L"Report Debugger Changes";
constexpr int kReportChangesItem = 2;

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
    m_SystemWatch = std::make_unique<SystemDebuggerWatch>([this] { SystemSetting_Changed(); });
    // The whole store: a save may replace the catalogue's key rather than write into it.
    m_CatalogueWatch =
        std::make_unique<RegistryWatch>(HKEY_CURRENT_USER, kAppSettingsPath, 0, [this] { Catalogue_Changed(); });
}

bool frmMain::MenuFollowsChanges() const
{
    return m_SystemWatch && m_SystemWatch->IsArmed() && m_CatalogueWatch && m_CatalogueWatch->IsArmed();
}

void frmMain::Catalogue_Changed()
{
    ReloadCatalogue();
    ShowDebuggersMenu();
}

void frmMain::SystemSetting_Changed()
{
    const auto before = m_System;
    ReadSystemSetting();
    // Nothing new: a value beside ours changed, or this is the notice of Jitswap's own switch.
    if (before && m_System && *before == *m_System) return;
    ShowDebuggersMenu();
}

void frmMain::ReadSystemSetting()
{
    const auto inForce = EntryInForce();
    const std::optional<SystemDebuggerState> before = std::move(m_System);
    // A setting that cannot be read is not known to be any entry's, nor known to have changed.
    m_System.reset();
    SkipOnFailure([&] { m_System = m_Sources.readSystem(); });
    const bool changed = before && m_System && *before != *m_System;
    if (changed && inForce && !Matches(*m_System, EntryChoice(*m_Debuggers, *inForce))) OfferSwitchBack(*inForce);
}

std::optional<std::int32_t> frmMain::EntryInForce() const
{
    if (!m_Debuggers || !m_System) return std::nullopt;
    return jitswap::EntryInForce(*m_Debuggers, *m_System);
}

void frmMain::ShowEntryInForce(std::optional<std::int32_t> index)
{
    if (!bcMain) return;
    std::wstring text = L"Jitswap: ";
    text += index ? m_Debuggers->Title(*index) : L"Неизвестный";
    bcMain->SetText(text);
}

void frmMain::NoteOwnSwitch(std::int32_t index)
{
    // Read back, so that the registry's notice of this very switch finds nothing new. Unread, the
    // setting is unknown, and the next read raises no balloon either.
    m_System.reset();
    SkipOnFailure([&] { m_System = m_Sources.readSystem(); });
    m_SwitchBack.reset();
    ShowEntryInForce(index);
}

void frmMain::OfferSwitchBack(std::int32_t previous)
{
    if (!m_ReportChanges || !bcMain) return;
    m_SwitchBack = SwitchBack{m_Debuggers->Title(previous), EntryChoice(*m_Debuggers, previous)};
    std::wstring hint = L"\nЩёлкните здесь, чтобы вернуть ";
    AppendQuoted(hint, m_SwitchBack->title);
    hint += L'.';
    std::wstring text = L"Теперь действует ";
    if (const auto now = EntryInForce()) {
        AppendQuoted(text, m_Debuggers->Title(*now));
        text += L'.';
    } else {
        text += L"Неизвестный: ";
        text += ShortenedText(HeldSetting(*m_System), kBalloonTextLimit - hint.size() - text.size());
    }
    text += hint;
    bcMain->ShowBalloon(L"Другая программа сменила отладчик", text);
}

std::optional<std::int32_t> frmMain::FindEntry(const SwitchBack& entry) const
{
    // By what it is, not where it was: the catalogue may have changed since.
    for (std::int32_t i = 0; i < m_Debuggers->Count(); ++i) {
        if (m_Debuggers->Title(i) == entry.title && EntryChoice(*m_Debuggers, i) == entry.choice) return i;
    }
    return std::nullopt;
}

void frmMain::ReadReportChanges()
{
    // On unless the user turned it off; a value that is no flag keeps the default.
    m_ReportChanges = m_Sources.openStore()->ReadBoolean(kOptionsSection, kReportChangesKey, true).value_or(true);
    m_Menu.mnuSettings.SetChecked(kReportChangesItem, m_ReportChanges);
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
    m_Menu.mnuSettings.SetChecked(kReportChangesItem, report);
    if (!report) m_SwitchBack.reset();
}

} // namespace jitswap
