#pragma once
// Failures of the platform, raised as exceptions with the system's own description.

#include <windows.h>

#include "support/win32/Failure.h"

#include <string>

namespace jitswap {

class Win32Error : public Failure {
public:
    // `operation` names what failed, in the program's words; the system's message is appended.
    Win32Error(const std::string& operation, DWORD code);
    DWORD Code() const noexcept { return m_code; }

private:
    DWORD m_code;
};

// Throws Win32Error for GetLastError(); for calls that report failure only that way.
[[noreturn]] void ThrowLastError(const std::string& operation);

// Throws Win32Error when a registry or other status-returning call did not succeed.
inline void ThrowIfFailed(LSTATUS status, const std::string& operation)
{
    if (status != ERROR_SUCCESS) throw Win32Error(operation, static_cast<DWORD>(status));
}

} // namespace jitswap
