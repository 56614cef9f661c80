// The tray menu's catalogue part, read back from the real menu of a main window in this process:
// which items it lists, which one carries the radio bullet, and what picking one does to the
// system's setting in the real registry.

#include "app/Commands.h"
#include "app/frmMain.h"
#include "support/win32/ScopeGuard.h"
#include "tests/app/ElevationStandIn.h"
#include "tests/app/JitswapProcess.h"
#include "tests/app/ProgramRegistry.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace jitswap;
using namespace jitswap::test;
using namespace jitswap::test::registry;

namespace {

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
    for (const wchar_t* caption : {L"-", L"Проверить отладчик...", L"-", L"Запускать с Windows",
                                   L"Сообщать о смене отладчика", L"-", L"Справка", L"Выход"})
        items.push_back({caption, false});
    return items;
}

std::vector<Item> Head(bool unknownMarked)
{
    std::vector<Item> items{{L"Править список...", false}, {L"-", false}};
    if (unknownMarked) items.push_back({L"Неизвестный", true});
    return items;
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

TEST_F(TrayMenuTest, TitlesAreShownAsTyped)
{
    // A menu underlines the character after a single '&' and makes a caption "-" a separator; a
    // title is shown neither way. The "-" entry is the system's, so its bullet must be seen.
    const struct {
        const wchar_t* title;
        const wchar_t* menuText;
    } cases[] = {
        {L"-", L"-"},
        {L"Tom & Jerry", L"Tom && Jerry"},
        {L"&&", L"&&&&"},
        {L"  Двa  пробела & амперсанд  ", L"  Двa  пробела && амперсанд  "},
    };
    std::vector<Item> expected = Head(false);
    for (int slot = 0; slot < static_cast<int>(std::size(cases)); ++slot) {
        StoreEntry(slot, cases[slot].title, L"dbg" + std::to_wstring(slot) + L".exe", false);
        expected.push_back({cases[slot].menuText, slot == 0});
    }
    SetSystem(L"dbg0.exe", L"0");
    Start();
    EXPECT_EQ(Menu(), WithTail(expected));
    HMENU popup = GetSubMenu(GetMenu(m_window->Handle()), 0);
    EXPECT_FALSE(GetMenuState(popup, kFirstDebugger, MF_BYCOMMAND) & MF_SEPARATOR) << "\"-\" is an entry";
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
    // The setting no entry held is kept first, at the end of the list.
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Kernel", false}, {L"Dumper", true},
                                {L"x64dbg", false}, {L"Прежний: other.exe", false}}));

    Click(kFirstDebugger + 2);
    EXPECT_EQ(System(), L"x64dbg.exe -a %ld -e %ld, 1 / x32dbg.exe -a %ld -e %ld, 1");
    OpenTrayMenu();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Kernel", false}, {L"Dumper", false},
                                {L"x64dbg", true}, {L"Прежний: other.exe", false}}));

    // Back and forth, the kept setting included: a setting an entry holds is never kept twice.
    Click(kFirstDebugger + 3);
    EXPECT_EQ(System(), L"other.exe -p %ld, 0 / other.exe -p %ld, 0");
    Click(kFirstDebugger);
    EXPECT_EQ(System(), L"kd.exe -p %ld, 0 / kd.exe -p %ld, 0");
    OpenTrayMenu();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Kernel", true}, {L"Dumper", false},
                                {L"x64dbg", false}, {L"Прежний: other.exe", false}}));
}

TEST_F(TrayMenuTest, ASettingInOneViewThatAnEntryWouldWriteBackIsNotKeptAgain)
{
    StoreCatalogueEntry(0, L"Kernel", L"kd.exe -p %ld", false);
    StoreCatalogueEntry(1, L"None", L"", false);
    SetSystem(L"", L"0");
    SetSystemView(KEY_WOW64_64KEY, L"kd.exe -p %ld", L"0");  // as a tool that writes the native view only
    Start();
    Click(kFirstDebugger + 1);
    PumpFor(200);
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Kernel", false}, {L"None", true}}));
}

TEST_F(TrayMenuTest, AFullCatalogueAsksBeforeTheSettingNoEntryHoldsIsLost)
{
    for (int slot = 0; slot < 30; ++slot)
        StoreCatalogueEntry(slot, L"Entry " + std::to_wstring(slot), L"e" + std::to_wstring(slot) + L".exe", false);
    Start();
    const std::wstring before = System();
    for (const int answer : {IDNO, IDYES}) {
        DialogWatcher watcher(answer);
        Click(kFirstDebugger + 1);
        ASSERT_TRUE(PumpUntil([&] { return watcher.Count() == 1; }, 5000));
        const SeenDialog box = watcher.Seen().front();
        EXPECT_EQ(box.iconStyle, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(System(), answer == IDNO ? before : L"e1.exe, 0 / e1.exe, 0");
    }
    EXPECT_EQ(Menu().size(), WithTail(Head(false)).size() + 30) << "nothing added to a full catalogue";
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
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"None", true},
                                {L"Прежний: other.exe", false}}));
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
        // Kept before the switch was tried, the setting is now an entry's, and marked as such.
        PumpFor(200);
        EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Dumper", false},
                                    {L"Прежний: other.exe", true}}));
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

// A write refused for want of rights goes to an elevated copy with the exact values; the user's
// answer decides what the menu shows, and /use ends with the matching code.
TEST_F(TrayMenuTest, ARefusalForWantOfRightsGoesToAnElevatedCopyWithTheExactValues)
{
    const std::wstring commandLine = L"\"C:\\Program Files\\x64dbg\\x64dbg.exe\" -a %ld -e %ld \"\" 100%%";
    const std::wstring commandLine32 = L"C:\\x32\\x32dbg.exe -a \"%ld\\\\\" -e %ld ёж";
    StoreEntry(0, L"x64dbg", commandLine, true, commandLine32);
    StoreEntry(1, L"Too long", L"dbg.exe " + std::wstring(40000, L'x'), true);
    SetSystem(L"", L"0");  // nothing to keep: the catalogue stays as it is
    Start();
    const std::wstring before = System();
    auto setAccess = [](KeyAccess access) {
        for (REGSAM view : kViews) SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, access, view);
    };
    const auto standIn = OnScopeExit([] { ResetElevation(); });
    Elevation().elevated = false;
    DialogWatcher watcher(IDOK);
    const Command use = ParseCommand({L"/use", L"1"});

    // Declined: nothing changes and nothing is said.
    Elevation().userAgrees = false;
    setAccess(KeyAccess::ReadOnly);
    Click(kFirstDebugger);
    EXPECT_EQ(RunCommand(use), kExitCancelled);
    PumpFor(200);
    EXPECT_EQ(watcher.Count(), 0u);
    EXPECT_EQ(System(), before);

    // Agreed, but the copy is refused too.
    Elevation().userAgrees = true;
    Click(kFirstDebugger);
    ASSERT_TRUE(PumpUntil([&] { return watcher.Count() == 1; }, 10000));
    EXPECT_EQ(watcher.Seen().front().texts, std::vector<std::wstring>{L"Не удалось установить новый профиль!"});
    EXPECT_EQ(RunCommand(use), kExitRefused);
    EXPECT_EQ(System(), before);
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Неизвестный", true},
                                {L"x64dbg", false}, {L"Too long", false}}));

    // Too long for any command line: refused before anything starts.
    Click(kFirstDebugger + 1);
    ASSERT_TRUE(PumpUntil([&] { return watcher.Count() == 2; }, 10000));
    EXPECT_EQ(Elevation().starts.size(), 4u);

    // Agreed, and the copy has the rights elevation brings.
    Elevation().grantRights = [&] { setAccess(KeyAccess::Full); };
    Click(kFirstDebugger);
    EXPECT_EQ(System(), commandLine + L", 1 / " + commandLine32 + L", 1");
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"x64dbg", true}, {L"Too long", false}}));
    setAccess(KeyAccess::ReadOnly);
    EXPECT_EQ(RunCommand(use), kExitDone);
    PumpFor(200);
    EXPECT_EQ(watcher.Count(), 2u);

    const std::vector<std::wstring> exact{L"/apply", commandLine, commandLine32, L"1"};
    ASSERT_EQ(Elevation().starts.size(), 6u);
    for (const auto& arguments : Elevation().starts) EXPECT_EQ(arguments, exact);
}

// A setting Jitswap cannot read (a key only administrators may read, or a Debugger of a type it
// cannot show) could be neither kept nor shown: the switch asks before it is lost, and No
// changes nothing.
TEST_F(TrayMenuTest, ASettingThatCannotBeReadIsOverwrittenOnlyWhenTheUserAgrees)
{
    StoreCatalogueEntry(0, L"Dumper", L"dumper.exe -p %ld", true);
    const auto plant = [](REGSAM view, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr);
        RegSetValueExW(key, L"Debugger", 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    };
    struct Case {
        const char* what;
        std::function<void()> plant;
        bool closed;  // only administrators may read the key: the copy elevation starts
    };
    const Case cases[] = {
        {"a key only administrators may read", [] {}, true},
        {"REG_MULTI_SZ", [&] { plant(KEY_WOW64_64KEY, REG_MULTI_SZ, L"a.exe\0b.exe\0", 14 * sizeof(wchar_t)); }, false},
        {"REG_BINARY in the 32-bit view", [&] { plant(KEY_WOW64_32KEY, REG_BINARY, "\x01\x02", 2); }, false},
        {"REG_DWORD", [&] { const DWORD zero = 0; plant(KEY_WOW64_64KEY, REG_DWORD, &zero, sizeof zero); }, false},
    };
    const auto standIn = OnScopeExit([] { ResetElevation(); });
    Start();
    const Command use = ParseCommand({L"/use", L"1"});
    for (const Case& c : cases) {
        for (const int answer : {IDNO, IDYES}) {
            SCOPED_TRACE(std::string(c.what) + (answer == IDNO ? ": No, from /use" : ": Yes, from the menu"));
            SetSystem(L"other.exe -p %ld", L"0");
            c.plant();
            const auto before = std::make_pair(RegistrySnapshot(HKEY_LOCAL_MACHINE, kAeDebugKey), System());
            if (c.closed) {
                SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::None, KEY_WOW64_64KEY);
                Elevation().elevated = false;
                Elevation().grantRights = [] {
                    SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::Full, KEY_WOW64_64KEY);
                };
            }
            DialogWatcher watcher(answer);
            if (answer == IDNO) EXPECT_EQ(RunCommand(use), kExitCancelled);
            else Click(kFirstDebugger);
            ASSERT_TRUE(PumpUntil([&] { return watcher.Count() == 1; }, 5000));
            const SeenDialog box = watcher.Seen().front();
            EXPECT_EQ(box.texts, std::vector<std::wstring>{L"Прежний отладчик не удалось прочитать; он будет потерян. Продолжить?"});
            EXPECT_EQ(box.iconStyle, static_cast<UINT>(MB_ICONEXCLAMATION));
            EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
            SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::Full, KEY_WOW64_64KEY);
            if (answer == IDNO) EXPECT_EQ(std::make_pair(RegistrySnapshot(HKEY_LOCAL_MACHINE, kAeDebugKey), System()), before);
            else EXPECT_EQ(System(), L"dumper.exe -p %ld, 1 / dumper.exe -p %ld, 1");
            ResetElevation();
        }
    }
    OpenTrayMenu();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Dumper", true}}))
        << "nothing was kept that could not be read";
}

// The elevated copy failed, and failed to put back what it had written: the user is told which
// values were left changed, and /use ends with a code of its own.
TEST_F(TrayMenuTest, ASettingLeftPartlyChangedSaysWhichValuesAndUseEndsWithItsOwnCode)
{
    StoreCatalogueEntry(0, L"Dumper", L"dumper.exe -p %ld", true);
    SetSystem(L"", L"0");  // nothing to keep
    auto setAccess = [](KeyAccess access) {
        for (REGSAM view : kViews) SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, access, view);
    };
    const auto standIn = OnScopeExit([] { ResetElevation(); });
    Start();
    DialogWatcher watcher(IDOK);
    for (int round = 0; round < 2; ++round) {
        SetSystem(L"", L"0");
        setAccess(KeyAccess::ReadOnly);
        Elevation().elevated = false;
        Elevation().copyEndsWith = kExitPartlyChanged;
        Elevation().grantRights = [&] {
            setAccess(KeyAccess::Full);
            SetSystemView(KEY_WOW64_64KEY, L"dumper.exe -p %ld", L"0");
        };
        if (round == 0) {
            Click(kFirstDebugger);
            ASSERT_TRUE(PumpUntil([&] { return watcher.Count() == 1; }, 10000));
        } else {
            EXPECT_EQ(RunCommand(ParseCommand({L"/use", L"1"})), kExitPartlyChanged);
        }
    }
    const SeenDialog box = watcher.Seen().front();
    EXPECT_EQ(box.texts, std::vector<std::wstring>{L"Не удалось установить новый профиль, а прежний удалось вернуть "
                                                   L"не полностью. Изменёнными остались: Debugger (для 64-битных программ)."});
    EXPECT_EQ(box.iconStyle, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(watcher.Count(), 1u) << "/use says it on the console";
    OpenTrayMenu();
    EXPECT_EQ(Menu(), WithTail({{L"Править список...", false}, {L"-", false}, {L"Неизвестный", true}, {L"Dumper", false}}));
}
