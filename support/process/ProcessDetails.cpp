#include "support/process/ProcessDetails.h"

#include "support/win32/SystemLibrary.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"
#include "support/win32/WindowsBitness.h"

#include <wtsapi32.h>

#include <vector>

namespace jitswap {
namespace {

bool SameAccount(const std::wstring& a, const std::wstring& b)
{
    return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

std::wstring ProcessImagePath(HANDLE process)
{
    std::wstring path(32768, L'\0');
    auto size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &size)) ThrowLastError("Reading a process's executable");
    path.resize(size);
    return path;
}

bool IsProcess32Bit(HANDLE process)
{
    BOOL wow64 = FALSE;
    return !IsWindows64Bit() || (IsWow64Process(process, &wow64) && wow64);
}

std::wstring ProcessAccount(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
    const UniqueHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size)) return {};
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nameSize = 256;
    DWORD domainSize = 256;
    SID_NAME_USE use{};
    if (!LookupAccountSidW(nullptr, reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, name, &nameSize, domain,
                           &domainSize, &use))
        return {};
    return std::wstring(domain) + L'\\' + name;
}

bool IsSessionUser(DWORD session, const std::wstring& account)
{
    // Loaded here only: the tray copy never asks.
    const SystemLibrary library(L"wtsapi32.dll");
    const auto query = library.Get<decltype(&WTSQuerySessionInformationW)>("WTSQuerySessionInformationW");
    const auto release = library.Get<decltype(&WTSFreeMemory)>("WTSFreeMemory");
    std::wstring user;
    for (const WTS_INFO_CLASS part : {WTSDomainName, WTSUserName}) {
        wchar_t* text = nullptr;
        DWORD bytes = 0;
        if (!query(WTS_CURRENT_SERVER_HANDLE, session, part, &text, &bytes)) return false;
        user += text;
        release(text);
        if (part == WTSDomainName) user += L'\\';
    }
    return SameAccount(user, account);
}

} // namespace jitswap
