#pragma once
// What the tests may do to the machine they run on. A Wine prefix made for one test run may be
// changed at will; so may a Windows machine whose owner declared it disposable by setting
// JITSWAP_TESTS_MAY_CHANGE_MACHINE=1. On any other machine a test program that writes the
// system's or the user's settings runs with its registry roots redirected to scratch keys, and a
// test that needs the real ones (another process sees only those) is skipped.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace jitswap::test {

bool MachineIsDisposable();

// Skips the test unless the machine is disposable.
#define JITSWAP_SKIP_UNLESS_MACHINE_IS_DISPOSABLE()                                                     \
    do {                                                                                                \
        if (!::jitswap::test::MachineIsDisposable())                                                    \
            GTEST_SKIP() << "changes the real registry: set JITSWAP_TESTS_MAY_CHANGE_MACHINE=1 on a "   \
                            "machine that may be changed";                                              \
    } while (false)

// While it lives, this process's HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER are empty scratch keys
// under HKEY_CURRENT_USER\Software\JitswapTestRoots (another process still sees the real
// ones). Its end puts the real roots back and deletes the scratch keys.
class ScratchRegistryRoots {
public:
    ScratchRegistryRoots();
    ~ScratchRegistryRoots();
    ScratchRegistryRoots(const ScratchRegistryRoots&) = delete;
    ScratchRegistryRoots& operator=(const ScratchRegistryRoots&) = delete;

    // Where the scratch keys live, relative to the real HKEY_CURRENT_USER.
    static const wchar_t* const kBase;

private:
    std::wstring m_path;
    UniqueHKey m_localMachine;
    UniqueHKey m_currentUser;
};

} // namespace jitswap::test
