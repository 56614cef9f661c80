#pragma once
// What the command line asks of the program: the tray program itself, or one command for people
// and scripts that ends with an exit code. Platform-free, so it is tested natively.

#include "aedebug/CommandLineFill.h"
#include "aedebug/SystemDebugger.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jitswap {

// What a command's process ends with, as scripts see it.
enum ExitCode : int {
    kExitDone = 0,
    kExitRefused = 1,        // the system refused the change, or something else failed
    kExitBadUsage = 2,       // an unknown option, a missing argument, no such entry or process
    kExitCancelled = 3,      // the user declined: Windows' request for administrator rights, a question, or to debug
    kExitPartlyChanged = 4,  // the switch failed and so did putting back what it had written
    kExitRunTimeError = 5,   // a run-time error, or another abnormal end the program controls (abort)
};

enum class CommandKind {
    Tray,      // no arguments
    Usage,     // /?
    List,      // /list
    Current,   // /current
    Use,       // /use N, /use "Title"
    Apply,     // /apply: the exact values, written by the elevated copy the program starts itself
    Crashed,   // /crashed: started by the system for a crashed program, to ask which debugger
    Check,     // /check [/crash [64|32]]
    BadUsage,
};

struct Command {
    CommandKind kind = CommandKind::Tray;
    std::wstring entry;     // Use: a number from 1 or a title, as given
    DebuggerChoice choice;  // Apply
    SystemArguments crash;  // Crashed: what the system passed
    std::wstring problem;   // BadUsage: what is wrong, in the user's words
    unsigned crashes = 0;   // Check: the test crashes asked for (CrashBitness bits)
};

// Which programs /check /crash crashes on purpose.
enum CrashBitness : unsigned { kCrash32 = 1, kCrash64 = 2 };

// `arguments` without the program's own name. Options start with '/' or '-', in any case.
Command ParseCommand(const std::vector<std::wstring>& arguments);

class CDebuggers;

// The 0-based index of the entry /use names: digits only are its number, from 1; any other text
// is a title, and the first entry with exactly that title is meant. std::nullopt when none is.
std::optional<std::int32_t> FindEntry(const CDebuggers& catalogue, std::wstring_view entry);

// The arguments of /apply that carry the choice exactly. The flag comes last, so a command line
// cut short anywhere cannot be read as a complete one.
std::vector<std::wstring> ApplyArguments(const DebuggerChoice& choice);

} // namespace jitswap
