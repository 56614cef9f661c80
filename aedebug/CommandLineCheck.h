#pragma once
// What is wrong with a debugger command line before the system gets it. The system fills it in
// printf-style with the crashed process's id, an event handle and the address of a JIT_DEBUG_INFO
// block (%ld, %ld, %p, always in that order); any other sequence makes the system's own crash
// handling read or write through one of those numbers, and one out of place gets another value.
// Platform-free: whether the executable exists is asked of a lookup.

#include "aedebug/CommandLineParts.h"

#include <string>
#include <string_view>

namespace jitswap {

// Sequences the system fills in: at most this many, each %ld or %p.
inline constexpr int kSystemArgumentCount = 3;

struct CommandLineFindings {
    std::wstring refusal;            // why the system must not get it; empty when it may
    std::wstring quotedForm;         // the same with its executable quoted; empty unless that has blanks and no quotes
    std::wstring executable;         // as Windows takes it
    bool executableMissing = false;  // the lookup did not find it
    bool lacksProcessId = false;     // no %ld: the debugger would not learn which process crashed
    bool lacksEvent = false;         // one %ld only: the debugger cannot tell the system to go on
};

// The reason, in the user's words, why the system must not get this command line; empty when it may.
std::wstring CommandLineRefusal(std::wstring_view commandLine);

// The same for a switch to both command lines (the 32-bit one may be empty): the message that
// refuses the switch, naming the command line for 32-bit programs when it is that one; empty when
// the system may get both.
std::wstring SwitchRefusal(std::wstring_view commandLine, std::wstring_view commandLine32);

// Every finding at once. An empty command line (no debugger) has none; a refused one is not
// looked up.
CommandLineFindings CheckCommandLine(std::wstring_view commandLine, const ExecutableLookup& executableExists);

} // namespace jitswap
