#include "support/text/TextTrim.h"

namespace jitswap {

std::wstring qsTrimEx(std::wstring_view text)
{
    constexpr std::wstring_view blanks = L" \t";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring_view::npos) return {};
    const size_t last = text.find_last_not_of(blanks);
    return std::wstring(text.substr(first, last - first + 1));
}

} // namespace jitswap
