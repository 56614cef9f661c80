#include "support/registry/RegistryValue.h"

#include <gtest/gtest.h>

#include <vector>

using namespace jitswap;

namespace {

std::vector<std::byte> Utf16Bytes(std::u16string_view text, bool terminated)
{
    std::vector<std::byte> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    }
    if (terminated) bytes.insert(bytes.end(), 2, std::byte{0});
    return bytes;
}

std::vector<std::byte> Bytes(std::initializer_list<int> values)
{
    std::vector<std::byte> bytes;
    for (int value : values) bytes.push_back(static_cast<std::byte>(value));
    return bytes;
}

} // namespace

TEST(RegistryValueAsText, TextValuesReadAsStoredWithOrWithoutTheirTerminator)
{
    const auto terminated = Utf16Bytes(u"  drwtsn32 -p %ld  ", true);
    EXPECT_EQ(RegistryValueAsText(RegistryType::String, terminated), L"  drwtsn32 -p %ld  ");

    // Another program may store a REG_SZ without its NUL; the text must neither lose its last
    // character nor run past the data.
    const auto bare = Utf16Bytes(u"vsjitdebugger.exe", false);
    EXPECT_EQ(RegistryValueAsText(RegistryType::String, bare), L"vsjitdebugger.exe");

    auto odd = Utf16Bytes(u"ab", false);
    odd.push_back(std::byte{0x41});
    EXPECT_EQ(RegistryValueAsText(RegistryType::String, odd), L"ab");

    // Text after an embedded NUL is not part of the value's text.
    EXPECT_EQ(RegistryValueAsText(RegistryType::String, Utf16Bytes(u"one\0two", true)), L"one");

    EXPECT_EQ(RegistryValueAsText(RegistryType::String, {}), L"");
    EXPECT_EQ(RegistryValueAsText(RegistryType::String, Utf16Bytes(u"Отладчик", true)), L"Отладчик");
}

TEST(RegistryValueAsText, ExpandableTextStaysUnexpanded)
{
    EXPECT_EQ(RegistryValueAsText(RegistryType::ExpandString, Utf16Bytes(u"%SystemRoot%\\dbg.exe", true)),
              L"%SystemRoot%\\dbg.exe");
}

TEST(RegistryValueAsText, NumbersReadAsUnsignedDecimal)
{
    EXPECT_EQ(RegistryValueAsText(RegistryType::Dword, Bytes({1, 0, 0, 0})), L"1");
    EXPECT_EQ(RegistryValueAsText(RegistryType::Dword, Bytes({0xFF, 0xFF, 0xFF, 0xFF})), L"4294967295");
    EXPECT_EQ(RegistryValueAsText(RegistryType::DwordBigEndian, Bytes({0, 0, 1, 2})), L"258");
    EXPECT_EQ(RegistryValueAsText(RegistryType::Qword, Bytes({0, 0, 0, 0, 1, 0, 0, 0})), L"4294967296");
}

TEST(RegistryValueAsText, ValuesThatAreNotTextCannotBeRead)
{
    EXPECT_EQ(RegistryValueAsText(RegistryType::Binary, Bytes({0x31, 0})), std::nullopt);
    EXPECT_EQ(RegistryValueAsText(RegistryType::None, {}), std::nullopt);
    EXPECT_EQ(RegistryValueAsText(RegistryType::MultiString, Utf16Bytes(u"a\0b\0", true)), std::nullopt);
    // A number of the wrong width was not written by anything that meant a number.
    EXPECT_EQ(RegistryValueAsText(RegistryType::Dword, Bytes({1, 0})), std::nullopt);
    EXPECT_EQ(RegistryValueAsText(RegistryType::Qword, Bytes({1, 0, 0, 0})), std::nullopt);
}
