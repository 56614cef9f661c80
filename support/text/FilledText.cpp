#include "support/text/FilledText.h"

namespace jitswap {

std::wstring FilledText(std::wstring_view pattern, std::initializer_list<std::wstring_view> values)
{
    std::wstring text;
    const std::wstring_view* value = values.begin();
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern.substr(at, 2) == L"{}" && value != values.end()) {
            text += *value++;
            ++at;
        } else {
            text += pattern[at];
        }
    }
    return text;
}

} // namespace jitswap
