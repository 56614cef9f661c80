#pragma once

#include "support/registry/SettingsStore.h"

#include <memory>

namespace jitswap {

// The settings store of this program: HKEY_CURRENT_USER\Software\Quarvel\Jitswap, one key per section.
inline constexpr wchar_t kAppSettingsPath[] = L"Software\\Quarvel\\Jitswap";
std::unique_ptr<SettingsStore> OpenAppSettingsStore();

} // namespace jitswap
