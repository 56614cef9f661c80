#include "support/process/InstanceGuard.h"
#include "support/win32/Win32Error.h"

namespace jitswap {

bool InstanceGuard::Acquire(std::wstring_view identity)
{
    // A named mutex in the session's namespace: other users' sessions run their own instance.
    const std::wstring name = L"Local\\" + std::wstring(identity);
    UniqueHandle claim(CreateMutexW(nullptr, FALSE, name.c_str()));
    const DWORD error = GetLastError();
    if (!claim) {
        // The name exists but belongs to a process we may not open: another instance holds it.
        if (error == ERROR_ACCESS_DENIED) return false;
        throw Win32Error("Checking for a running instance", error);
    }
    if (error == ERROR_ALREADY_EXISTS) return false;
    m_claim = std::move(claim);
    return true;
}

} // namespace jitswap
