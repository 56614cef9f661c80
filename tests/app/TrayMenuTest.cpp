// The tray menu's catalogue part, read back from the real menu of a main window in this process:
// which items it lists, which one carries the radio bullet, and what picking one does to the
// system's setting in the real registry.

#include "app/frmMain.h"
#include "tests/app/JitswapProcess.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace jitswap;
using namespace jitswap::test;

namespace {

constexpr wchar_t kCatalogueKey[] = L"Software\\Quarvel\\Jitswap\\Debuggers";
constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
constexpr UINT kEditList = 1000;
constexpr UINT kUnknown = 1009;
constexpr UINT kFirstDebugger = 1010;

struct Item {
    std::wstring caption;
    bool bullet;
    bool operator==(const Item&) const = default;
};

// Prints an item in failure messages.
void PrintTo(const Item& item, std::ostream* out)
{
    *out << (item.bullet ? "(*) " : "") << item.caption.size() << " characters";
}

std::vector<Item> Items(HMENU menu)
{
    std::vector<Item> items;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[512] = {};
        MENUITEMINFOW info{sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.push_back({separator ? L"-" : text, (info.fState & MFS_CHECKED) && (info.fType & MFT_RADIOCHECK)});
    }
    return items;
}

// The designed items below the catalogue part.
std::vector<Item> WithTail(std::vector<Item> items)
{
    for (const wchar_t* caption : {L"-", L"Запускать с Windows", L"Сообщать о смене отладчика", L"-", L"Справка", L"Выход"})
        items.push_back({caption, false});
    return items;
}

std::vector<Item> Head(bool unknownMarked)
{
    std::vector<Item> items{{L"Править список...", false}, {L"-", false}};
    if (unknownMarked) items.push_back({L"Неизвестный", true});
    return items;
}

constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

void WriteText(HKEY root, const wchar_t* subkey, const std::wstring& name, const std::wstring& value, REGSAM view = 0)
{
    HKEY key = nullptr;
    RegCreateKeyExW(root, subkey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr);
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void SetSystemView(REGSAM view, const std::wstring& debugger, const std::wstring& autoText)
{
    WriteText(HKEY_LOCAL_MACHINE, kAeDebugKey, L"Debugger", debugger, view);
    WriteText(HKEY_LOCAL_MACHINE, kAeDebugKey, L"Auto", autoText, view);
}

void SetSystem(const std::wstring& debugger, const std::wstring& autoText)
{
    for (REGSAM view : kViews) SetSystemView(view, debugger, autoText);
}

std::wstring SystemValue(const wchar_t* name, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return L"(absent)";
    wchar_t data[1024] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = REG_NONE;
    const LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? data : L"(absent)";
}

// "Debugger, Auto" of the native view, then of the 32-bit one.
std::wstring System()
{
    return SystemValue(L"Debugger", KEY_WOW64_64KEY) + L", " + SystemValue(L"Auto", KEY_WOW64_64KEY) + L" / " +
           SystemValue(L"Debugger", KEY_WOW64_32KEY) + L", " + SystemValue(L"Auto", KEY_WOW64_32KEY);
}

class TrayMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (REGSAM view : kViews) SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::Full, view);
        ForgetProgramSettings();
        SetSystem(L"other.exe -p %ld", L"0");
    }
    void TearDown() override
    {
        m_window.reset();
        PumpFor(50);
        for (REGSAM view : kViews) SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::Full, view);
    }

    void Start()
    {
        m_window = std::make_unique<frmMain>();
        m_window->Load();
    }

    std::vector<Item> Menu() const { return Items(GetSubMenu(GetMenu(m_window->Handle()), 0)); }

    // What the user does: the menu opens from the icon and closes again. The user's click comes
    // long after the registry's notices of what the test changed just before.
    void OpenTrayMenu()
    {
        PumpPending();
        CloseNextMenu();
        SendMessageW(FindWindowW(L"JitswapTrayIcon", nullptr), WM_APP + 1, MAKEWPARAM(700, 590),
                     MAKELPARAM(WM_CONTEXTMENU, 1));
    }

    void Click(UINT id)
    {
        PostMessageW(m_window->Handle(), WM_COMMAND, id, 0);
        PumpFor(200);
    }

    std::unique_ptr<frmMain> m_window;
};

} // namespace

TEST_F(TrayMenuTest, AnEmptyCatalogueLeavesOnlyUnknownMarked)
{
    Start();
    EXPECT_EQ(Menu(), WithTail(Head(true)));
}

TEST_F(TrayMenuTest, ThirtyEntriesFollowUnknownInCatalogueOrder)
{
    std::vector<Item> entries;
    for (int slot = 0; slot < 30; ++slot) {
        StoreCatalogueEntry(slot, L"Отладчик " + std::to_wstring(slot), L"dbg" + std::to_wstring(slot) + L".exe %ld", false);
        entries.push_back({L"Отладчик " + std::to_wstring(slot), false});
    }
    Start();
    std::vector<Item> expected = Head(true);
    expected.insert(expected.end(), entries.begin(), entries.end());
    EXPECT_EQ(Menu(), WithTail(expected)) << "no match: the whole radio group, positions 2 to 32";

    // The last entry is the system's: the bullet goes to position 31 once "Неизвестный" is hidden.
    SetSystem(L"dbg29.exe %ld", L"0");
    OpenTrayMenu();
    expected = Head(false);
    entries.back().bullet = true;
    expected.insert(expected.end(), entries.begin(), entries.end());
    EXPECT_EQ(Menu(), WithTail(expected));
}

TEST_F(TrayMenuTest, OfTwoEqualEntriesTheFirstIsMarked)
{
    StoreCatalogueEntry(0, L"Other", L"unrelated.exe", false);
    StoreCatalogueEntry(1, L"First", L"vsjit.exe -p %ld", true);
    StoreCatalogueEntry(2, L"Second", L"vsjit.exe -p %ld", true);
    SetSystem(L"vsjit.exe -p %ld", L"1");
    Start();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Other", false}, {L"First", true},
                                {L"Second", false}}));
}

TEST_F(TrayMenuTest, NearMissesAreNoMatch)
{
    // Exactly as the system holds it: case, blanks and the flag all count.
    StoreCatalogueEntry(0, L"Case", L"VSJIT.EXE -p %ld", true);
    StoreCatalogueEntry(1, L"Leading blank", L" vsjit.exe -p %ld", true);
    StoreCatalogueEntry(2, L"Trailing blank", L"vsjit.exe -p %ld ", true);
    StoreCatalogueEntry(3, L"Other flag", L"vsjit.exe -p %ld", false);
    SetSystem(L"vsjit.exe -p %ld", L" 1 ");  // the flag reads as set: blanks around "1" are allowed
    Start();
    std::vector<Item> expected = Head(true);
    for (const wchar_t* title : {L"Case", L"Leading blank", L"Trailing blank", L"Other flag"}) expected.push_back({title, false});
    EXPECT_EQ(Menu(), WithTail(expected));
}

TEST_F(TrayMenuTest, CaptionsAreTheTitlesUnchanged)
{
    StoreCatalogueEntry(0, L"  Двa  пробела & амперсанд  ", L"a.exe", false);
    Start();
    EXPECT_EQ(Menu()[3].caption, L"  Двa  пробела & амперсанд  ");
}

TEST_F(TrayMenuTest, PickingAnEntryWritesBothViewsAndMovesTheMarkAtOnce)
{
    // Stored as the previous version stores them, three values a slot: the same in both views.
    StoreCatalogueEntry(0, L"Kernel", L"kd.exe -p %ld", false);
    StoreCatalogueEntry(1, L"Dumper", L"dumper.exe -p %ld -ma", true);
    StoreCatalogueEntry(2, L"x64dbg", L"x64dbg.exe -a %ld -e %ld", true);
    WriteText(HKEY_CURRENT_USER, kCatalogueKey, L"Command Line (32-bit) 2", L"x32dbg.exe -a %ld -e %ld");
    Start();
    Click(kFirstDebugger + 1);
    EXPECT_EQ(System(), L"dumper.exe -p %ld -ma, 1 / dumper.exe -p %ld -ma, 1");
    // Without a rebuild: the mark moves on the strength of the writes.
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Kernel", false}, {L"Dumper", true},
                                {L"x64dbg", false}}));

    Click(kFirstDebugger + 2);
    EXPECT_EQ(System(), L"x64dbg.exe -a %ld -e %ld, 1 / x32dbg.exe -a %ld -e %ld, 1");
    OpenTrayMenu();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Kernel", false}, {L"Dumper", false},
                                {L"x64dbg", true}}));

    Click(kFirstDebugger);
    EXPECT_EQ(System(), L"kd.exe -p %ld, 0 / kd.exe -p %ld, 0");
}

TEST_F(TrayMenuTest, AnEntryIsMarkedOnlyWhenBothViewsHoldIt)
{
    StoreCatalogueEntry(0, L"Kernel", L"kd.exe -p %ld", false);
    SetSystemView(KEY_WOW64_64KEY, L"kd.exe -p %ld", L"0");
    Start();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Неизвестный", true}, {L"Kernel", false}}));

    SetSystemView(KEY_WOW64_32KEY, L"kd.exe -p %ld", L"1");
    OpenTrayMenu();
    EXPECT_EQ(Menu()[2], (Item{L"Неизвестный", true})) << "Auto differs in the 32-bit view";

    SetSystemView(KEY_WOW64_32KEY, L"kd.exe -p %ld", L"0");
    OpenTrayMenu();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Kernel", true}}));
}

TEST_F(TrayMenuTest, AViewThatCannotBeReadLeavesTheSettingUnknown)
{
    // Read as empty, the setting would look like this entry's.
    StoreCatalogueEntry(0, L"None", L"", false);
    SetSystem(L"", L"0");
    SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::None, KEY_WOW64_32KEY);
    Start();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Неизвестный", true}, {L"None", false}}));
    SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::Full, KEY_WOW64_32KEY);
    OpenTrayMenu();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"None", true}}));
}

TEST_F(TrayMenuTest, AnEntryWithoutCommandLineClearsTheSystemDebugger)
{
    StoreCatalogueEntry(0, L"None", L"", false);
    Start();
    Click(kFirstDebugger);
    EXPECT_EQ(System(), L"(absent), 0 / (absent), 0");
    OpenTrayMenu();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"None", true}}));
}

TEST_F(TrayMenuTest, ARefusedWriteInEitherViewIsReportedAndChangesNothing)
{
    StoreCatalogueEntry(0, L"Dumper", L"dumper.exe -p %ld -ma", true);
    Start();
    for (REGSAM refusing : kViews) {
        SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::ReadOnly, refusing);
        DialogWatcher watcher(IDOK);
        Click(kFirstDebugger);
        ASSERT_TRUE(PumpUntil([&] { return watcher.Count() == 1; }, 5000));
        const SeenDialog box = watcher.Seen().front();
        EXPECT_EQ(box.caption, L"Quarvel - Jitswap");
        EXPECT_EQ(box.texts, std::vector<std::wstring>{L"Не удалось установить новый профиль!"});
        EXPECT_EQ(box.iconStyle, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(System(), L"other.exe -p %ld, 0 / other.exe -p %ld, 0") << "Auto is put back too";
        EXPECT_EQ(Menu(),
                  WithTail({{L"Править список...", false}, {L"-", false}, {L"Неизвестный", true}, {L"Dumper", false}}));
        SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::Full, refusing);
    }
}

TEST_F(TrayMenuTest, UnknownOnlyShowsItsMessage)
{
    StoreCatalogueEntry(0, L"Dumper", L"dumper.exe", true);
    Start();
    const auto before = RegistrySnapshot(HKEY_LOCAL_MACHINE, kAeDebugKey);
    DialogWatcher watcher(IDOK);
    Click(kUnknown);
    ASSERT_TRUE(PumpUntil([&] { return watcher.Count() == 1; }, 5000));
    const SeenDialog box = watcher.Seen().front();
    EXPECT_EQ(box.texts, std::vector<std::wstring>{L"Ни чего не произошло. Правда!"});
    EXPECT_EQ(box.iconStyle, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(RegistrySnapshot(HKEY_LOCAL_MACHINE, kAeDebugKey), before);
}

TEST_F(TrayMenuTest, EachPopupShowsWhatOthersChangedMeanwhile)
{
    StoreCatalogueEntry(0, L"Kernel", L"kd.exe -p %ld", false);
    StoreCatalogueEntry(1, L"Dumper", L"dumper.exe -p %ld", true);
    SetSystem(L"kd.exe -p %ld", L"0");
    Start();
    ASSERT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Kernel", true}, {L"Dumper", false}}));

    SetSystem(L"dumper.exe -p %ld", L"1");
    StoreCatalogueEntry(2, L"Added elsewhere", L"x.exe", false);
    OpenTrayMenu();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Kernel", false}, {L"Dumper", true},
                                {L"Added elsewhere", false}}));
}

TEST_F(TrayMenuTest, TheListOpensOnceAndTheMenuFollowsTheStoreWhenItCloses)
{
    Start();
    StoreCatalogueEntry(0, L"Stored meanwhile", L"x.exe", false);
    // The list is cancelled; what the store holds then is what the menu shows.
    DialogWatcher watcher(IDCANCEL, L"JitswapForm");
    PostMessageW(m_window->Handle(), WM_COMMAND, kEditList, 0);
    PostMessageW(m_window->Handle(), WM_COMMAND, kEditList, 0);
    ASSERT_TRUE(PumpUntil([&] { return watcher.Count() >= 1 && VisibleWindowsOfThisProcess(L"JitswapForm").empty(); }, 5000));
    PumpFor(300);
    EXPECT_EQ(watcher.Count(), 1u) << "a second request brings the open list forward";
    EXPECT_EQ(watcher.Seen().front().caption, L"Список отладчиков");
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Неизвестный", true}, {L"Stored meanwhile", false}}));
}
