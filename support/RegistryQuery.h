#pragma once
// Reading one registry value's raw type and bytes, however long it is.

#include "support/RegistryValue.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace jitswap {

struct RawRegistryValue {
    RegistryType type = RegistryType::None;
    std::vector<std::byte> data;
};

// std::nullopt when the value is absent; any other failure throws Win32Error.
std::optional<RawRegistryValue> QueryRegistryValue(HKEY key, const wchar_t* valueName);

} // namespace jitswap
