#pragma once
// A registry key of the current user that each test starts without and leaves behind it, with
// the means to shape its values the way other programs and hand edits do.

#include "support/registry/RegistryQuery.h"
#include "support/registry/RegistrySettingsStore.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace jitswap::testing {

inline constexpr wchar_t kScratchBase[] = L"Software\\Quarvel\\JitswapTest";
inline constexpr wchar_t kScratchSection[] = L"Software\\Quarvel\\JitswapTest\\Debuggers";

class ScratchRegistryKey : public ::testing::Test {
protected:

    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }

    static bool KeyExists(const wchar_t* path);
    // A value of section "Debuggers" as stored; std::nullopt when absent.
    static std::optional<RawRegistryValue> Raw(const std::wstring& name);
    // Stores exactly these bytes, however malformed, as other programs can.
    static void SetRaw(const std::wstring& name, DWORD type, const void* data, DWORD size);
    // Runs "reg add" on section "Debuggers", as a user editing it by hand would.
    static void RegAdd(const std::wstring& name, const std::wstring& type, const std::wstring& data);
    // Replaces the section key's (or another key's) access list with one entry for everyone.
    static void SetSectionAccess(ACCESS_MASK allowed, const wchar_t* key = kScratchSection);

    RegistrySettingsStore store{HKEY_CURRENT_USER, kScratchBase};

private:
    static void Remove();
};

} // namespace jitswap::testing
