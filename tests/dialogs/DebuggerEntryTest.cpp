// The entry dialog driven as a user drives it: real keystrokes, its buttons, the real file dialog and
// the system's real AeDebug setting.

#include "dialogs/frmDebuggerEntry.h"
#include "support/window/ApplicationWindow.h"
#include "support/window/Dpi.h"
#include "tests/common/DialogDriver.h"
#include "tests/common/UiTestSupport.h"
#include "tests/dialogs/DialogScript.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace jitswap;
using namespace jitswap::test;

namespace {

// One field of the dialog changed, the others kept, through its whole entry as its caller sees it.
template <class Change>
void ChangeEntry(frmDebuggerEntry& entry, Change change)
{
    DebuggerEntry changed = entry.Entry();
    change(changed);
    entry.SetEntry(changed);
}
void SetTitleText(frmDebuggerEntry& entry, const std::wstring& title)
{
    ChangeEntry(entry, [&](DebuggerEntry& e) { e.title = title; });
}
void SetCommandLineText(frmDebuggerEntry& entry, const std::wstring& commandLine)
{
    ChangeEntry(entry, [&](DebuggerEntry& e) { e.choice.commandLine = commandLine; });
}
void SetCommandLine32Text(frmDebuggerEntry& entry, const std::wstring& commandLine32)
{
    ChangeEntry(entry, [&](DebuggerEntry& e) { e.choice.commandLine32 = commandLine32; });
}
void SetAutoValue(frmDebuggerEntry& entry, int value)
{
    ChangeEntry(entry, [&](DebuggerEntry& e) { e.choice.autoStart = value == 1; });
}
int AutoValue(const frmDebuggerEntry& entry)
{
    return entry.Entry().choice.autoStart ? 1 : 0;
}

constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";

struct EntryControls {
    HWND window, title, commandLine, browse, commandLine32, browse32, autoStart, detect, cancel, ok;
};

EntryControls ControlsOf(const frmDebuggerEntry& entry)
{
    HWND window = entry.Handle();
    const auto item = [&](int id) { return GetDlgItem(window, id); };
    return {window,
            item(frmDebuggerEntry::kTxtTitle),
            item(frmDebuggerEntry::kTxtCommandLine),
            item(frmDebuggerEntry::kCmdBrowse),
            item(frmDebuggerEntry::kTxtCommandLine32),
            item(frmDebuggerEntry::kCmdBrowse32),
            item(frmDebuggerEntry::kChkAuto),
            item(frmDebuggerEntry::kCmdDetect),
            item(frmDebuggerEntry::kCmdCancel),
            item(frmDebuggerEntry::kCmdOk)};
}

std::pair<DWORD, DWORD> Selection(HWND edit)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// The AeDebug values as the system keeps them in both registry views, put back as they were when
// the test ends. Set writes both views unless it is given one.
class AeDebugValues {
public:
    AeDebugValues()
    {
        for (REGSAM view : kViews)
            for (const wchar_t* name : {L"Debugger", L"Auto"}) m_saved.push_back({view, name, Read(name, view)});
    }
    ~AeDebugValues()
    {
        for (const auto& [view, name, value] : m_saved) SetIn(view, name, value);
    }

    static std::optional<std::wstring> Read(const wchar_t* name, REGSAM view)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
            return std::nullopt;
        wchar_t data[1024] = {};
        DWORD size = sizeof data - sizeof(wchar_t);
        DWORD type = REG_NONE;
        const LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        return std::wstring(data);
    }
    static void Set(const wchar_t* name, const std::optional<std::wstring>& value)
    {
        for (REGSAM view : kViews) SetIn(view, name, value);
    }
    static void SetIn(REGSAM view, const wchar_t* name, const std::optional<std::wstring>& value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        if (value) {
            RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                           static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(key, name);
        }
        RegCloseKey(key);
    }

private:
    static constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
    std::vector<std::tuple<REGSAM, const wchar_t*, std::optional<std::wstring>>> m_saved;
};

bool InFront(const frmDebuggerEntry& entry)
{
    return entry.IsVisible() && IsForeground(entry.Handle());
}

// The file name box of the system's file dialog: a combo box with an edit inside, or a plain edit.
HWND FileNameBox(HWND dialog)
{
    if (HWND combo = GetDlgItem(dialog, cmb13)) {
        if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
        return combo;
    }
    return GetDlgItem(dialog, edt1);
}

std::vector<std::wstring> FileTypes(HWND dialog)
{
    std::vector<std::wstring> types;
    HWND combo = GetDlgItem(dialog, cmb1);
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        types.emplace_back(text);
    }
    return types;
}

} // namespace

TEST(DebuggerEntry, OpensEmptyAndOkFollowsTheTitleExactly)
{
    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    EXPECT_TRUE(entry.IsLoaded());
    EXPECT_FALSE(entry.IsVisible());
    EXPECT_EQ(entry.Entry().title, L"");
    EXPECT_EQ(entry.Entry().choice.commandLine, L"");
    EXPECT_EQ(AutoValue(entry), 0);
    EXPECT_FALSE(IsEnabled(c.ok));

    DialogScript script;
    script
        .When("the dialog in front with the title focused",
              [&] { return InFront(entry) && GetFocus() == c.title; },
              [&] {
                  // Enter with "Ok" disabled does nothing: the steps after it still find the dialog open.
                  PressKey(VK_RETURN);
                  Type(L"x");
              })
        .When("Ok enabled by a typed character", [&] { return IsEnabled(c.ok); }, [&] { PressKey(VK_BACK); })
        .When("Ok disabled again", [&] { return !IsEnabled(c.ok); }, [&] { Type(L"   "); })
        .When("Ok enabled by three blanks", [&] { return IsEnabled(c.ok); },
              [&] {
                  // Through the tab order, as a user fills the rest in.
                  PressKey(VK_TAB);
                  Type(L"cmd.exe -p %ld");
                  PressKey(VK_TAB);
                  PressKey(VK_TAB);
                  Type(L"notepad.exe -p %ld");
                  PressKey(VK_TAB);
                  PressKey(VK_TAB);
                  PressKey(VK_SPACE);
              })
        .When("the check box checked", [&] { return AutoValue(entry) == 1; },
              [&] {
                  EXPECT_EQ(GetFocus(), c.autoStart);
                  PressKey(VK_RETURN);
              });
    script.Run([&] { entry.ShowModal(); });

    EXPECT_TRUE(entry.Ok());
    EXPECT_TRUE(entry.IsLoaded()) << "Ok hides the dialog; it does not unload it";
    EXPECT_FALSE(entry.IsVisible());
    EXPECT_EQ(entry.Entry().title, L"   ");
    EXPECT_EQ(entry.Entry().choice.commandLine, L"cmd.exe -p %ld");
    EXPECT_EQ(entry.Entry().choice.commandLine32, L"notepad.exe -p %ld");
    EXPECT_EQ(AutoValue(entry), 1);
    entry.Unload();
    EXPECT_FALSE(entry.IsLoaded());
}

TEST(DebuggerEntry, APrefilledTitleEnablesOkAndIsShownSelected)
{
    {
        frmDebuggerEntry emptyTitle;
        SetTitleText(emptyTitle, L"");
        SetCommandLineText(emptyTitle, L"dbg.exe");
        EXPECT_FALSE(IsEnabled(ControlsOf(emptyTitle).ok));
    }

    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    SetTitleText(entry, L"Старый отладчик");
    EXPECT_TRUE(IsEnabled(c.ok));

    DialogScript script;
    script.When("the dialog in front with the title focused", [&] { return InFront(entry) && GetFocus() == c.title; },
                [&] {
                    EXPECT_EQ(Selection(c.title), std::make_pair(DWORD{0}, DWORD{15}));
                    PressKey(VK_TAB);
                })
        .When("the command line focused", [&] { return GetFocus() == c.commandLine; },
              [&] {
                  SetWindowTextW(c.commandLine, L"old.exe -p %ld");
                  PressKey(VK_TAB, {VK_SHIFT});
              })
        .When("the title focused again", [&] { return GetFocus() == c.title; },
              [&] {
                  // Typing replaces the selected title.
                  Type(L"Новый");
              })
        .When("the title replaced", [&] { return entry.Entry().title == L"Новый"; }, [&] { Click(c.cancel); });
    script.Run([&] { entry.ShowModal(); });

    EXPECT_FALSE(entry.Ok());
    EXPECT_EQ(entry.Entry().title, L"Новый");
}

TEST(DebuggerEntry, DetectCopiesTheSystemDebuggerAndClearsTheTitle)
{
    AeDebugValues restore;
    const std::wstring system = L"\"C:\\Program Files\\Tool\\dbg.exe\" -p %ld -e %ld -g";
    AeDebugValues::Set(L"Debugger", system);
    AeDebugValues::Set(L"Auto", L"1");

    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    SetTitleText(entry, L"Мой отладчик");
    SetCommandLineText(entry, L"old.exe -p %ld");
    SetCommandLine32Text(entry, L"old32.exe -p %ld");
    SetAutoValue(entry, 0);

    DialogScript script;
    script.When("the dialog in front", [&] { return InFront(entry); },
                [&] {
                    Click(c.detect);
                    EXPECT_EQ(entry.Entry().title, L"");
                    EXPECT_FALSE(IsEnabled(c.ok));
                    EXPECT_EQ(entry.Entry().choice.commandLine, system);
                    EXPECT_EQ(entry.Entry().choice.commandLine32, L"") << "both views agree";
                    EXPECT_EQ(AutoValue(entry), 1);

                    // Each view's own command line; Auto is the native view's.
                    AeDebugValues::SetIn(KEY_WOW64_32KEY, L"Debugger", L"x32dbg.exe -a %ld -e %ld");
                    AeDebugValues::SetIn(KEY_WOW64_64KEY, L"Auto", L"0");
                    Click(c.detect);
                    EXPECT_EQ(entry.Entry().choice.commandLine, system);
                    EXPECT_EQ(entry.Entry().choice.commandLine32, L"x32dbg.exe -a %ld -e %ld");
                    EXPECT_EQ(AutoValue(entry), 0);

                    AeDebugValues::Set(L"Debugger", std::nullopt);
                    AeDebugValues::Set(L"Auto", std::nullopt);
                    SetTitleText(entry, L"Ещё один");
                    SetAutoValue(entry, 1);
                    Click(c.detect);
                    EXPECT_EQ(entry.Entry().title, L"");
                    EXPECT_EQ(entry.Entry().choice.commandLine, L"");
                    EXPECT_EQ(entry.Entry().choice.commandLine32, L"");
                    EXPECT_EQ(AutoValue(entry), 0);
                    Click(c.cancel);
                });
    script.Run([&] { entry.ShowModal(); });
    EXPECT_FALSE(entry.Ok());
}

TEST(DebuggerEntry, BrowseReplacesTheCommandLineWithTheChosenFileExactly)
{
    const std::wstring chosen = L"C:\\Program Files\\Tool\\dbg.exe";
    CreateDirectoryW(L"C:\\Program Files\\Tool", nullptr);
    HANDLE file = CreateFileW(chosen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    SetTitleText(entry, L"Отладчик");
    SetCommandLineText(entry, L"old.exe -p %ld");
    const auto fileDialog = [&] {
        HWND dialog = ShownDialogOwnedBy(c.window);
        return dialog && IsForeground(dialog) ? dialog : nullptr;
    };

    DialogScript script;
    script.When("the dialog in front", [&] { return InFront(entry); }, [&] { Click(c.browse); })
        .When("the file dialog in front", fileDialog,
              [&] {
                  HWND dialog = fileDialog();
                  EXPECT_EQ(FileTypes(dialog), (std::vector<std::wstring>{L"Исполняемые файлы", L"Все файлы"}));
                  EXPECT_EQ(Text(FileNameBox(dialog)), L"") << "the command line is not offered as a start";
                  Answer(dialog, IDCANCEL);
              })
        .When("the file dialog closed", [&] { return !ShownDialogOwnedBy(c.window) && InFront(entry); },
              [&] {
                  EXPECT_EQ(entry.Entry().choice.commandLine, L"old.exe -p %ld");
                  Click(c.browse);
              })
        .When("the file dialog in front again", fileDialog,
              [&] {
                  HWND name = FileNameBox(fileDialog());
                  SetWindowTextW(name, chosen.c_str());
                  SetFocus(name);
                  PressKey(VK_RETURN);
              })
        .When("the file dialog closed again", [&] { return !ShownDialogOwnedBy(c.window) && InFront(entry); },
              [&] {
                  EXPECT_EQ(entry.Entry().choice.commandLine, chosen);
                  EXPECT_EQ(entry.Entry().title, L"Отладчик");
                  Click(c.ok);
              })
        // The path has blanks and no quotes, and no %ld follows: "No" and "Yes" keep it as chosen.
        .When("the offer of quotes", BoxInFront, [&] { Answer(BoxInFront(), IDNO); })
        .When("the warning", BoxInFront, [&] { Answer(BoxInFront(), IDYES); });
    script.Run([&] { entry.ShowModal(); });
    EXPECT_TRUE(entry.Ok());
    EXPECT_EQ(entry.Entry().choice.commandLine, chosen);
}

TEST(DebuggerEntry, EveryCloseRequestHidesItAsCancelDoes)
{
    struct Request {
        const char* name;
        std::function<void(HWND)> make;
    };
    const std::vector<Request> requests = {
        {"close box", [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4", [](HWND) { PressKey(VK_F4, {VK_MENU}); }},
        {"Esc", [](HWND) { PressKey(VK_ESCAPE); }},
        // The dialog lets the session end, and stays until it does.
        {"end of the session",
         [](HWND window) {
             EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
             SendMessageW(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
             EXPECT_TRUE(IsWindowVisible(window)) << "another program kept the session going";
             SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
         }},
    };
    for (const Request& request : requests) {
        SCOPED_TRACE(request.name);
        frmDebuggerEntry entry;
        SetTitleText(entry, L"Заголовок");
        DialogScript script;
        script.When("the dialog in front", [&] { return InFront(entry); }, [&] { request.make(entry.Handle()); });
        script.Run([&] { entry.ShowModal(); });

        EXPECT_TRUE(entry.IsLoaded());
        EXPECT_FALSE(entry.IsVisible());
        EXPECT_FALSE(entry.Ok());
        EXPECT_EQ(entry.Entry().title, L"Заголовок");
        entry.Unload();
        EXPECT_FALSE(entry.IsLoaded()) << "the caller's own unload goes through";
    }
}

TEST(DebuggerEntry, LooksAsDesigned)
{
    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    SetTitleText(entry, L"Системный отладчик");
    SetCommandLineText(entry, L"\"C:\\Program Files\\Tool\\dbg.exe\" -p %ld -e %ld");
    SetAutoValue(entry, 1);

    DialogScript script;
    script.When("the dialog in front", [&] { return InFront(entry); },
                [&] {
                    EXPECT_EQ(Text(c.window), L"Отладчик");
                    const auto style = static_cast<DWORD>(GetWindowLongPtrW(c.window, GWL_STYLE));
                    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(c.window, GWL_EXSTYLE));
                    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
                    EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u);
                    EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0u);
                    EXPECT_EQ(GetWindow(c.window, GW_OWNER), qsGetThunderMainHandle()) << "off the taskbar";
                    EXPECT_EQ(SendMessageW(c.window, WM_GETICON, ICON_SMALL, 0), 0);
                    EXPECT_EQ(SendMessageW(c.window, WM_GETICON, ICON_BIG, 0), 0);
                    RECT client{};
                    GetClientRect(c.window, &client);
                    EXPECT_EQ(client.right, 401);
                    EXPECT_EQ(client.bottom, 197) << "taller by the row for 32-bit programs";
                    EXPECT_EQ(Text(GetDlgItem(c.window, frmDebuggerEntry::kLblTag2)), L"Для 32-битных программ:");
                    EXPECT_TRUE(IsWindowVisible(c.commandLine32));
                    EXPECT_EQ(Text(c.browse32), L"...");
                    EXPECT_EQ(Text(c.detect), L"Определить");
                    EXPECT_EQ(Text(c.autoStart), L"Автоматический вызов");
                    Repaint(c.window);
                })
        .After(300,
               [&] {
                    SaveScreenshot(c.window, L"debugger-entry");
                    // The band at the left under the labels; the desktop to the right of it.
                    EXPECT_EQ(ClientPixel(c.window, 4, 60), GetSysColor(COLOR_BTNFACE));
                    EXPECT_EQ(ClientPixel(c.window, 170, 152), GetSysColor(COLOR_BTNFACE));
                    EXPECT_EQ(ClientPixel(c.window, 300, 95), GetSysColor(COLOR_DESKTOP));
                    EXPECT_EQ(ClientPixel(c.window, 180, 193), GetSysColor(COLOR_DESKTOP));
                    Click(c.cancel);
                });
    script.Run([&] { entry.ShowModal(); });
}

// Run at 100% and, in a session of its own, at 150%: the screenshots show both.
TEST(DebuggerEntry, DisplayScaleSizesTheDialog)
{
    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    SetTitleText(entry, L"Системный отладчик");
    SetCommandLineText(entry, L"\"C:\\Program Files\\Tool\\dbg.exe\" -p %ld -e %ld");

    DialogScript script;
    script.When("the dialog in front", [&] { return InFront(entry); }, [&] { Repaint(c.window); })
        .After(300, [&] {
            SaveScreenshot(c.window, L"debugger-entry-" + ScalePercentOf(c.window));
            // The client area designed as 401 x 197 pixels at 96 dpi, grown with the scale.
            const int dpi = static_cast<int>(WindowDpi(c.window));
            RECT client{};
            GetClientRect(c.window, &client);
            EXPECT_NEAR(client.right, MulDiv(401, dpi, 96), 1);
            EXPECT_NEAR(client.bottom, MulDiv(197, dpi, 96), 1);
            Click(c.cancel);
        });
    script.Run([&] { entry.ShowModal(); });
}

TEST(DebuggerEntry, EnterPressesTheButtonThatHasTheFocus)
{
    AeDebugValues restore;
    AeDebugValues::Set(L"Debugger", L"dbg.exe -p %ld");
    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    SetTitleText(entry, L"Заголовок");

    DialogScript script;
    // Focus given as a click gives it, without the keyboard's own moves between buttons.
    script.When("the dialog in front", [&] { return InFront(entry); },
                [&] {
                    SetFocus(c.detect);
                    PressKey(VK_RETURN);
                })
        .When("the system debugger detected", [&] { return entry.Entry().choice.commandLine == L"dbg.exe -p %ld"; },
              [&] {
                  SetTitleText(entry, L"Заголовок");
                  SetFocus(c.cancel);
                  PressKey(VK_RETURN);
              });
    script.Run([&] { entry.ShowModal(); });
    EXPECT_FALSE(entry.Ok()) << "Enter on \"Отмена\" pressed \"Ok\"";
}

TEST(DebuggerEntry, OkRefusesAnUnsafeCommandLineAndAsksAboutQuotesAndMissingPrograms)
{
    const std::wstring spaced = L"C:\\Program Files\\Tool\\dbg.exe";
    CreateDirectoryW(L"C:\\Program Files\\Tool", nullptr);
    CloseHandle(CreateFileW(spaced.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));

    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    HWND commandLine32 = GetDlgItem(c.window, frmDebuggerEntry::kTxtCommandLine32);
    SetTitleText(entry, L"Отладчик");
    SetCommandLineText(entry, L"cmd.exe -p %ld %s");
    const auto open = [&] { return InFront(entry) && !BoxInFront(); };

    DialogScript script;
    script.When("the dialog in front", open, [&] { Click(c.ok); })
        .When("the refusal", BoxInFront,
              [&] {
                  ExpectBox(BoxInFront(),
                            L"Командная строка не может содержать «%s»: система подставляет только %ld (номер "
                            L"процесса, затем событие), %p (адрес сведений о сбое) и %% (знак процента).",
                            {IDOK}, MB_ICONERROR);
                  Answer(BoxInFront(), IDOK);
              })
        .When("the dialog open again", open,
              [&] {
                  EXPECT_EQ(GetFocus(), c.commandLine);
                  SetCommandLineText(entry, L"cmd.exe -p %ld");
                  SetCommandLine32Text(entry, L"missing.exe -p %ld -e %ld");
                  Click(c.ok);
              })
        .When("the warning for the 32-bit command line", BoxInFront,
              [&] {
                  ExpectBox(BoxInFront(),
                            L"Для 32-битных программ:\nПрограмма «missing.exe» не найдена.\n\nВсё равно сохранить?",
                            {IDYES, IDNO}, MB_ICONEXCLAMATION);
                  Answer(BoxInFront(), IDNO);
              })
        .When("the dialog open after No", open,
              [&] {
                  EXPECT_EQ(GetFocus(), commandLine32);
                  SetCommandLine32Text(entry, L"");
                  SetCommandLineText(entry, spaced + L" -p %ld -e %ld");
                  Click(c.ok);
              })
        .When("the offer of quotes", BoxInFront,
              [&] {
                  ExpectBox(BoxInFront(),
                            L"Путь к программе «C:\\Program Files\\Tool\\dbg.exe» содержит пробелы, но не заключён в "
                            L"кавычки: Windows сначала попробует запустить «C:\\Program.exe». Заключить путь в кавычки?",
                            {IDYES, IDNO}, MB_ICONQUESTION);
                  Answer(BoxInFront(), IDYES);
              });
    script.Run([&] { entry.ShowModal(); });
    EXPECT_TRUE(entry.Ok());
    EXPECT_EQ(entry.Entry().choice.commandLine, L"\"C:\\Program Files\\Tool\\dbg.exe\" -p %ld -e %ld");
}

TEST(DebuggerEntry, OkWarnsOfAnExecutableAnotherAccountCanChange)
{
    const std::wstring folder = L"C:\\SharedTools";
    MakeFolderEveryoneMayChange(folder);
    const std::wstring program = folder + L"\\dbg.exe";
    CloseHandle(CreateFileW(program.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));

    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    SetTitleText(entry, L"Отладчик");
    SetCommandLineText(entry, program + L" -p %ld -e %ld");
    const auto open = [&] { return InFront(entry) && !BoxInFront(); };
    const auto warning = [&](int answer) {
        ExpectBox(BoxInFront(),
                  L"Программу «C:\\SharedTools\\dbg.exe» может подменить не только администратор: «Everyone» может "
                  L"изменить папку «C:\\SharedTools», а отладчик запускается с правами упавшей программы, даже "
                  L"службы (SYSTEM). Перенесите его в папку, которую меняют лишь администраторы (например, Program "
                  L"Files).\n\nВсё равно сохранить?",
                  {IDYES, IDNO}, MB_ICONEXCLAMATION);
        Answer(BoxInFront(), answer);
    };

    DialogScript script;
    script.When("the dialog in front", open, [&] { Click(c.ok); })
        .When("the warning", BoxInFront, [&] { warning(IDNO); })
        .When("the dialog open after No", open,
              [&] {
                  EXPECT_FALSE(entry.Ok());
                  Click(c.ok);
              })
        .When("the warning again", BoxInFront, [&] { warning(IDYES); });
    script.Run([&] { entry.ShowModal(); });
    EXPECT_TRUE(entry.Ok());
    EXPECT_EQ(entry.Entry().choice.commandLine, program + L" -p %ld -e %ld");
}

TEST(DebuggerEntry, AKnownDebuggerFillsEveryField)
{
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "registers Windows Kits in HKLM: only in a throwaway Wine prefix";
    // The Windows Kits as their installer registers them, in a scratch folder.
    const std::wstring kits = std::filesystem::temp_directory_path().wstring() + L"\\JitswapEntryKits\\";
    for (const wchar_t* folder : {L"x64", L"x86"}) {
        std::filesystem::create_directories(kits + L"Debuggers\\" + folder);
        std::ofstream(std::filesystem::path(kits + L"Debuggers\\" + folder + L"\\windbg.exe")).put('x');
    }
    constexpr wchar_t kKitsKey[] = L"SOFTWARE\\Microsoft\\Windows Kits\\Installed Roots";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKitsKey, L"KitsRoot10", REG_SZ, kits.c_str(),
                              static_cast<DWORD>((kits.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);

    frmDebuggerEntry entry;
    const EntryControls c = ControlsOf(entry);
    HWND presets = GetDlgItem(c.window, frmDebuggerEntry::kCmdPresets);
    const auto menuWindow = [] { return FindWindowW(L"#32768", nullptr); };

    DialogScript script;
    script.When("the dialog in front", [&] { return InFront(entry); }, [&] { Click(presets); })
        .When("the known debuggers' menu", [&] { return menuWindow() && IsWindowVisible(menuWindow()); },
              [&] {
                  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow(), MN_GETHMENU, 0, 0));
                  std::vector<std::wstring> captions;
                  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                      wchar_t caption[128] = {};
                      GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
                      captions.emplace_back(caption);
                  }
                  // Found: no dots; the others ask where they are. Wine's own only under Wine.
                  EXPECT_EQ(captions, (std::vector<std::wstring>{L"Visual Studio...", L"WinDbg", L"CDB...",
                                                                 L"x64dbg...", L"Dr. Mingw...", L"ProcDump...",
                                                                 L"Отладчик Wine", L"Без отладчика",
                                                                 L"Спросить при сбое"}));
                  PressKey(VK_DOWN);
                  PressKey(VK_DOWN);
                  PressKey(VK_RETURN);
              })
        .When("the fields filled", [&] { return InFront(entry) && entry.Entry().title == L"WinDbg"; },
              [&] {
                  EXPECT_EQ(entry.Entry().choice.commandLine, L"\"" + kits + L"Debuggers\\x64\\windbg.exe\" -p %ld -e %ld -g");
                  EXPECT_EQ(entry.Entry().choice.commandLine32, L"\"" + kits + L"Debuggers\\x86\\windbg.exe\" -p %ld -e %ld -g");
                  EXPECT_EQ(AutoValue(entry), 1);
                  // Every check passes: Ok closes at once.
                  Click(c.ok);
              });
    script.Run([&] { entry.ShowModal(); });
    EXPECT_TRUE(entry.Ok());
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKitsKey, L"KitsRoot10");
    std::filesystem::remove_all(kits);
}
