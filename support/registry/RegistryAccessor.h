#pragma once

#include <windows.h>

#include <string>

namespace jitswap {

// The kinds of registry value the program reads and writes.
enum class ValueKind { Text = 0 };

// Registry values as text, for values that other programs and the system itself read.
class RegistryAccessor {
public:
    // The value as text (see RegistryValueAsText); empty when the key or value is absent or
    // cannot be read as text. Other failures throw.
    std::wstring ReadValue(HKEY root, const std::wstring& subkey, const std::wstring& name, ValueKind kind);
    // Writes a REG_SZ value, creating the key when it is absent. True exactly on success.
    bool WriteValue(HKEY root, const std::wstring& subkey, const std::wstring& name, ValueKind kind,
                    const std::wstring& value);
    // True exactly when the value is gone afterwards (also when it was absent already).
    bool DeleteValue(HKEY root, const std::wstring& subkey, const std::wstring& name);
};

} // namespace jitswap
