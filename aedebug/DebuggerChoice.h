#pragma once
// What choosing a debugger asks of the system: the command line for each registry view and
// whether it starts without asking. Platform-free.

#include <string>

namespace jitswap {

// What one switch writes: the same for every view unless the 32-bit view has its own command line.
struct DebuggerChoice {
    std::wstring commandLine;    // the native view; empty deletes `Debugger`
    std::wstring commandLine32;  // the 32-bit view on 64-bit Windows; empty: same as commandLine
    bool autoStart = false;

    const std::wstring& CommandLineFor32() const { return commandLine32.empty() ? commandLine : commandLine32; }

    // Exactly the same three values.
    bool operator==(const DebuggerChoice&) const = default;
};

// True when both would write the same: an empty 32-bit command line stands for the other one.
inline bool WritesTheSame(const DebuggerChoice& a, const DebuggerChoice& b)
{
    return a.commandLine == b.commandLine && a.CommandLineFor32() == b.CommandLineFor32() && a.autoStart == b.autoStart;
}

} // namespace jitswap
