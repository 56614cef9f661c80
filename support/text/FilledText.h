#pragma once
// Text made from a pattern whose "{}" marks take the values in turn, in one call: what a chain of
// + would do with a temporary, and code to free it, at every step. Platform-free.

#include <initializer_list>
#include <string>
#include <string_view>

namespace jitswap {

// A "{}" with no value left stays as it is.
std::wstring FilledText(std::wstring_view pattern, std::initializer_list<std::wstring_view> values);

} // namespace jitswap
