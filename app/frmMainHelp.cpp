// The main window's items below the catalogue, and its keys: start with Windows, help, About, exit.

#include "app/AppIdentity.h"
#include "app/frmMain.h"
#include "support/process/ExecutablePath.h"
#include "support/process/ResourceText.h"
#include "support/win32/ComApartment.h"
#include "support/window/MessageBox.h"

#include <shellapi.h>

namespace jitswap {

void frmMain::RefreshAutostartCheck()
{
    m_Menu.mnuSettings.SetChecked(MainMenu::kStartWithWindows, m_Autostart.IsRegistered(AppGuid));
}

void frmMain::ToggleAutostart()
{
    const bool register_ = !m_Menu.mnuSettings.IsChecked(MainMenu::kStartWithWindows);
    m_Menu.mnuSettings.SetChecked(MainMenu::kStartWithWindows, register_);
    // The mark shows what the user asked for; a refusal is not reported.
    if (register_) m_Autostart.Register(AppGuid, 0);
    else m_Autostart.Unregister(AppGuid);
}

void frmMain::mnuSettings_Click(int index)
{
    if (index == MainMenu::kStartWithWindows) ToggleAutostart();
    else if (index == MainMenu::kReportChanges) ToggleReportChanges();
}

void frmMain::mnuHelp_Click(int index)
{
    if (index == MainMenu::kContents) OpenHelpFile();
    else if (index == MainMenu::kAbout) ShowAbout(qsLoadResTextA(L"DESCRIPTION", L"TEXT_DATABLOCK"));
}

void frmMain::mnuHelpExit_Click(int index)
{
    if (index == MainMenu::kExit) qsUnloadForm(Handle());
}

void frmMain::OpenHelpFile()
{
    // By its full name beside the executable, never from the current folder; and as wide text, so
    // that a folder name outside the ANSI code page does not make the file unreachable.
    const std::wstring file = qsBuildFileName(ExecutableDirectory(), L"ReadMe.TXT");
    const ComApartment apartment;
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(Handle(), L"open", file.c_str(), L"", L"", SW_SHOWDEFAULT));
    if (result <= 32) ShowMessage(L"Не удаётся открыть файл ReadMe.TXT", kStyleError);
}

void frmMain::ShowAbout(std::wstring_view description)
{
    m_About.ShowAbout(Handle(), ReadApplicationInfo(), description, nullptr, L"Тиэлла");
}

void frmMain::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode == VK_F1 && shift == kShiftKey) ShowAbout(L"");
    if (keyCode == VK_ESCAPE && shift == kShiftNone) DestroyWindow(Handle());
}

} // namespace jitswap
