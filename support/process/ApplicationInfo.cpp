#include "support/process/ApplicationInfo.h"
#include "support/process/ExecutablePath.h"
#include "support/text/NumberText.h"
#include "support/win32/SystemLibrary.h"
#include "support/win32/Win32Error.h"

#include <winver.h>

#include <cstdio>
#include <vector>

namespace jitswap {
namespace {

// The version library is not one of the system's known libraries, so it is loaded on demand from
// the system folder rather than linked (see SystemLibrary).
struct VersionLibrary {
    SystemLibrary library{L"version.dll"};
    decltype(&GetFileVersionInfoSizeW) infoSize = library.Get<decltype(&GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
    decltype(&GetFileVersionInfoW) info = library.Get<decltype(&GetFileVersionInfoW)>("GetFileVersionInfoW");
    decltype(&VerQueryValueW) query = library.Get<decltype(&VerQueryValueW)>("VerQueryValueW");
};

std::wstring QueryString(const VersionLibrary& version, const std::vector<std::byte>& block, const std::wstring& prefix,
                         const wchar_t* key)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = prefix + key;
    if (!version.query(block.data(), path.c_str(), &value, &length) || !value || length == 0) return {};
    return std::wstring(static_cast<const wchar_t*>(value));
}

} // namespace

ApplicationInfo ReadApplicationInfo()
{
    const VersionLibrary version;
    const std::wstring path = ExecutablePath();
    DWORD ignored = 0;
    const DWORD size = version.infoSize(path.c_str(), &ignored);
    if (size == 0) ThrowLastError("Reading the program's version");
    std::vector<std::byte> block(size);
    if (!version.info(path.c_str(), 0, size, block.data())) ThrowLastError("Reading the program's version");

    ApplicationInfo info;
    void* value = nullptr;
    UINT length = 0;
    if (version.query(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        // Major, minor and revision, as in 1.00.0006; the third field of the version is not shown.
        info.version = NumberText(HIWORD(fixed->dwFileVersionMS)) + L"." +
                       NumberText(LOWORD(fixed->dwFileVersionMS), 10, 2) + L"." +
                       NumberText(LOWORD(fixed->dwFileVersionLS), 10, 4);
    }

    struct Translation {
        WORD language;
        WORD codePage;
    };
    if (version.query(block.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= sizeof(Translation)) {
        const auto* translation = static_cast<const Translation*>(value);
        const std::wstring prefix = L"\\StringFileInfo\\" + NumberText(translation->language, 16, 4) +
                                    NumberText(translation->codePage, 16, 4) + L"\\";
        info.title = QueryString(version, block, prefix, L"ProductName");
        info.description = QueryString(version, block, prefix, L"FileDescription");
        info.company = QueryString(version, block, prefix, L"CompanyName");
        info.copyright = QueryString(version, block, prefix, L"LegalCopyright");
    }
    if (info.title.empty()) info.title = kApplicationTitle;
    return info;
}

} // namespace jitswap
