#pragma once
// Task Manager's record of whether a program of the Run key may start with Windows: a value named
// like the Run value under Explorer\StartupApproved\Run. Twelve bytes: a little-endian flags word
// whose lowest bit marks the program disabled (02 and 06 are enabled, 03 disabled), then the
// FILETIME of the user's change. Windows starts a program that has no record. Platform-free.

#include "support/registry/RegistryValue.h"

#include <array>
#include <cstddef>
#include <span>

namespace jitswap {

// True when the record keeps the program from starting. A record in any other shape is not
// Task Manager's, and says nothing against starting.
bool IsDisabledStartupRecord(RegistryType type, std::span<const std::byte> data);

// The record Task Manager writes when the user enables a program again.
inline constexpr std::array<std::byte, 12> kEnabledStartupRecord{std::byte{0x02}};

} // namespace jitswap
