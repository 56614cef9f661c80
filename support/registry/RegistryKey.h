#pragma once
// Opening a registry key that may not exist: an absent key is an answer, not a failure.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

namespace jitswap {

// Opens root\subkey into `key`. An absent key leaves `key` empty and returns ERROR_SUCCESS; any
// other failure returns its status (the caller decides whether it throws or refuses).
LSTATUS OpenKeyIfPresent(HKEY root, const wchar_t* subkey, REGSAM access, UniqueHKey& key);

} // namespace jitswap
