// The stand-ins for the registry roots keep every write of the program's registry paths off the
// real keys: the system's AeDebug setting in both views with its security, the user's catalogue
// and the start-with-Windows value. Under Wine the redirection is made here for the proof;
// elsewhere it is what every test program of the Windows build runs under.

#include "aedebug/SystemDebugger.h"
#include "catalogue/CDebuggers.h"
#include "support/registry/OpenAppSettingsStore.h"
#include "support/shell/AutostartRegistry.h"
#include "tests/common/ScratchRegistryRoots.h"
#include "tests/common/UiTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace jitswap;
using namespace jitswap::test;

namespace {

constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void AppendBytes(std::wstring& out, const BYTE* bytes, DWORD size)
{
    constexpr wchar_t kDigits[] = L"0123456789abcdef";
    for (DWORD i = 0; i < size; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
    }
}

// Everything a test could change of one key: its values, their types and its security.
std::wstring KeyState(HKEY root, const wchar_t* path, REGSAM view = 0)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return L"absent";
    const UniqueHKey owned(key);
    std::wstring state;
    std::vector<BYTE> security(4096);
    DWORD securitySize = static_cast<DWORD>(security.size());
    if (RegGetKeySecurity(key, OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                          security.data(), &securitySize) == ERROR_SUCCESS)
        AppendBytes(state, security.data(), securitySize);
    for (DWORD index = 0;; ++index) {
        wchar_t name[512];
        DWORD nameLength = 512, type = 0;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        state += L"\n" + std::wstring(name, nameLength) + L":" + std::to_wstring(type) + L":";
        AppendBytes(state, data, dataSize);
    }
    return state;
}

struct MachineState {
    std::wstring aeDebug, aeDebug32, catalogue, run;
    bool operator==(const MachineState&) const = default;
};

MachineState ReadMachineState()
{
    return {KeyState(HKEY_LOCAL_MACHINE, kAeDebugKey, KEY_WOW64_64KEY),
            KeyState(HKEY_LOCAL_MACHINE, kAeDebugKey, KEY_WOW64_32KEY),
            KeyState(HKEY_CURRENT_USER, L"Software\\Quarvel\\Jitswap\\Debuggers"), KeyState(HKEY_CURRENT_USER, kRunKey)};
}

} // namespace

TEST(ScratchRegistryRoots, WritesOfTheProgramsRegistryPathsReachOnlyTheScratchKeys)
{
    const MachineState before = ReadMachineState();
    {
        ScratchRegistryRoots roots;
        ASSERT_EQ(ApplySystemDebugger(DebuggerChoice{L"scratch.exe -p %ld -e %ld", L"", true}), SwitchResult::Done);
        HKEY view32 = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                                  nullptr, &view32, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(view32, L"Debugger", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 2 * sizeof(wchar_t));
        RegCloseKey(view32);
        SetKeyAccess(HKEY_LOCAL_MACHINE, kAeDebugKey, KeyAccess::Full);

        CDebuggers catalogue{OpenAppSettingsStore};
        catalogue.Add({L"Scratch", {L"scratch.exe", L"", true}});
        ASSERT_TRUE(catalogue.SaveDebuggers());
        ASSERT_TRUE(AutostartRegistry{}.Register(L"{E2044C22-8466-457E-921A-18C0061EAA52}", 0));

        // Inside, the program sees what it wrote.
        EXPECT_EQ(ReadSystemDebuggerState().native.debugger, L"scratch.exe -p %ld -e %ld");
        CDebuggers reloaded{OpenAppSettingsStore};
        reloaded.ReadDebuggers();
        EXPECT_EQ(reloaded.Entry(0).title, L"Scratch");
        EXPECT_NE(ReadMachineState(), before);
    }
    EXPECT_EQ(ReadMachineState(), before);
    EXPECT_EQ(KeyState(HKEY_CURRENT_USER, ScratchRegistryRoots::kBase), L"absent") << "the scratch keys are gone";
}
