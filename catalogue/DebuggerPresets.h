#pragma once
// The debuggers the program knows how to register, each in the form its own documentation gives
// for the system's just-in-time debugger. Platform-free: where each one lies on this machine is
// found elsewhere and handed in.

#include "catalogue/DebuggerEntry.h"

#include <array>
#include <string>

namespace jitswap {

enum class PresetKind {
    VisualStudio,
    WinDbg,
    Cdb,
    X64dbg,
    DrMingw,
    ProcDump,
    WineDbg,
    NoDebugger,
};

// Every preset, in the order the entry dialog offers them.
inline constexpr std::array kAllPresets{PresetKind::VisualStudio, PresetKind::WinDbg,   PresetKind::Cdb,
                                        PresetKind::X64dbg,       PresetKind::DrMingw,  PresetKind::ProcDump,
                                        PresetKind::WineDbg,      PresetKind::NoDebugger};

// Where a preset's debugger lies on this machine.
struct PresetLocation {
    std::wstring executable;    // full path, used for 64-bit programs (and for all on 32-bit Windows)
    std::wstring executable32;  // the tool's own 32-bit executable where it has one; empty: the same
    std::wstring dumpFolder;    // where ProcDump writes its dumps
};

// The menu caption and the entry's title.
std::wstring PresetTitle(PresetKind kind);

// The entry the preset makes of what was found: title, both command lines, Auto.
DebuggerEntry PresetEntry(PresetKind kind, const PresetLocation& location);

} // namespace jitswap
