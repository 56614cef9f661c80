#include "support/RegistryQuery.h"

#include "support/Win32Error.h"

namespace jitswap {

std::optional<RawRegistryValue> QueryRegistryValue(HKEY key, const wchar_t* valueName)
{
    RawRegistryValue value;
    DWORD size = 256;
    for (;;) {
        value.data.resize(size);
        DWORD type = REG_NONE;
        const LSTATUS status = RegQueryValueExW(key, valueName, nullptr, &type,
                                                reinterpret_cast<BYTE*>(value.data.data()), &size);
        if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
        // Another program may lengthen the value between two calls: ask again with the new size.
        if (status == ERROR_MORE_DATA) continue;
        ThrowIfFailed(status, "Reading a registry value");
        value.type = static_cast<RegistryType>(type);
        value.data.resize(size);
        return value;
    }
}

} // namespace jitswap
