#include "aedebug/CommandLineFill.h"

#include "support/text/NumberText.h"

#include <cwctype>

namespace jitswap {
namespace {

// A long is 32 bits on Windows, whatever the process's bitness.
std::wstring LongText(std::uint64_t value)
{
    const auto number = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    const auto magnitude = static_cast<std::uint32_t>(number < 0 ? 0u - static_cast<std::uint32_t>(number) : number);
    return (number < 0 ? L"-" : L"") + NumberText(magnitude);
}

std::wstring PointerText(std::uint64_t value, std::size_t digits)
{
    std::wstring text = NumberText(value, 16, digits);
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

} // namespace

std::wstring FillCommandLine(std::wstring_view commandLine, const SystemArguments& values, std::size_t pointerDigits)
{
    const std::uint64_t arguments[] = {values.processId, values.event, values.debugInfo};
    std::size_t taken = 0;
    std::wstring filled;
    for (std::size_t at = 0; at < commandLine.size(); ++at) {
        const std::wstring_view rest = commandLine.substr(at);
        if (rest.starts_with(L"%%")) {
            filled += L'%';
            ++at;
        } else if (rest.starts_with(L"%ld") || rest.starts_with(L"%p")) {
            const std::uint64_t value = taken < std::size(arguments) ? arguments[taken] : 0;
            ++taken;
            const bool isLong = rest[1] == L'l';
            filled += isLong ? LongText(value) : PointerText(value, pointerDigits);
            at += isLong ? 2 : 1;
        } else {
            filled += commandLine[at];
        }
    }
    return filled;
}

} // namespace jitswap
