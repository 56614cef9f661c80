#include "app/MainMenu.h"

#include "catalogue/CDebuggers.h"
#include "support/win32/SkipOnFailure.h"
#include "support/win32/Win32Error.h"

namespace jitswap {
namespace {

UniqueMenu CreateBar()
{
    UniqueMenu bar(CreateMenu());
    if (!bar) ThrowLastError("Creating the menu");
    HMENU context = CreatePopupMenu();
    if (!context || !AppendMenuW(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(context), L"Context")) {
        const DWORD error = GetLastError();
        if (context) DestroyMenu(context);
        throw Win32Error("Creating the menu", error);
    }
    return bar;
}

HMENU CreateHelpMenu()
{
    HMENU help = CreatePopupMenu();
    if (!help) ThrowLastError("Creating the menu");
    return help;
}

// The first command ID of each item array; an item's ID is its array's plus its index.
constexpr UINT kListIds = 1000;
constexpr UINT kSettingsIds = 1100;
constexpr UINT kHelpExitIds = 1200;
constexpr UINT kHelpIds = 1300;

constexpr int kLastDebugger = MainMenu::kFirstDebugger + CDebuggers::Capacity - 1;
static_assert(kLastDebugger < MainMenu::kCheckSeparator);

} // namespace

MainMenu::MainMenu()
    : m_bar(CreateBar()),
      m_context(GetSubMenu(m_bar.get(), kContextPosition)),
      m_helpMenu(CreateHelpMenu()),
      mnuList(m_context, kListIds),
      mnuSettings(m_context, kSettingsIds),
      mnuHelpExit(m_context, kHelpExitIds),
      mnuHelp(m_helpMenu, kHelpIds)
{
    mnuList.Load(kEditList, L"Править список...");
    mnuList.Load(kListSeparator, L"-");
    mnuList.Load(kUnknown, L"Неизвестный");
    mnuList.Load(kCheckSeparator, L"-");
    mnuList.Load(kCheckDebugger, L"Проверить отладчик...");
    mnuSettings.Load(kSettingsSeparator, L"-");
    mnuSettings.Load(kStartWithWindows, L"Запускать с Windows");
    mnuSettings.Load(kReportChanges, L"Сообщать о смене отладчика");
    mnuHelpExit.Load(kHelpExitSeparator, L"-");
    m_context.Append(mnuHelpExit.Id(kHelp), L"Справка", m_helpMenu.Handle());
    mnuHelpExit.Load(kExit, L"Выход");
    mnuHelp.Load(kContents, L"&Содержание...");
    mnuHelp.Load(kHelpSeparator, L"-");
    mnuHelp.Load(kAbout, L"О программе...");
}

void MainMenu::ShowDebuggers(const CDebuggers& debuggers) noexcept
{
    for (int index = kFirstDebugger; index <= kLastDebugger; ++index) SkipOnFailure([&] { mnuList.Unload(index); });
    for (std::int32_t i = 0; i < debuggers.Count(); ++i) {
        SkipOnFailure([&] { mnuList.Load(kFirstDebugger + i, debuggers.Entry(i).title, CaptionKind::Literal); });
    }
}

void MainMenu::MarkInForce(std::optional<std::int32_t> index)
{
    mnuList.SetRadioMark(kUnknown, kLastDebugger, index ? kFirstDebugger + *index : kUnknown);
    mnuList.SetVisible(kUnknown, !index);
}

} // namespace jitswap
