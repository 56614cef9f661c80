#include "aedebug/ProfileText.h"

#include "support/text/TextConversion.h"

namespace jitswap {
namespace {

// The profile functions drop blanks around a value and then one pair of quotes around what is
// left; a value that starts or ends with either is wrapped in quotes of its own, which the
// reader takes off again (the system's reader of the same key included).
bool IsStrippedAtEdge(wchar_t c)
{
    return c <= L' ' || c == L'"' || c == L'\'';
}

} // namespace

std::optional<std::string> ProfileTextFor(std::wstring_view text)
{
    constexpr std::wstring_view kLineEnds(L"\0\r\n", 3);
    if (text.find_first_of(kLineEnds) != std::wstring_view::npos) return std::nullopt;

    std::string ansi = WideToAnsi(text);
    if (AnsiToWide(ansi) != text) return std::nullopt;

    if (!text.empty() && (IsStrippedAtEdge(text.front()) || IsStrippedAtEdge(text.back())))
        return '"' + ansi + '"';
    return ansi;
}

} // namespace jitswap
