#pragma once

#include "support/win32/UniqueHandle.h"

#include <string_view>

namespace jitswap {

// Tells whether another process of this session already claimed an identity.
class InstanceGuard {
public:
    // True when no other process holds `identity`; the claim lasts as long as this object.
    bool Acquire(std::wstring_view identity);

private:
    UniqueHandle m_claim;
};

} // namespace jitswap
