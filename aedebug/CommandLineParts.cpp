#include "aedebug/CommandLineParts.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace jitswap {
namespace {

// CreateProcess splits the command line at these two only.
bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

bool EndsWithExecutableExtension(std::wstring_view word)
{
    static constexpr std::array<std::wstring_view, 4> kExtensions{L".exe", L".com", L".bat", L".cmd"};
    return std::any_of(kExtensions.begin(), kExtensions.end(), [word](std::wstring_view extension) {
        return word.size() > extension.size() &&
               std::equal(extension.begin(), extension.end(), word.end() - static_cast<std::ptrdiff_t>(extension.size()),
                          [](wchar_t a, wchar_t b) { return a == static_cast<wchar_t>(std::towlower(b)); });
    });
}

// An option, a placeholder or a quote ends any path the words before it could still be part of.
bool CannotContinuePath(std::wstring_view word)
{
    return word.front() == L'-' || word.front() == L'/' || word.find_first_of(L"%\"") != std::wstring_view::npos;
}

} // namespace

ExecutableSpan LocateExecutable(std::wstring_view commandLine, const ExecutableLookup& lookup)
{
    std::size_t begin = 0;
    while (begin < commandLine.size() && IsBlank(commandLine[begin])) ++begin;
    if (begin < commandLine.size() && commandLine[begin] == L'"') {
        const std::size_t close = commandLine.find(L'"', begin + 1);
        return {begin + 1, close == std::wstring_view::npos ? commandLine.size() : close, true};
    }

    std::size_t firstWordEnd = std::wstring_view::npos;
    std::size_t foundEnd = std::wstring_view::npos;
    std::size_t extensionEnd = std::wstring_view::npos;
    for (std::size_t wordBegin = begin; wordBegin < commandLine.size();) {
        std::size_t wordEnd = wordBegin;
        while (wordEnd < commandLine.size() && !IsBlank(commandLine[wordEnd])) ++wordEnd;
        const std::wstring_view word = commandLine.substr(wordBegin, wordEnd - wordBegin);
        if (firstWordEnd == std::wstring_view::npos) {
            firstWordEnd = wordEnd;
        } else if (CannotContinuePath(word)) {
            break;
        }
        if (lookup && lookup(std::wstring(commandLine.substr(begin, wordEnd - begin)))) foundEnd = wordEnd;
        if (EndsWithExecutableExtension(word)) {
            extensionEnd = wordEnd;
            break;
        }
        wordBegin = wordEnd;
        while (wordBegin < commandLine.size() && IsBlank(commandLine[wordBegin])) ++wordBegin;
    }
    for (const std::size_t end : {foundEnd, extensionEnd, firstWordEnd}) {
        if (end != std::wstring_view::npos) return {begin, end, false};
    }
    return {begin, begin, false};
}

std::wstring ExecutablePart(std::wstring_view commandLine)
{
    const ExecutableSpan span = LocateExecutable(commandLine);
    return std::wstring(commandLine.substr(span.begin, span.end - span.begin));
}

std::wstring QuotedPath(std::wstring_view path)
{
    const std::size_t trailing = path.size() - (path.find_last_not_of(L'\\') + 1);
    return L'"' + std::wstring(path) + std::wstring(trailing, L'\\') + L'"';
}

std::wstring FileNameOf(std::wstring_view path)
{
    const std::size_t separator = path.find_last_of(L"\\/:");
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

std::wstring PreviousEntryTitle(std::wstring_view commandLine)
{
    return L"Прежний: " + FileNameOf(ExecutablePart(commandLine));
}

} // namespace jitswap
