#include "support/shell/StartupApproval.h"

#include <gtest/gtest.h>

#include <vector>

using namespace jitswap;

namespace {

std::vector<std::byte> Bytes(std::initializer_list<int> values)
{
    std::vector<std::byte> bytes;
    for (int value : values) bytes.push_back(static_cast<std::byte>(value));
    return bytes;
}

} // namespace

TEST(StartupApproval, OnlyTaskManagersDisabledRecordKeepsTheProgramFromStarting)
{
    const struct {
        const char* record;
        RegistryType type;
        std::vector<std::byte> data;
        bool disabled;
    } cases[] = {
        {"enabled", RegistryType::Binary, Bytes({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), false},
        {"enabled, other flags", RegistryType::Binary, Bytes({6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), false},
        {"disabled with its time", RegistryType::Binary, Bytes({3, 0, 0, 0, 0xd4, 0x0d, 0x43, 0x8d, 0xc8, 0x3b, 0xd9, 1}), true},
        {"disabled, time left out", RegistryType::Binary, Bytes({3, 0, 0, 0}), true},
        {"too short to be a record", RegistryType::Binary, Bytes({3}), false},
        {"a number, not a record", RegistryType::Dword, Bytes({3, 0, 0, 0}), false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsDisabledStartupRecord(c.type, c.data), c.disabled) << c.record;
    EXPECT_FALSE(IsDisabledStartupRecord(RegistryType::Binary, kEnabledStartupRecord));
}
