#include "support/process/ExecutablePath.h"

#include "support/win32/Win32Error.h"

#include <windows.h>

namespace jitswap {

std::wstring ExecutablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) ThrowLastError("Finding the program's file");
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Truncated: the path is longer than MAX_PATH (long-path folders).
        path.resize(path.size() * 2);
    }
}

std::wstring ExecutableDirectory()
{
    std::wstring path = ExecutablePath();
    const size_t separator = path.find_last_of(L"\\/");
    path.resize(separator == std::wstring::npos ? 0 : separator);
    return path;
}

std::wstring qsBuildFileName(std::wstring_view directory, std::wstring_view fileName)
{
    std::wstring result(directory);
    while (!result.empty() && (result.back() == L'\\' || result.back() == L'/')) result.pop_back();
    std::wstring_view name = fileName;
    while (!name.empty() && (name.front() == L'\\' || name.front() == L'/')) name.remove_prefix(1);
    result += L'\\';
    result += name;
    return result;
}

} // namespace jitswap
