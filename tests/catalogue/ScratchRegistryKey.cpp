#include "tests/catalogue/ScratchRegistryKey.h"

#include "support/text/TextConversion.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"

#include <vector>

namespace jitswap::testing {
namespace {

UniqueHKey OpenSection(REGSAM access, const wchar_t* path = kScratchSection)
{
    HKEY key = nullptr;
    ThrowIfFailed(RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &key), "Opening");
    return UniqueHKey(key);
}

} // namespace

bool ScratchRegistryKey::KeyExists(const wchar_t* path)
{
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_SUCCESS) RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::optional<RawRegistryValue> ScratchRegistryKey::Raw(const std::wstring& name)
{
    return QueryRegistryValue(OpenSection(KEY_QUERY_VALUE).get(), name.c_str());
}

void ScratchRegistryKey::SetRaw(const std::wstring& name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ThrowIfFailed(
        RegCreateKeyExW(HKEY_CURRENT_USER, kScratchSection, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
        "Creating");
    const UniqueHKey section(key);
    ThrowIfFailed(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), "Setting");
}

void ScratchRegistryKey::RegAdd(const std::wstring& name, const std::wstring& type, const std::wstring& data)
{
    std::wstring commandLine = L"reg.exe add \"HKCU\\" + std::wstring(kScratchSection) + L"\" /v \"" + name +
                               L"\" /t " + type + L" /d \"" + data + L"\" /f";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &started))
        ThrowLastError("Starting reg.exe");
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.get(), &exitCode);
    ASSERT_EQ(exitCode, 0u) << "reg add of " << WideToUtf8(name) << " failed";
}

void ScratchRegistryKey::SetSectionAccess(ACCESS_MASK allowed, const wchar_t* path)
{
    std::vector<BYTE> everyone(SECURITY_MAX_SID_SIZE);
    DWORD sidSize = static_cast<DWORD>(everyone.size());
    if (!CreateWellKnownSid(WinWorldSid, nullptr, everyone.data(), &sidSize)) ThrowLastError("Everyone");
    std::vector<BYTE> acl(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + sidSize);
    auto* list = reinterpret_cast<ACL*>(acl.data());
    if (!InitializeAcl(list, static_cast<DWORD>(acl.size()), ACL_REVISION) ||
        !AddAccessAllowedAce(list, ACL_REVISION, allowed, everyone.data()))
        ThrowLastError("Building the access list");
    SECURITY_DESCRIPTOR descriptor{};
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE))
        ThrowLastError("Building the security descriptor");
    ThrowIfFailed(RegSetKeySecurity(OpenSection(WRITE_DAC, path).get(), DACL_SECURITY_INFORMATION, &descriptor),
                  "Setting the access list");
}

void ScratchRegistryKey::Remove()
{
    // A test may have left a section closed to us; open it up again so that it can go.
    for (const wchar_t* section : {L"", L".new", L".old"}) {
        try {
            SetSectionAccess(KEY_ALL_ACCESS, (std::wstring(kScratchSection) + section).c_str());
        } catch (const Win32Error&) {
        }
    }
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, kScratchBase);
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
}

} // namespace jitswap::testing
