#pragma once
// Text cut to fit a fixed field of the system (a tooltip, a balloon), visibly: the cut ends in "…".

#include <cstddef>
#include <string>
#include <string_view>

namespace jitswap {

// The text unchanged when it has at most `limit` UTF-16 units; otherwise its start and "…",
// `limit` units in all, never ending in half of a surrogate pair. A limit of 0 gives "".
std::wstring ShortenedText(std::wstring_view text, std::size_t limit);

} // namespace jitswap
