#include "support/RegistrySettingsStore.h"
#include "support/OpenAppSettingsStore.h"

namespace jitswap {

std::unique_ptr<SettingsStore> OpenAppSettingsStore()
{
    return std::make_unique<RegistrySettingsStore>(HKEY_CURRENT_USER, L"Software\\Quarvel\\Jitswap");
}

} // namespace jitswap
