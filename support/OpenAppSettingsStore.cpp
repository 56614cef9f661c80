#include "support/RegistrySettingsStore.h"
#include "support/Support.h"

namespace jitswap {

std::unique_ptr<SettingsStore> OpenAppSettingsStore()
{
    return std::make_unique<RegistrySettingsStore>(HKEY_CURRENT_USER, kAppSettingsPath);
}

} // namespace jitswap
