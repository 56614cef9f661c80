#pragma once
// Functions the program uses only where the running Windows has them, and libraries it loads
// only from the system folder.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

namespace jitswap {

namespace detail {
FARPROC FindProcedure(HMODULE module, const char* name) noexcept;
}

// A function of a library the process has loaded already (kernel32, user32, comctl32), or nullptr
// when this version of Windows does not have it.
template <class Function>
Function LoadedFunction(const wchar_t* module, const char* name) noexcept
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(detail::FindProcedure(GetModuleHandleW(module), name)));
}

// A library loaded from the system folder and nowhere else, for as long as this object lives.
class SystemLibrary {
public:
    // Throws when the library cannot be loaded.
    explicit SystemLibrary(const wchar_t* name);

    // Throws when the library lacks the function.
    template <class Function>
    Function Get(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(Find(name)));
    }

    // nullptr when this version of the library lacks the function.
    template <class Function>
    Function GetIfPresent(const char* name) const noexcept
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(detail::FindProcedure(m_module.get(), name)));
    }

private:
    FARPROC Find(const char* name) const;

    UniqueModule m_module;
};

} // namespace jitswap
