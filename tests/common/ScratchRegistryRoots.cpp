#include "tests/common/ScratchRegistryRoots.h"

#include "support/win32/Win32Error.h"

#include <cstdlib>
#include <string_view>

namespace jitswap::test {

const wchar_t* const ScratchRegistryRoots::kBase = L"Software\\JitswapTestRoots";

bool MachineIsDisposable()
{
    // The Wine session of a test run is made from scratch for it and thrown away after it.
    if (const char* session = std::getenv("JITSWAP_WINE_SESSION"); session && *session) return true;
    const char* declared = std::getenv("JITSWAP_TESTS_MAY_CHANGE_MACHINE");
    return declared && std::string_view(declared) == "1";
}

namespace {

UniqueHKey CreateScratchKey(const std::wstring& path)
{
    HKEY key = nullptr;
    ThrowIfFailed(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  "Creating a scratch registry root");
    return UniqueHKey(key);
}

} // namespace

ScratchRegistryRoots::ScratchRegistryRoots()
    : m_path(std::wstring(kBase) + L"\\" + std::to_wstring(GetCurrentProcessId()))
{
    // A run that was killed leaves its scratch keys behind; the next one starts clean.
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    m_localMachine = CreateScratchKey(m_path + L"\\LocalMachine");
    m_currentUser = CreateScratchKey(m_path + L"\\CurrentUser");
    // A Wow6432Node under SOFTWARE keeps the 32-bit view of the scratch machine apart from the
    // native one, as the 32-bit view of the real machine is.
    CreateScratchKey(m_path + L"\\LocalMachine\\SOFTWARE\\Wow6432Node");
    ThrowIfFailed(RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_localMachine.get()), "Redirecting HKEY_LOCAL_MACHINE");
    const LSTATUS status = RegOverridePredefKey(HKEY_CURRENT_USER, m_currentUser.get());
    if (status != ERROR_SUCCESS) {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        ThrowIfFailed(status, "Redirecting HKEY_CURRENT_USER");
    }
}

ScratchRegistryRoots::~ScratchRegistryRoots()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    m_localMachine.reset();
    m_currentUser.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    // The base goes too once no other run is using it.
    RegDeleteKeyW(HKEY_CURRENT_USER, kBase);
}

} // namespace jitswap::test
