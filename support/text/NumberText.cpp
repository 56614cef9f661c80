#include "support/text/NumberText.h"

#include <algorithm>

namespace jitswap {

std::wstring NumberText(unsigned long long value, unsigned base, std::size_t minDigits)
{
    std::wstring digits;
    do {
        digits += L"0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0);
    if (digits.size() < minDigits) digits.append(minDigits - digits.size(), L'0');
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string NarrowNumberText(unsigned long long value)
{
    std::string text;
    for (const wchar_t digit : NumberText(value)) text += static_cast<char>(digit);
    return text;
}

} // namespace jitswap
