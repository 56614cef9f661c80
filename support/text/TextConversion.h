#pragma once
// Conversions between the program's wide text and the narrow encodings that some Windows
// interfaces and exception messages need.

#include <string>
#include <string_view>

namespace jitswap {

// Exception messages are UTF-8; these carry them to and from the wide text the user sees.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

// The ANSI code page, for the interfaces that only take or give ANSI text (WIN.INI, ShellExecuteA).
// Characters the code page lacks become its default character, as the system itself converts them.
std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);

} // namespace jitswap
