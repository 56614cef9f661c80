#pragma once
// Reading a registry value as a boolean, whatever shape another program or a hand edit gave it.
// Platform-free, like RegistryValueAsText.

#include "support/registry/RegistryValue.h"

#include <optional>

namespace jitswap {

// - REG_DWORD, REG_DWORD_BIG_ENDIAN and REG_QWORD: true when non-zero;
// - REG_SZ and REG_EXPAND_SZ, without surrounding blanks and in any case: "-1", "1" and "True" are
//   true, "0", "False" and the empty text are false;
// - anything else: std::nullopt (the value cannot be read as a boolean).
std::optional<bool> RegistryValueAsBoolean(RegistryType type, std::span<const std::byte> data);

} // namespace jitswap
