#pragma once

#include <string>
#include <string_view>

namespace jitswap {

// The text without leading and trailing blanks and tabs.
std::wstring qsTrimEx(std::wstring_view text);

} // namespace jitswap
