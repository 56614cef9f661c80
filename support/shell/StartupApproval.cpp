#include "support/shell/StartupApproval.h"

namespace jitswap {

bool IsDisabledStartupRecord(RegistryType type, std::span<const std::byte> data)
{
    if (type != RegistryType::Binary || data.size() < 4) return false;
    return (std::to_integer<unsigned>(data[0]) & 1u) != 0;
}

} // namespace jitswap
