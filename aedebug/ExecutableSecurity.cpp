// The Windows side of the safety rule (aedebug/ExecutableSafety.h): the descriptors of the
// executable and of every folder above it, as SDDL, and the account found named as Windows names it.
#include "aedebug/ExecutableSafety.h"

#include "support/win32/WineHost.h"
#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#include <shlwapi.h>

#include <vector>

namespace jitswap {
namespace {

constexpr SECURITY_INFORMATION kOwnerAndDacl = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

// Empty when the descriptor cannot be read: that object is passed over.
std::wstring DescriptorText(const std::wstring& path)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, kOwnerAndDacl, nullptr, nullptr, nullptr, nullptr,
                              &descriptor) != ERROR_SUCCESS)
        return {};
    const UniqueLocalMemory owned(descriptor);
    LPWSTR text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, kOwnerAndDacl, &text,
                                                              nullptr))
        return {};
    const UniqueLocalMemory ownedText(text);
    return text;
}

std::wstring AccountName(const std::wstring& sidText)
{
    PSID sid = nullptr;
    if (!ConvertStringSidToSidW(sidText.c_str(), &sid)) return sidText;
    const UniqueLocalMemory owned(sid);
    wchar_t name[256] = {};
    wchar_t domain[256] = {};
    DWORD nameLength = 256;
    DWORD domainLength = 256;
    SID_NAME_USE use{};
    if (!LookupAccountSidW(nullptr, sid, name, &nameLength, domain, &domainLength, &use)) return sidText;
    return domainLength == 0 ? std::wstring(name) : std::wstring(domain) + L'\\' + name;
}

// Under Wine every program, a "service" included, runs as the one account with administrator
// rights: that account has nothing to gain from a debugger, and it owns every file there.
std::wstring TrustedHere()
{
    if (!RunsUnderWine()) return {};
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    const UniqueHandle ownedToken(token);
    alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE] = {};
    DWORD size = 0;
    LPWSTR text = nullptr;
    if (!GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size) ||
        !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text))
        return {};
    const UniqueLocalMemory ownedText(text);
    return text;
}

} // namespace

std::optional<UnsafeWriter> FindUnsafeWriter(const std::wstring& executablePath)
{
    // From the file up to its root (C:\, \\server\share), where nothing is left to remove.
    std::vector<SecuredObject> chain;
    std::wstring path = executablePath;
    do {
        chain.push_back({path, DescriptorText(path)});
    } while (PathRemoveFileSpecW(path.data()) && (path.resize(wcslen(path.c_str())), !path.empty()));
    std::optional<UnsafeWriter> writer = FirstUnsafeWriter(chain, TrustedHere());
    if (writer) writer->account = AccountName(writer->account);
    return writer;
}

} // namespace jitswap
