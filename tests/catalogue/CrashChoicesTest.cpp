#include "catalogue/CrashChoices.h"

#include <gtest/gtest.h>

using namespace jitswap;

namespace {

std::wstring Describe(const std::vector<CrashChoice>& choices)
{
    std::wstring text;
    for (const CrashChoice& choice : choices) text += (text.empty() ? L"" : L"; ") + choice.title + L"|" + choice.commandLine;
    return text;
}

} // namespace

TEST(CrashChoices, OffersTheLineForTheCrashedProgramsBitnessAndNeverAChooser)
{
    CDebuggers catalogue{SettingsStoreOpener{}};
    for (const DebuggerEntry& entry : {
             DebuggerEntry{L"Спросить при сбое", {L"\"C:\\Tools\\jitswap.exe\" /crashed %ld %ld", L"", true}},
             DebuggerEntry{L"x64dbg", {L"x64dbg.exe -a %ld -e %ld", L"x32dbg.exe -a %ld -e %ld", true}},
             DebuggerEntry{L"Без отладчика", {L"", L"", false}},
             DebuggerEntry{L"Только 32", {L"", L"dbg32.exe -p %ld", true}},
             DebuggerEntry{L"Пробелы", {L"  \t", L"", true}},
             // Another copy's chooser, in whatever form it was written.
             DebuggerEntry{L"Копия", {L"D:\\jitswap.exe  -CRASHED %ld", L"", true}},
             // Only the option itself marks a chooser: a debugger with another switch is offered.
             DebuggerEntry{L"Drmingw", {L"\"C:\\crashed\\drmingw.exe\" /crashedump -p %ld", L"", false}},
         })
        catalogue.Add(entry);

    EXPECT_EQ(Describe(CrashChoices(catalogue, false)),
              L"x64dbg|x64dbg.exe -a %ld -e %ld; Drmingw|\"C:\\crashed\\drmingw.exe\" /crashedump -p %ld");
    EXPECT_EQ(Describe(CrashChoices(catalogue, true)),
              L"x64dbg|x32dbg.exe -a %ld -e %ld; Только 32|dbg32.exe -p %ld; "
              L"Drmingw|\"C:\\crashed\\drmingw.exe\" /crashedump -p %ld");
    EXPECT_EQ(Describe(CrashChoices(CDebuggers{SettingsStoreOpener{}}, false)), L"");
}
