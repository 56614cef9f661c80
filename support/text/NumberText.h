#pragma once
// Whole numbers as text. The C library's printf family would bring its whole formatter, floating
// point included, into the executable for these few digits.

#include <cstddef>
#include <string>

namespace jitswap {

// `value` in `base` (10 or 16, lower-case digits), padded with zeros to at least `minDigits`.
std::wstring NumberText(unsigned long long value, unsigned base = 10, std::size_t minDigits = 1);

// The same in ASCII, for the messages of exceptions.
std::string NarrowNumberText(unsigned long long value);

} // namespace jitswap
