#include "support/win32/SystemLibrary.h"

#include "support/win32/Win32Error.h"

#include <string>

namespace jitswap {

FARPROC detail::FindProcedure(HMODULE module, const char* name) noexcept
{
    return module ? GetProcAddress(module, name) : nullptr;
}

SystemLibrary::SystemLibrary(const wchar_t* name)
    : m_module(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
{
    if (!m_module) ThrowLastError("Loading a system library");
}

FARPROC SystemLibrary::Find(const char* name) const
{
    FARPROC procedure = GetProcAddress(m_module.get(), name);
    if (!procedure) ThrowLastError(std::string("Finding ") + name);
    return procedure;
}

} // namespace jitswap
