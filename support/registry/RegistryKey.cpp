#include "support/registry/RegistryKey.h"

namespace jitswap {

LSTATUS OpenKeyIfPresent(HKEY root, const wchar_t* subkey, REGSAM access, UniqueHKey& key)
{
    HKEY opened = nullptr;
    const LSTATUS status = RegOpenKeyExW(root, subkey, 0, access, &opened);
    key.reset(status == ERROR_SUCCESS ? opened : nullptr);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

} // namespace jitswap
