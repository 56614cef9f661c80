#include "support/process/ExecutableSearch.h"

#include <windows.h>

#include <vector>

namespace jitswap {
namespace {

std::wstring Expanded(const std::wstring& text)
{
    std::vector<wchar_t> expanded(text.size() + 1);
    for (;;) {
        const DWORD length =
            ExpandEnvironmentStringsW(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
        if (length == 0) return text;
        if (length <= expanded.size()) return std::wstring(expanded.data());
        expanded.resize(length);
    }
}

} // namespace

std::optional<std::wstring> SearchFile(const wchar_t* folders, const std::wstring& file, const wchar_t* extension)
{
    if (file.empty()) return std::nullopt;
    std::vector<wchar_t> found(MAX_PATH);
    for (;;) {
        const DWORD length =
            SearchPathW(folders, file.c_str(), extension, static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (length == 0) return std::nullopt;
        if (length < found.size()) return std::wstring(found.data(), length);
        found.resize(length);
    }
}

std::optional<std::wstring> FindExecutable(const std::wstring& executable, const wchar_t* folders)
{
    auto found = SearchFile(folders, Expanded(executable), L".exe");
    if (!found) return std::nullopt;
    // A folder of that name is no program.
    const DWORD attributes = GetFileAttributesW(found->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
    return found;
}

bool WindowsFindsExecutable(const std::wstring& executable)
{
    return FindExecutable(executable).has_value();
}

} // namespace jitswap
