#pragma once
// A settings store of the tests' own in the real registry, which each test starts without, and a
// count of the writes that reach it, so that a test can tell "saved unchanged" from "not saved".

#include "catalogue/DebuggerEntry.h"
#include "support/registry/SettingsStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace jitswap::test {

class ScratchCatalogue : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the scratch store, counting the writes made through it.
    SettingsStoreOpener Opener();

    // The stored catalogue, replaced or read through the catalogue's own load and save.
    void Store(const std::vector<DebuggerEntry>& entries);
    std::vector<DebuggerEntry> Stored();
    // Entries titled "Отладчик 1" to "Отладчик n".
    static std::vector<DebuggerEntry> Numbered(int count);

    std::shared_ptr<int> m_writes = std::make_shared<int>(0);
};

} // namespace jitswap::test

namespace jitswap {
// Found by argument-dependent lookup, so it lives beside DebuggerEntry.
void PrintTo(const DebuggerEntry& entry, std::ostream* out);
} // namespace jitswap
