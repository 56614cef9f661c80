#pragma once

#include "support/registry/SettingsStore.h"

#include <memory>

namespace jitswap {

// The settings store of this program: HKEY_CURRENT_USER\Software\Quarvel\Jitswap, one key per section.
inline constexpr wchar_t kAppSettingsPath[] = L"Software\\Quarvel\\Jitswap";
// The section of the program's options, beside the catalogue's.
inline constexpr wchar_t kOptionsSection[] = L"Options";
std::unique_ptr<SettingsStore> OpenAppSettingsStore();

} // namespace jitswap
