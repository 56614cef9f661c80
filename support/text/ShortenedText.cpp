#include "support/text/ShortenedText.h"

namespace jitswap {
namespace {

constexpr wchar_t kEllipsis = L'\u2026';

bool IsHighSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

std::wstring ShortenedText(std::wstring_view text, std::size_t limit)
{
    if (text.size() <= limit) return std::wstring(text);
    if (limit == 0) return {};
    std::size_t kept = limit - 1;
    if (kept > 0 && IsHighSurrogate(text[kept - 1])) --kept;
    std::wstring shortened(text.substr(0, kept));
    shortened += kEllipsis;
    return shortened;
}

} // namespace jitswap
