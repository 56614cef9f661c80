#pragma once
// One registry value: read as its raw type and bytes, however long it is, written as text, or deleted.

#include "support/registry/RegistryValue.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

namespace jitswap {

struct RawRegistryValue {
    RegistryType type = RegistryType::None;
    std::vector<std::byte> data;
};

// std::nullopt when the value is absent; any other failure throws Win32Error.
std::optional<RawRegistryValue> QueryRegistryValue(HKEY key, const wchar_t* valueName);

// Stores the text as REG_SZ with its terminating NUL, so that every reader finds a terminated
// string. Returns the registry's status; a text too long for a value is refused, not cut short.
LSTATUS WriteRegistryText(HKEY key, const wchar_t* valueName, std::wstring_view text);

// Deletes the value. One that is absent already is gone as asked: ERROR_SUCCESS. Returns the
// registry's status.
LSTATUS DeleteRegistryValue(HKEY key, const wchar_t* valueName);

} // namespace jitswap
