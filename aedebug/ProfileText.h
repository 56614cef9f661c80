#pragma once
// Texts for the profile functions (WIN.INI) that come back exactly as they were written.

#include <optional>
#include <string>
#include <string_view>

namespace jitswap {

// The ANSI text to hand WriteProfileStringA so that GetProfileStringA gives back `text` itself;
// std::nullopt when no such text exists: a line break or NUL would end the value early or start
// a key of its own, and a character outside the ANSI code page would change on the way.
std::optional<std::string> ProfileTextFor(std::wstring_view text);

} // namespace jitswap
