#include "catalogue/CrashChoices.h"

#include "aedebug/CommandLineParts.h"

#include <algorithm>

namespace jitswap {
namespace {

constexpr std::wstring_view kBlanks = L" \t";

// The first argument after the executable is /crashed (or -crashed, in any case).
bool StartsChooser(std::wstring_view commandLine)
{
    const ExecutableSpan executable = LocateExecutable(commandLine);
    std::wstring_view rest = commandLine.substr(std::min(commandLine.size(), executable.end + executable.quoted));
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(kBlanks)));
    const std::wstring_view option = rest.substr(0, rest.find_first_of(kBlanks));
    constexpr std::wstring_view kName = L"crashed";
    return option.size() == kName.size() + 1 && (option[0] == L'/' || option[0] == L'-') &&
           std::equal(kName.begin(), kName.end(), option.begin() + 1,
                      [](wchar_t name, wchar_t typed) { return name == (typed | 0x20); });
}

} // namespace

std::vector<CrashChoice> CrashChoices(const CDebuggers& catalogue, bool crashed32Bit)
{
    std::vector<CrashChoice> choices;
    for (std::int32_t i = 0; i < catalogue.Count(); ++i) {
        const DebuggerEntry& entry = catalogue.Entry(i);
        const std::wstring& line = crashed32Bit ? entry.choice.CommandLineFor32() : entry.choice.commandLine;
        if (line.find_first_not_of(kBlanks) == std::wstring::npos || StartsChooser(line)) continue;
        choices.push_back({entry.title, line});
    }
    return choices;
}

std::size_t FirstChoice(const std::vector<CrashChoice>& choices, std::wstring_view rememberedTitle)
{
    const auto found = std::find_if(choices.begin(), choices.end(),
                                    [&](const CrashChoice& choice) { return choice.title == rememberedTitle; });
    return found == choices.end() ? 0 : static_cast<std::size_t>(found - choices.begin());
}

std::wstring RememberedChoiceKey(std::wstring_view programFileName)
{
    return L"Debugger For " + std::wstring(programFileName);
}

} // namespace jitswap
