#include "support/registry/OpenAppSettingsStore.h"
#include "support/text/TextConversion.h"
#include "support/win32/Win32Error.h"
#include "tests/catalogue/ScratchRegistryKey.h"
#include "tests/common/ScratchRegistryRoots.h"

#include <gtest/gtest.h>

#include <optional>

using namespace jitswap;
using namespace jitswap::testing;

namespace {

using RegistrySettingsStoreTest = ScratchRegistryKey;

std::wstring Utf16Text(const std::optional<RawRegistryValue>& value)
{
    if (!value) return L"?";
    return std::wstring(reinterpret_cast<const wchar_t*>(value->data.data()), value->data.size() / 2);
}

} // namespace

TEST_F(RegistrySettingsStoreTest, ReadsGiveTheDefaultAndNeverCreateKeys)
{
    EXPECT_EQ(store.ReadText(L"Debuggers", L"Title 0", L"fallback"), L"fallback");
    EXPECT_EQ(store.ReadBoolean(L"Debuggers", L"Auto 0", true), true);
    EXPECT_FALSE(KeyExists(kScratchBase));

    SetRaw(L"Other", REG_SZ, L"", sizeof(wchar_t));   // the section exists, the value does not
    EXPECT_EQ(store.ReadText(L"Debuggers", L"Title 0", L""), L"");
    EXPECT_EQ(store.ReadBoolean(L"Debuggers", L"Auto 0", false), false);
    EXPECT_EQ(store.ReadText(L"Absent section", L"Title 0", L""), L"");
    EXPECT_FALSE(KeyExists(L"Software\\Quarvel\\JitswapTest\\Absent section"));
}

TEST_F(RegistrySettingsStoreTest, WritesCreateTheSectionAndStoreTextAsRegSzAndFlagsAsDword)
{
    store.WriteText(L"Debuggers", L"Title 0", L"Отладчик");
    store.WriteText(L"Debuggers", L"Command Line 0", L"");
    store.WriteBoolean(L"Debuggers", L"Auto 0", true);
    store.WriteBoolean(L"Debuggers", L"Auto 1", false);

    EXPECT_EQ(Raw(L"Title 0")->type, RegistryType::String);
    EXPECT_EQ(Utf16Text(Raw(L"Title 0")), std::wstring(L"Отладчик") + L'\0');
    EXPECT_EQ(Utf16Text(Raw(L"Command Line 0")), std::wstring(1, L'\0'));
    EXPECT_EQ(Raw(L"Auto 0")->type, RegistryType::Dword);
    EXPECT_EQ(Raw(L"Auto 0")->data, std::vector<std::byte>(4, std::byte{0xFF}));
    EXPECT_EQ(Raw(L"Auto 1")->data, std::vector<std::byte>(4, std::byte{0}));
}

TEST_F(RegistrySettingsStoreTest, ValuesOfOtherShapesReadAsTheirSenseOrAsUnreadable)
{
    struct Case {
        const wchar_t* type;
        const wchar_t* data;
        std::optional<bool> flag;
        std::optional<std::wstring> text;
    };
    const Case cases[] = {
        {L"REG_DWORD", L"0", false, L"0"},
        {L"REG_DWORD", L"1", true, L"1"},
        {L"REG_DWORD", L"4294967295", true, L"4294967295"},
        {L"REG_SZ", L"-1", true, L"-1"},
        {L"REG_SZ", L" tRUe ", true, L" tRUe "},
        {L"REG_SZ", L"0", false, L"0"},
        {L"REG_SZ", L"False", false, L"False"},
        {L"REG_SZ", L"", false, L""},
        {L"REG_SZ", L"garbage", std::nullopt, L"garbage"},
        {L"REG_SZ", L"2", std::nullopt, L"2"},
        {L"REG_EXPAND_SZ", L"%SystemRoot%", std::nullopt, L"%SystemRoot%"},
        {L"REG_BINARY", L"01", std::nullopt, std::nullopt},
        {L"REG_MULTI_SZ", L"1", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        RegAdd(L"Value", c.type, c.data);
        const std::wstring what = std::wstring(c.type) + L" \"" + c.data + L"\"";
        EXPECT_EQ(store.ReadBoolean(L"Debuggers", L"Value", false), c.flag) << WideToUtf8(what);
        EXPECT_EQ(store.ReadText(L"Debuggers", L"Value", L"default"), c.text) << WideToUtf8(what);
    }
}

TEST_F(RegistrySettingsStoreTest, RegistryFailuresOtherThanAbsenceAreThrown)
{
    store.WriteText(L"Debuggers", L"Title 0", L"kept");
    // A store serves one load or one save; each of these opens the section afresh.
    SetSectionAccess(KEY_READ | WRITE_DAC | DELETE);
    try {
        RegistrySettingsStore saving{HKEY_CURRENT_USER, kScratchBase};
        saving.WriteText(L"Debuggers", L"Title 0", L"changed");
        ADD_FAILURE() << "a write to a read-only section succeeded";
    } catch (const Win32Error& error) {
        EXPECT_EQ(error.Code(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(RegistrySettingsStore(HKEY_CURRENT_USER, kScratchBase).ReadText(L"Debuggers", L"Title 0", L""), L"kept");

    SetSectionAccess(KEY_SET_VALUE | WRITE_DAC | DELETE);
    RegistrySettingsStore loading{HKEY_CURRENT_USER, kScratchBase};
    EXPECT_THROW(loading.ReadText(L"Debuggers", L"Title 0", L""), Win32Error);
    EXPECT_THROW(loading.ReadBoolean(L"Debuggers", L"Auto 0", false), Win32Error);
}

TEST_F(RegistrySettingsStoreTest, ASectionCreatedWhileTheStoreIsOpenIsSeen)
{
    EXPECT_EQ(store.ReadText(L"Debuggers", L"Title 0", L"none"), L"none");
    store.WriteText(L"Debuggers", L"Title 0", L"written");
    EXPECT_EQ(store.ReadText(L"Debuggers", L"Title 0", L"none"), L"written");
}

TEST(OpenAppSettingsStore, KeepsSectionsUnderTheCurrentUsersJitswapKey)
{
    // The program's own key is the user's real catalogue unless the machine is disposable.
    std::optional<jitswap::test::ScratchRegistryRoots> roots;
    if (!jitswap::test::MachineIsDisposable()) roots.emplace();
    const wchar_t* const section = L"Software\\Quarvel\\Jitswap\\Debuggers";
    HKEY existing = nullptr;
    const bool existed =
        RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Quarvel", 0, KEY_READ, &existing) == ERROR_SUCCESS;
    if (existed) RegCloseKey(existing);

    OpenAppSettingsStore()->WriteText(L"Debuggers", L"Location probe", L"here");
    wchar_t text[16] = {};
    DWORD size = sizeof text;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, section, L"Location probe", RRF_RT_REG_SZ, nullptr, text, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, L"here");

    if (existed)
        RegDeleteKeyValueW(HKEY_CURRENT_USER, section, L"Location probe");
    else
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quarvel");
}
