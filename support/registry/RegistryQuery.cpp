#include "support/registry/RegistryQuery.h"

#include "support/win32/Win32Error.h"

#include <limits>
#include <string>

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

LSTATUS WriteRegistryText(HKEY key, const wchar_t* valueName, std::wstring_view text)
{
    if (text.size() >= std::numeric_limits<DWORD>::max() / sizeof(wchar_t)) return ERROR_INVALID_DATA;
    const std::wstring terminated(text);
    return RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(terminated.c_str()),
                          static_cast<DWORD>((terminated.size() + 1) * sizeof(wchar_t)));
}

LSTATUS DeleteRegistryValue(HKEY key, const wchar_t* valueName)
{
    const LSTATUS status = RegDeleteValueW(key, valueName);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

} // namespace jitswap
