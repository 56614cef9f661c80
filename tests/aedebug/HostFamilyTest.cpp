// The real host check, without the test seam. Wine can present a Windows 98 host to a single
// program by its file name, which gives the older family for real.
#include "support/win32/HostFamily.h"
#include "support/win32/UniqueHandle.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace jitswap;

namespace {

constexpr wchar_t kProbe[] = L"jitswap_host_family_probe.exe";
constexpr wchar_t kProbeDefaults[] = L"Software\\Wine\\AppDefaults\\jitswap_host_family_probe.exe";

DWORD RunProbe()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + (std::filesystem::path(self).parent_path() / kProbe).wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return 99;
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    return exitCode;
}

TEST(HostFamily, WineIsAnNtFamilyHost)
{
    EXPECT_TRUE(qsIsHostWinNT());
}

TEST(HostFamily, AWindows98HostIsNotOfTheNtFamily)
{
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kProbeDefaults, L"Version", REG_SZ, L"win98",
                              sizeof(L"win98")),
              ERROR_SUCCESS);
    const DWORD asWin98 = RunProbe();
    RegDeleteTreeW(HKEY_CURRENT_USER, kProbeDefaults);
    RegDeleteKeyW(HKEY_CURRENT_USER, kProbeDefaults);
    EXPECT_EQ(asWin98, 0u);
    EXPECT_EQ(RunProbe(), 1u);
}

} // namespace
