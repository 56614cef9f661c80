#pragma once
// Command lines built from arguments so that the program started reads back exactly those
// arguments, by the rules of CommandLineToArgvW (which the C runtime's own parsing shares).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace jitswap {

// The longest command line a process can be started with, its terminating NUL included.
inline constexpr std::size_t kCommandLineLimit = 32767;

// The argument as it must stand in a command line: unchanged when it is not empty and holds no
// blank, tab, line break or quote; otherwise quoted, with its quotes and the backslashes that
// stand before a quote escaped.
std::wstring QuoteArgument(std::wstring_view argument);

// The arguments, each quoted as needed, with one blank between them.
std::wstring JoinArguments(const std::vector<std::wstring>& arguments);

} // namespace jitswap
