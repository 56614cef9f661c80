#pragma once
// The parts of a debugger command line that the system tells apart when it starts one: the
// executable, then the arguments. Platform-free: the file system is not asked.

#include <functional>
#include <string>
#include <string_view>

namespace jitswap {

// Where the executable stands in a command line: [begin, end) of the text, quotes excluded.
struct ExecutableSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool quoted = false;
};

// True when Windows would find the executable to start it (a path, or a name it searches for).
using ExecutableLookup = std::function<bool(const std::wstring& executable)>;

// The executable as Windows takes it from the command line: the text in the leading quotes, or,
// unquoted, the longest blank-separated prefix that `lookup` finds (Windows tries each in turn:
// the last one found is what the line's author meant), else the path up to the first word that
// ends in an executable's extension, or else the first word. No lookup: nothing is found.
ExecutableSpan LocateExecutable(std::wstring_view commandLine, const ExecutableLookup& lookup = nullptr);
std::wstring ExecutablePart(std::wstring_view commandLine);

// The path in quotes, as the executable or an argument of a command line: a path with blanks
// stays whole, and backslashes before the closing quote are doubled so that they do not escape it.
std::wstring QuotedPath(std::wstring_view path);

// The file name of a path: what follows its last backslash, slash or drive colon.
std::wstring FileNameOf(std::wstring_view path);

// The title of an entry that keeps a system setting found in no entry: "Прежний: dbg.exe".
std::wstring PreviousEntryTitle(std::wstring_view commandLine);

} // namespace jitswap
