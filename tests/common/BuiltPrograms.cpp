#include "tests/common/BuiltPrograms.h"

#include <windows.h>

#include <stdexcept>

namespace jitswap::test {

std::wstring BuiltProgram(const wchar_t* variable)
{
    wchar_t value[4096] = {};
    const DWORD length = GetEnvironmentVariableW(variable, value, static_cast<DWORD>(std::size(value)));
    if (length == 0 || length >= std::size(value)) throw std::runtime_error("a built program's variable is not set");
    std::wstring path(value, length);
    if (path.front() == L'/') {
        for (wchar_t& character : path) {
            if (character == L'/') character = L'\\';
        }
        path = L"Z:" + path;
    }
    return path;
}

std::wstring InstalledProgram(const wchar_t* variable)
{
    const std::wstring built = BuiltProgram(variable);
    const std::wstring folder = L"C:\\Program Files\\Jitswap Tests";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring installed = folder + built.substr(built.find_last_of(L'\\'));
    if (!CopyFileW(built.c_str(), installed.c_str(), FALSE)) throw std::runtime_error("copying a built program");
    return installed;
}

} // namespace jitswap::test
