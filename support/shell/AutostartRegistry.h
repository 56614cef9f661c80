#pragma once

#include <string_view>

namespace jitswap {

// Start with Windows: a value named after the identity under the current user's Run key, holding
// the executable's quoted path, and not disabled in Task Manager's start-up list.
class AutostartRegistry {
public:
    bool IsRegistered(std::wstring_view identity) const;
    // `options` is reserved and must be 0. Returns true when the registration was written.
    bool Register(std::wstring_view identity, int options);
    // Returns true when no registration remains.
    bool Unregister(std::wstring_view identity);
};

} // namespace jitswap
