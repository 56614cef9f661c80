#pragma once
// What the crash chooser offers: the catalogue's entries that can debug the crashed program, and
// which of them it selects first. Platform-free.

#include "catalogue/CDebuggers.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace jitswap {

struct CrashChoice {
    std::wstring title;
    std::wstring commandLine;  // the entry's line for the crashed program's bitness
};

// The entries with a command line for a program of that bitness (their 32-bit line for a 32-bit
// program), in catalogue order; not the empty ones, nor one that would start a chooser again
// (this program's own entry, or another copy's).
std::vector<CrashChoice> CrashChoices(const CDebuggers& catalogue, bool crashed32Bit);

// The one with the title chosen last time for a program of that file name; else the first.
std::size_t FirstChoice(const std::vector<CrashChoice>& choices, std::wstring_view rememberedTitle);

// The value of the Options section that keeps the title chosen for programs of that file name.
std::wstring RememberedChoiceKey(std::wstring_view programFileName);

} // namespace jitswap
