#include "support/process/EnvironmentVariable.h"

#include <windows.h>

namespace jitswap {

std::wstring EnvironmentVariable(const wchar_t* name)
{
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring text(size, L'\0');
    text.resize(GetEnvironmentVariableW(name, text.data(), size));
    return text;
}

} // namespace jitswap
