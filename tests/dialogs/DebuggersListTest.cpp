// The list dialog driven as a user drives it, against a catalogue in the real registry: its
// buttons, hot keys, the entry dialogs it opens and the message boxes it asks.

#include "dialogs/frmDebuggerEntry.h"
#include "dialogs/frmDebuggersList.h"
#include "support/window/ApplicationWindow.h"
#include "support/window/MessageBox.h"
#include "tests/common/DialogDriver.h"
#include "tests/dialogs/DialogScript.h"
#include "tests/dialogs/ScratchCatalogue.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace jitswap;
using namespace jitswap::test;

namespace {

constexpr wchar_t kQuestion[] = L"Вы действительно хотите удалить отладчик из списка?";

struct ListControls {
    HWND window, list, add, edit, remove, ok, cancel;
};

ListControls ControlsOf(const frmDebuggersList& dialog)
{
    HWND window = dialog.Handle();
    const auto item = [&](int id) { return GetDlgItem(window, id); };
    return {window,
            item(frmDebuggersList::kLstDebuggers),
            item(frmDebuggersList::kCmdAdd),
            item(frmDebuggersList::kCmdEdit),
            item(frmDebuggersList::kCmdRemove),
            item(frmDebuggersList::kCmdOk),
            item(frmDebuggersList::kCmdCancel)};
}

std::vector<std::wstring> Items(HWND list)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < ListCount(list); ++i) items.push_back(ListItem(list, i));
    return items;
}

std::vector<std::wstring> Titles(const std::vector<DebuggerEntry>& entries)
{
    std::vector<std::wstring> titles;
    for (const DebuggerEntry& entry : entries) titles.push_back(entry.title);
    return titles;
}

bool InFront(const frmDebuggersList& dialog)
{
    return dialog.IsVisible() && IsForeground(dialog.Handle()) && !ShownMessageBox() && !ShownForm(L"Отладчик");
}

HWND EntryInFront()
{
    HWND entry = ShownForm(L"Отладчик");
    return entry && IsForeground(entry) ? entry : nullptr;
}

HWND EntryItem(int id)
{
    return GetDlgItem(EntryInFront(), id);
}

BOOL CALLBACK CollectToolTips(HWND window, LPARAM found)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (_wcsicmp(name, TOOLTIPS_CLASSW) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND ToolTipsOfThisThread()
{
    HWND toolTips = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &CollectToolTips, reinterpret_cast<LPARAM>(&toolTips));
    return toolTips;
}

// The black pixels of a picture, placed from the corner of their extent: the picture's drawing,
// wherever it stands.
std::set<std::pair<int, int>> BlackDrawing(const std::vector<COLORREF>& colours, int width)
{
    std::set<std::pair<int, int>> black;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (colours[i] == RGB(0, 0, 0)) black.emplace(static_cast<int>(i) % width, static_cast<int>(i) / width);
    }
    int left = INT_MAX;
    int top = INT_MAX;
    for (const auto& [x, y] : black) {
        left = std::min(left, x);
        top = std::min(top, y);
    }
    std::set<std::pair<int, int>> drawing;
    for (const auto& [x, y] : black) drawing.emplace(x - left, y - top);
    return drawing;
}

std::set<std::pair<int, int>> BlackDrawingOfResource(const std::wstring& name)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) {
        ADD_FAILURE() << "no bitmap resource for this scale";
        return {};
    }
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB};
    std::vector<DWORD> bgrx(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bgrx.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    std::vector<COLORREF> colours;
    for (const DWORD pixel : bgrx) colours.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    return BlackDrawing(colours, info.bmWidth);
}

class DebuggersList : public ScratchCatalogue {
protected:
    // Opens the dialog with the steps and returns when it has closed.
    void Open(frmDebuggersList& dialog, DialogScript& script)
    {
        script.Run([&] { dialog.ShowDialog(); });
        EXPECT_FALSE(dialog.IsOpen());
    }
};

} // namespace

TEST_F(DebuggersList, ButtonsFollowTheNumberOfEntries)
{
    for (int count : {0, 1, 29, 30}) {
        SCOPED_TRACE(count);
        Store(Numbered(count));
        frmDebuggersList dialog(Opener());
        DialogScript script;
        script.When("the list in front", [&] { return InFront(dialog); },
                    [&] {
                        const ListControls c = ControlsOf(dialog);
                        EXPECT_EQ(Items(c.list), Titles(Numbered(count)));
                        EXPECT_EQ(ListSelection(c.list), count > 0 ? 0 : -1);
                        EXPECT_EQ(IsEnabled(c.add), count != 30);
                        EXPECT_EQ(IsEnabled(c.edit), count != 0);
                        EXPECT_EQ(IsEnabled(c.remove), count != 0);
                        EXPECT_TRUE(IsEnabled(c.ok));
                        EXPECT_TRUE(IsEnabled(c.cancel));
                        EXPECT_EQ(GetFocus(), c.list);
                        Click(c.cancel);
                    });
        Open(dialog, script);
        EXPECT_EQ(*m_writes, 0);
    }
}

TEST_F(DebuggersList, HotKeysWorkOnlyWithoutModifiersAndInsertNotAtTheLimit)
{
    // Each key press that must do nothing is followed by one that must act: the first window that
    // opens shows whether the ignored key did anything after all.
    Store(Numbered(2));
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); },
                [&] {
                    PressKey(VK_INSERT, {VK_SHIFT});
                    PressKey(VK_DELETE, {VK_CONTROL});
                    PressKey(VK_F2);
                })
        .When("an entry dialog or a message box", [] { return EntryInFront() || BoxInFront(); },
              [&] {
                  ASSERT_TRUE(EntryInFront()) << "Ctrl+Delete asked to remove";
                  EXPECT_EQ(Text(EntryItem(frmDebuggerEntry::kTxtTitle)), L"Отладчик 1") << "Shift+Insert added";
                  Click(EntryItem(frmDebuggerEntry::kCmdCancel));
              })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  PressKey(VK_F2, {VK_MENU});
                  PressKey(VK_INSERT);
              })
        .When("an entry dialog", [] { return EntryInFront(); },
              [&] {
                  EXPECT_EQ(Text(EntryItem(frmDebuggerEntry::kTxtTitle)), L"") << "Alt+F2 edited";
                  Click(EntryItem(frmDebuggerEntry::kCmdCancel));
              })
        .After(300,
               [&] {
                   EXPECT_TRUE(InFront(dialog)) << "a key opened a second window";
                   EXPECT_EQ(Items(ControlsOf(dialog).list), Titles(Numbered(2)));
                   Click(ControlsOf(dialog).cancel);
               });
    Open(dialog, script);

    Store(Numbered(30));
    DialogScript full;
    full.When("the full list in front", [&] { return InFront(dialog); },
              [&] {
                  PressKey(VK_INSERT);
                  PressKey(VK_F2);
              })
        .When("an entry dialog", [] { return EntryInFront(); },
              [&] {
                  EXPECT_EQ(Text(EntryItem(frmDebuggerEntry::kTxtTitle)), L"Отладчик 1") << "Insert added at 30";
                  Click(EntryItem(frmDebuggerEntry::kCmdCancel));
              })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  EXPECT_EQ(ListCount(ControlsOf(dialog).list), 30);
                  Click(ControlsOf(dialog).cancel);
              });
    Open(dialog, full);
}

TEST_F(DebuggersList, EnterPressesTheGraphicalButtonThatHasTheFocus)
{
    Store(Numbered(1));
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); },
                [&] {
                    SetFocus(ControlsOf(dialog).add);
                    PressKey(VK_RETURN);
                })
        .When("the add dialog", EntryInFront,
              [&] {
                  EXPECT_EQ(Text(EntryItem(frmDebuggerEntry::kTxtTitle)), L"");
                  Click(EntryItem(frmDebuggerEntry::kCmdCancel));
              })
        .When("the list in front", [&] { return InFront(dialog); }, [&] { Click(ControlsOf(dialog).cancel); });
    Open(dialog, script);
    EXPECT_EQ(*m_writes, 0) << "Enter went to Ok";
}

TEST_F(DebuggersList, RemovalKeepsTheSelectionInPlaceOrOnTheNewLastEntry)
{
    Store(Numbered(4));
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); },
                [&] {
                    SendMessageW(ControlsOf(dialog).list, LB_SETCURSEL, 1, 0);
                    PressKey(VK_DELETE);
                })
        .When("the question", BoxInFront,
              [&] {
                  ExpectBox(BoxInFront(), kQuestion, {IDYES, IDNO}, MB_ICONQUESTION);
                  Answer(BoxInFront(), IDYES);
              })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  EXPECT_EQ(Items(c.list), (std::vector<std::wstring>{L"Отладчик 1", L"Отладчик 3", L"Отладчик 4"}));
                  EXPECT_EQ(ListSelection(c.list), 1) << "the entry that followed the removed one";
                  EXPECT_EQ(GetFocus(), c.list);
                  SendMessageW(c.list, LB_SETCURSEL, 2, 0);
                  PressKey(VK_DELETE);
              })
        .When("the question", BoxInFront, [&] { Answer(BoxInFront(), IDYES); })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  EXPECT_EQ(Items(c.list), (std::vector<std::wstring>{L"Отладчик 1", L"Отладчик 3"}));
                  EXPECT_EQ(ListSelection(c.list), 1) << "the new last entry";
                  Click(c.ok);
              });
    Open(dialog, script);
    const auto numbered = Numbered(4);
    EXPECT_EQ(Stored(), (std::vector<DebuggerEntry>{numbered[0], numbered[2]}));
}

TEST_F(DebuggersList, RemovingTheOnlyEntryLeavesAnEmptyListWithoutSelection)
{
    Store(Numbered(1));
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); }, [&] { Click(ControlsOf(dialog).remove); })
        .When("the question", BoxInFront, [&] { Answer(BoxInFront(), IDYES); })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  EXPECT_EQ(ListCount(c.list), 0);
                  EXPECT_EQ(ListSelection(c.list), -1);
                  EXPECT_TRUE(IsEnabled(c.add));
                  EXPECT_FALSE(IsEnabled(c.edit));
                  EXPECT_FALSE(IsEnabled(c.remove));
                  EXPECT_EQ(GetFocus(), c.list);
                  // Nothing to act on: the keys do nothing.
                  PressKey(VK_DELETE);
                  PressKey(VK_F2);
              })
        .After(300,
               [&] {
                   EXPECT_TRUE(InFront(dialog));
                   Click(ControlsOf(dialog).ok);
               });
    Open(dialog, script);
    EXPECT_TRUE(Stored().empty());
}

TEST_F(DebuggersList, AnsweringNoChangesNothingAndLeavesTheFocus)
{
    Store(Numbered(3));
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); },
                [&] {
                    const ListControls c = ControlsOf(dialog);
                    SendMessageW(c.list, LB_SETCURSEL, 2, 0);
                    SetFocus(c.ok);
                    // Key preview: Delete works whatever control has the focus.
                    PressKey(VK_DELETE);
                })
        .When("the question", BoxInFront, [&] { Answer(BoxInFront(), IDNO); })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  EXPECT_EQ(Items(c.list), Titles(Numbered(3)));
                  EXPECT_EQ(ListSelection(c.list), 2);
                  EXPECT_EQ(GetFocus(), c.ok);
                  Click(c.cancel);
              });
    Open(dialog, script);
    EXPECT_EQ(*m_writes, 0);
    EXPECT_EQ(Stored(), Numbered(3));
}

TEST_F(DebuggersList, AddAndEditGoThroughTheEntryDialogAndOkSavesThem)
{
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the empty list in front", [&] { return InFront(dialog); }, [&] { PressKey(VK_INSERT); })
        .When("the add dialog", EntryInFront,
              [&] {
                  EXPECT_EQ(Text(EntryItem(frmDebuggerEntry::kTxtTitle)), L"");
                  EXPECT_EQ(Text(EntryItem(frmDebuggerEntry::kTxtCommandLine)), L"");
                  EXPECT_EQ(SendMessageW(EntryItem(frmDebuggerEntry::kChkAuto), BM_GETCHECK, 0, 0), BST_UNCHECKED);
                  EXPECT_FALSE(IsEnabled(EntryItem(frmDebuggerEntry::kCmdOk)));
                  Type(L"Черновик");
                  Click(EntryItem(frmDebuggerEntry::kCmdCancel));
              })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  EXPECT_EQ(ListCount(c.list), 0) << "a cancelled add adds nothing";
                  EXPECT_EQ(GetFocus(), c.list);
                  Click(c.add);
              })
        .When("the add dialog", EntryInFront,
              [&] {
                  EXPECT_TRUE(IsWindowVisible(EntryItem(frmDebuggerEntry::kTxtCommandLine32))) << "a 64-bit host";
                  Type(L"   ");
                  PressKey(VK_TAB);
                  Type(L"cmd.exe -p %ld");
                  PressKey(VK_TAB);
                  PressKey(VK_TAB);
                  Type(L"notepad.exe -p %ld");
                  PressKey(VK_RETURN);
              })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  EXPECT_EQ(Items(c.list), std::vector<std::wstring>{L"   "});
                  // The first entry of an empty list is selected, so Edit and Remove act on it.
                  EXPECT_EQ(ListSelection(c.list), 0);
                  EXPECT_TRUE(IsEnabled(c.edit));
                  EXPECT_EQ(GetFocus(), c.list);
                  PressKey(VK_F2);
              })
        .When("the edit dialog", EntryInFront,
              [&] {
                  HWND title = EntryItem(frmDebuggerEntry::kTxtTitle);
                  EXPECT_EQ(Text(title), L"   ");
                  DWORD start = 1;
                  DWORD end = 0;
                  SendMessageW(title, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
                  EXPECT_EQ(start, 0u);
                  EXPECT_EQ(end, 3u);
                  EXPECT_EQ(Text(EntryItem(frmDebuggerEntry::kTxtCommandLine)), L"cmd.exe -p %ld");
                  EXPECT_EQ(Text(EntryItem(frmDebuggerEntry::kTxtCommandLine32)), L"notepad.exe -p %ld");
                  EXPECT_TRUE(IsEnabled(EntryItem(frmDebuggerEntry::kCmdOk)));
                  SetWindowTextW(EntryItem(frmDebuggerEntry::kTxtCommandLine32), L"notepad.exe -p %ld -e %ld");
                  Type(L"Основной");
              })
        .When("the title typed",
              [] { return EntryInFront() && Text(EntryItem(frmDebuggerEntry::kTxtTitle)) == L"Основной"; },
              [&] {
                  Click(EntryItem(frmDebuggerEntry::kChkAuto));
                  Click(EntryItem(frmDebuggerEntry::kCmdOk));
              })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  EXPECT_EQ(Items(c.list), std::vector<std::wstring>{L"Основной"});
                  EXPECT_EQ(ListSelection(c.list), 0);
                  PressKey(VK_INSERT);
              })
        .When("the add dialog", EntryInFront,
              [&] {
                  Type(L"Второй");
                  PressKey(VK_RETURN);
              })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  EXPECT_EQ(Items(c.list), (std::vector<std::wstring>{L"Основной", L"Второй"}));
                  EXPECT_EQ(ListSelection(c.list), 0) << "adding does not move a selection";
                  RECT item{};
                  SendMessageW(c.list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
                  POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
                  ClientToScreen(c.list, &centre);
                  DoubleClickAt(centre);
              })
        .When("the edit dialog of the double-clicked entry", EntryInFront,
              [&] {
                  EXPECT_EQ(Text(EntryItem(frmDebuggerEntry::kTxtTitle)), L"Второй");
                  SetWindowTextW(EntryItem(frmDebuggerEntry::kTxtTitle), L"Запасной");
                  Click(EntryItem(frmDebuggerEntry::kCmdOk));
              })
        .When("the list in front", [&] { return InFront(dialog); },
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  EXPECT_EQ(Items(c.list), (std::vector<std::wstring>{L"Основной", L"Запасной"}));
                  EXPECT_EQ(ListSelection(c.list), 1) << "an edit keeps the selection on its entry";
                  EXPECT_EQ(*m_writes, 0) << "nothing is saved before Ok";
                  Click(c.ok);
              });
    Open(dialog, script);
    EXPECT_EQ(Stored(), (std::vector<DebuggerEntry>{{L"Основной", {L"cmd.exe -p %ld", L"notepad.exe -p %ld -e %ld", true}},
                                                    {L"Запасной", {L"", L"", false}}}));
}

TEST_F(DebuggersList, CancelDropsTheEditsAndOkSavesEvenWithoutChanges)
{
    Store(Numbered(2));
    frmDebuggersList dialog(Opener());
    DialogScript edits;
    edits.When("the list in front", [&] { return InFront(dialog); }, [&] { PressKey(VK_INSERT); })
        .When("the add dialog", EntryInFront,
              [&] {
                  Type(L"Новый");
                  PressKey(VK_RETURN);
              })
        .When("three entries", [&] { return InFront(dialog) && ListCount(ControlsOf(dialog).list) == 3; },
              [&] { PressKey(VK_F2); })
        .When("the edit dialog", EntryInFront,
              [&] {
                  Type(L"Изменённый");
                  PressKey(VK_RETURN);
              })
        // Its debugger is not on this machine: Yes keeps it as it is.
        .When("the warning", BoxInFront, [&] { Answer(BoxInFront(), IDYES); })
        .When("the edited entry", [&] { return InFront(dialog) && ListItem(ControlsOf(dialog).list, 0) == L"Изменённый"; },
              [&] { PressKey(VK_DELETE); })
        .When("the question", BoxInFront, [&] { Answer(BoxInFront(), IDYES); })
        .When("two entries", [&] { return InFront(dialog) && ListCount(ControlsOf(dialog).list) == 2; },
              [&] { PostMessageW(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    Open(dialog, edits);
    EXPECT_EQ(*m_writes, 0) << "the close box saves nothing";
    EXPECT_EQ(Stored(), Numbered(2));

    // The same dialog object opens again with what is stored, not with the dropped edits.
    DialogScript unchanged;
    unchanged.When("the list in front", [&] { return InFront(dialog); },
                   [&] {
                       EXPECT_EQ(Items(ControlsOf(dialog).list), Titles(Numbered(2)));
                       PressKey(VK_ESCAPE);
                   });
    Open(dialog, unchanged);
    EXPECT_EQ(*m_writes, 0) << "Esc is Cancel";

    DialogScript confirmed;
    confirmed.When("the list in front", [&] { return InFront(dialog); }, [&] { PressKey(VK_RETURN); });
    Open(dialog, confirmed);
    EXPECT_GT(*m_writes, 0) << "Ok writes the catalogue even when nothing changed";
    EXPECT_EQ(Stored(), Numbered(2));
}

TEST_F(DebuggersList, TheSessionsEndClosesItAsCancelDoes)
{
    Store(Numbered(2));
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); }, [&] { PressKey(VK_DELETE); })
        .When("the question", BoxInFront, [&] { Answer(BoxInFront(), IDYES); })
        .When("one entry", [&] { return InFront(dialog) && ListCount(ControlsOf(dialog).list) == 1; },
              [&] {
                  EXPECT_EQ(SendMessageW(dialog.Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
                  EXPECT_TRUE(dialog.IsOpen()) << "until the session does end";
                  SendMessageW(dialog.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
                  EXPECT_FALSE(dialog.IsOpen());
                  if (dialog.IsOpen()) Click(ControlsOf(dialog).cancel);
              });
    Open(dialog, script);
    EXPECT_EQ(*m_writes, 0);
    EXPECT_EQ(Stored(), Numbered(2));
}

TEST_F(DebuggersList, ARefusedSaveSaysSoAndKeepsTheDialogOpenWithTheEdits)
{
    Store(Numbered(2));
    constexpr wchar_t kSection[] = L"Software\\Quarvel\\JitswapDialogsTest\\Debuggers";
    SetKeyAccess(HKEY_CURRENT_USER, kSection, KeyAccess::ReadOnly);
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); }, [&] { PressKey(VK_INSERT); })
        .When("the add dialog", EntryInFront,
              [&] {
                  Type(L"Новый");
                  PressKey(VK_RETURN);
              })
        .When("three entries", [&] { return InFront(dialog) && ListCount(ControlsOf(dialog).list) == 3; },
              [&] { PressKey(VK_RETURN); })
        .When("the message", BoxInFront,
              [&] {
                  ExpectBox(BoxInFront(), L"Не удалось сохранить список отладчиков!", {IDOK}, MB_ICONERROR);
                  EXPECT_EQ(Stored(), Numbered(2)) << "a refused save changes nothing stored";
                  Answer(BoxInFront(), IDOK);
              })
        .When("the list in front again", [&] { return InFront(dialog); },
              [&] {
                  EXPECT_EQ(Items(ControlsOf(dialog).list).back(), L"Новый");
                  // The user retries once the store lets them.
                  SetKeyAccess(HKEY_CURRENT_USER, kSection, KeyAccess::Full);
                  PressKey(VK_RETURN);
              });
    Open(dialog, script);
    std::vector<DebuggerEntry> expected = Numbered(2);
    expected.push_back({L"Новый", {L"", L"", false}});
    EXPECT_EQ(Stored(), expected);
}

// Another process keeps "Прежний: ..." while the list is open (a switch from the menu or /use):
// Ok keeps it after the user's list, and asks when it does not fit.
TEST_F(DebuggersList, OkKeepsTheEntriesStoredMeanwhileAndAsksWhenTheyDoNotFit)
{
    const DebuggerEntry kept{L"Прежний: other.exe", {L"other.exe -p %ld", L"", false}};
    const DebuggerEntry added{L"Новый", {L"", L"", false}};
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDNO ? "No" : "Yes");
        Store(Numbered(29));
        frmDebuggersList dialog(Opener());
        DialogScript script;
        script.When("the list in front", [&] { return InFront(dialog); }, [&] { PressKey(VK_INSERT); })
            .When("the add dialog", EntryInFront,
                  [&] {
                      Type(added.title);
                      PressKey(VK_RETURN);
                  })
            .When("thirty entries", [&] { return InFront(dialog) && ListCount(ControlsOf(dialog).list) == 30; },
                  [&] {
                      std::vector<DebuggerEntry> meanwhile = Numbered(29);
                      meanwhile.push_back(kept);
                      Store(meanwhile);
                      PressKey(VK_RETURN);
                  })
            .When("the question", BoxInFront,
                  [&] {
                      ExpectBox(BoxInFront(),
                                L"Пока список был открыт, в него добавлены отладчики, которым в нём нет места:\n\n"
                                L"Прежний: other.exe\n\nСохранить список без них? Они будут потеряны.",
                                {IDYES, IDNO}, MB_ICONEXCLAMATION);
                      Answer(BoxInFront(), answer);
                  });
        if (answer == IDNO) {
            // The list stays open to make room: with one entry fewer, the kept one fits.
            script.When("the list in front again", [&] { return InFront(dialog); }, [&] { PressKey(VK_DELETE); })
                .When("the removal's question", BoxInFront, [&] { Answer(BoxInFront(), IDYES); })
                .When("twenty-nine entries", [&] { return InFront(dialog) && ListCount(ControlsOf(dialog).list) == 29; },
                      [&] { PressKey(VK_RETURN); });
        }
        Open(dialog, script);
        std::vector<DebuggerEntry> expected = Numbered(29);
        if (answer == IDNO) expected.erase(expected.begin());
        expected.push_back(added);
        if (answer == IDNO) expected.push_back(kept);
        EXPECT_EQ(Stored(), expected);
    }
}

TEST_F(DebuggersList, OpensOnlyOnceAndComesToTheFrontWithItsEntryDialog)
{
    Store(Numbered(1));
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); },
                [&] {
                    dialog.ShowDialog();
                    EXPECT_EQ(VisibleWindowsOfThisProcess(L"JitswapForm").size(), 1u) << "a second list opened";
                    EXPECT_TRUE(dialog.IsOpen());
                    PressKey(VK_F2);
                })
        .When("the edit dialog", EntryInFront,
              [&] {
                  HWND entry = EntryInFront();
                  // Something else comes to the front, then the program asks for its open list.
                  SetForegroundWindow(GetShellWindow());
                  dialog.Activate();
                  EXPECT_TRUE(IsForeground(entry)) << "the modal entry dialog stays in front of its list";
                  Click(EntryItem(frmDebuggerEntry::kCmdCancel));
              })
        .When("the list in front", [&] { return InFront(dialog); }, [&] { Click(ControlsOf(dialog).cancel); });
    Open(dialog, script);
}

TEST_F(DebuggersList, LooksAsDesigned)
{
    Store({{L"Системный отладчик", {L"dbg.exe -p %ld", L"", true}},
           {L"Консольный отладчик", {L"cdbg.exe -p %ld -e %ld -g", L"", false}},
           {L"Удалённый отладчик", {L"rdbg.exe --attach %ld", L"", false}}});
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); },
                [&] {
                    const ListControls c = ControlsOf(dialog);
                    EXPECT_EQ(Text(c.window), L"Список отладчиков");
                    const auto style = static_cast<DWORD>(GetWindowLongPtrW(c.window, GWL_STYLE));
                    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
                    EXPECT_EQ(GetWindow(c.window, GW_OWNER), qsGetThunderMainHandle()) << "off the taskbar";
                    EXPECT_EQ(SendMessageW(c.window, WM_GETICON, ICON_SMALL, 0), 0);
                    RECT client{};
                    GetClientRect(c.window, &client);
                    EXPECT_EQ(client.right, 401);
                    EXPECT_EQ(client.bottom, 253);
                    EXPECT_EQ(Text(c.ok), L"Ok");
                    EXPECT_EQ(Text(c.cancel), L"Отмена");

                    // The tooltips of the graphical buttons.
                    std::map<HWND, std::wstring> tips;
                    HWND toolTips = ToolTipsOfThisThread();
                    ASSERT_NE(toolTips, nullptr);
                    EXPECT_EQ(GetWindow(toolTips, GW_OWNER), c.window);
                    const int count = static_cast<int>(SendMessageW(toolTips, TTM_GETTOOLCOUNT, 0, 0));
                    for (int i = 0; i < count; ++i) {
                        wchar_t text[80] = {};
                        TTTOOLINFOW tool{};
                        tool.cbSize = TTTOOLINFOW_V2_SIZE;
                        tool.lpszText = text;
                        SendMessageW(toolTips, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool));
                        tips[reinterpret_cast<HWND>(tool.uId)] = text;
                    }
                    EXPECT_EQ(tips, (std::map<HWND, std::wstring>{
                                        {c.add, L"Добавить (Ins)"}, {c.edit, L"Править (F2)"}, {c.remove, L"Удалить (Del)"}}));
                    Repaint(c.window);
                })
        .After(300,
               [&] {
                    const ListControls c = ControlsOf(dialog);
                    SaveScreenshot(c.window, L"debuggers-list");
                    // The band at the left, the desktop at the right.
                    EXPECT_EQ(ClientPixel(c.window, 3, 100), GetSysColor(COLOR_BTNFACE));
                    EXPECT_EQ(ClientPixel(c.window, 140, 240), GetSysColor(COLOR_BTNFACE));
                    EXPECT_EQ(ClientPixel(c.window, 397, 100), GetSysColor(COLOR_DESKTOP));
                    EXPECT_EQ(ClientPixel(c.window, 160, 240), GetSysColor(COLOR_DESKTOP));
                    Click(c.cancel);
                });
    Open(dialog, script);
}

TEST_F(DebuggersList, GraphicalButtonsDrawTheirPicturesTransparentAndDisabledEmbossed)
{
    Store(Numbered(1));
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); }, [&] { Repaint(dialog.Handle()); })
        .After(300,
               [&] {
                    const ListControls c = ControlsOf(dialog);
                    for (HWND button : {c.add, c.edit, c.remove}) {
                        const ScreenPixels picture = PixelsOf(button, 4);
                        EXPECT_TRUE(picture.Contains(RGB(0, 0, 0))) << "the black outline";
                        EXPECT_TRUE(picture.Contains(RGB(192, 192, 192))) << "the silver fill";
                        EXPECT_FALSE(picture.Contains(RGB(255, 0, 255))) << "magenta is transparent";
                    }
                    Click(c.remove);
                })
        .When("the question", BoxInFront, [&] { Answer(BoxInFront(), IDYES); })
        .When("the emptied list in front", [&] { return InFront(dialog); }, [&] { Repaint(dialog.Handle()); })
        .After(300,
              [&] {
                  const ListControls c = ControlsOf(dialog);
                  SaveScreenshot(c.window, L"debuggers-list-empty");
                  for (HWND button : {c.edit, c.remove}) {
                      const ScreenPixels picture = PixelsOf(button, 4);
                      EXPECT_FALSE(picture.Contains(RGB(0, 0, 0))) << "no outline while disabled";
                      EXPECT_FALSE(picture.Contains(RGB(192, 192, 192))) << "no fill while disabled";
                      EXPECT_FALSE(picture.Contains(RGB(255, 0, 255)));
                      EXPECT_TRUE(picture.Contains(GetSysColor(COLOR_3DSHADOW))) << "the embossed picture";
                  }
                  EXPECT_TRUE(PixelsOf(c.add, 4).Contains(RGB(0, 0, 0))) << "Add stays enabled";
                  Click(c.cancel);
              });
    Open(dialog, script);
}

// Run at 100% and, in a session of its own, at 150%: each button shows the picture drawn for the
// scale pixel for pixel, not the 14x15 one enlarged. The screenshots show both.
TEST_F(DebuggersList, DisplayScaleGetsThePicturesDrawnForIt)
{
    Store(Numbered(1));
    frmDebuggersList dialog(Opener());
    DialogScript script;
    script.When("the list in front", [&] { return InFront(dialog); }, [&] { Repaint(dialog.Handle()); })
        .After(300, [&] {
            const ListControls c = ControlsOf(dialog);
            const std::wstring percent = ScalePercentOf(c.window);
            SaveScreenshot(c.window, L"debuggers-list-" + percent);
            // Other scales (a Windows machine at 175%) borrow a picture; these have their own.
            if (percent != L"100" && percent != L"125" && percent != L"150" && percent != L"200") {
                Click(c.cancel);
                return;
            }
            const std::wstring suffix = percent == L"100" ? L"" : L"_" + percent;
            const std::pair<HWND, std::wstring> pictures[] = {
                {c.add, L"IDB_BTN_ADD"}, {c.edit, L"IDB_BTN_PASSWORD"}, {c.remove, L"IDB_BTN_REMOVE"}};
            for (const auto& [button, name] : pictures) {
                const ScreenPixels shown = PixelsOf(button, 4);
                EXPECT_EQ(BlackDrawing(shown.colours, shown.width), BlackDrawingOfResource(name + suffix))
                    << std::string(name.begin(), name.end());
            }
            Click(c.cancel);
        });
    Open(dialog, script);
}
