// Alone in its object file on purpose: Wine has no UAC, so a test program links stand-ins for
// these two instead, to reach both sides of the prompt.
#include "support/process/Elevation.h"

#include "support/process/ExecutablePath.h"
#include "support/win32/ComApartment.h"
#include "support/win32/Win32Error.h"

#include <shellapi.h>

namespace jitswap {

bool IsProcessElevated()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return true;
    const UniqueHandle owned(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    // A system that cannot say has no elevation to offer either.
    if (!GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)) return true;
    return elevation.TokenIsElevated != 0;
}

UniqueHandle StartSelfElevated(HWND owner, const std::wstring& parameters)
{
    // The verb's handlers belong to the shell, which may need an apartment.
    const ComApartment apartment;
    const std::wstring executable = ExecutablePath();
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    start.hwnd = owner;
    start.lpVerb = L"runas";
    start.lpFile = executable.c_str();
    start.lpParameters = parameters.c_str();
    start.nShow = SW_HIDE;
    if (!ShellExecuteExW(&start)) {
        const DWORD error = GetLastError();
        if (error == ERROR_CANCELLED) return UniqueHandle();
        throw Win32Error("Starting the program with administrator rights", error);
    }
    if (!start.hProcess) throw Win32Error("Starting the program with administrator rights", ERROR_INVALID_HANDLE);
    return UniqueHandle(start.hProcess);
}

} // namespace jitswap
