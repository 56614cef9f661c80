#pragma once
// Reading a registry value as text, whatever type another program stored it as. Platform-free:
// the decoding works on the raw type code and bytes, so it is tested natively as well.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace jitswap {

// The registry's value type codes (the REG_* constants of the platform).
enum class RegistryType : std::uint32_t {
    None = 0,
    String = 1,         // REG_SZ
    ExpandString = 2,   // REG_EXPAND_SZ
    Binary = 3,
    Dword = 4,
    DwordBigEndian = 5,
    Link = 6,
    MultiString = 7,
    Qword = 11,
};

// The text a user would expect to see for a stored value:
// - REG_SZ and REG_EXPAND_SZ: the stored text up to its first NUL, unexpanded; a value stored
//   without its terminating NUL is read to its end, and a stray odd byte is ignored;
// - REG_DWORD, REG_DWORD_BIG_ENDIAN and REG_QWORD: the number in unsigned decimal;
// - anything else, or a number of the wrong size: std::nullopt (the value cannot be read as text).
std::optional<std::wstring> RegistryValueAsText(RegistryType type, std::span<const std::byte> data);

} // namespace jitswap
