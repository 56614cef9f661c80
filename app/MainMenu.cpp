#include "app/MainMenu.h"

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

} // namespace

MainMenu::MainMenu()
    : m_bar(CreateBar()),
      m_context(GetSubMenu(m_bar.get(), 0)),
      m_helpMenu(CreateHelpMenu()),
      mnuList(m_context, 1000),
      mnuSettings(m_context, 1100),
      mnuHelpExit(m_context, 1200),
      mnuHelp(m_helpMenu, 1300)
{
    mnuList.Load(0, L"Править список...");
    mnuList.Load(1, L"-");
    mnuList.Load(9, L"Неизвестный");
    mnuSettings.Load(0, L"-");
    mnuSettings.Load(1, L"Запускать с Windows");
    mnuSettings.Load(2, L"Сообщать о смене отладчика");
    mnuHelpExit.Load(0, L"-");
    m_context.Append(mnuHelpExit.Id(1), L"Справка", m_helpMenu.Handle());
    mnuHelpExit.Load(2, L"Выход");
    mnuHelp.Load(0, L"&Содержание...");
    mnuHelp.Load(1, L"-");
    mnuHelp.Load(2, L"О программе...");
}

} // namespace jitswap
