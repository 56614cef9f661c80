#pragma once
// The debuggers the program knows how to register, each in the form its own documentation gives
// for the system's just-in-time debugger, and where each is looked for. Platform-free: where each
// one lies on this machine is found elsewhere (catalogue/PresetDetection.h) and handed in.

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
    CrashChooser,
};

// Every preset, in the order the entry dialog offers them.
inline constexpr std::array kAllPresets{PresetKind::VisualStudio, PresetKind::WinDbg,     PresetKind::Cdb,
                                        PresetKind::X64dbg,       PresetKind::DrMingw,    PresetKind::ProcDump,
                                        PresetKind::WineDbg,      PresetKind::NoDebugger, PresetKind::CrashChooser};

// Where a preset's debugger is looked for.
enum class PresetPlace {
    SystemFolder,  // the system folder: `file`
    WindowsKits,   // the Windows Kits' "Debuggers" folder, one subfolder per bitness
    PathFolders,   // the folders of the search path (PATH): `searched`
    Wine,          // Wine's own, only under Wine
    ThisProgram,   // this program's own executable
    Nowhere,       // nothing to find
};

// A tool that keeps one executable per bitness in sibling folders of its own folder.
struct BitnessFolders {
    const wchar_t* folder64 = nullptr;  // nullptr: the tool has one executable
    const wchar_t* file64 = nullptr;
    const wchar_t* folder32 = nullptr;
    const wchar_t* file32 = nullptr;
};

// One known debugger.
struct PresetRow {
    PresetKind kind;
    const wchar_t* title;      // the menu caption and the entry's title
    // What follows the quoted executable in the command line, as the tool's own installer writes
    // it; "<dumps>" stands for the quoted dump folder. nullptr: no command line at all.
    const wchar_t* arguments;
    bool quoteExecutable;      // false only for Wine's own line, kept exactly as Wine writes it
    bool autoStart;
    PresetPlace place;
    const wchar_t* file;       // the system folder's file
    BitnessFolders folders;
    std::array<const wchar_t*, 3> searched;  // files on the search path, the likeliest first
    const wchar_t* fileFilter;  // a file dialog's filter when it was not found; nullptr: none needed
    // The folder dialog's title where the user picks where it writes its dumps, a choice never made
    // for them, so that the first start leaves it out; nullptr: it writes none.
    const wchar_t* dumpFolderTitle = nullptr;
    // Whether the first start adds it only when no account but the system's own can change its
    // program: one that runs with a crashed program's rights as a matter of course.
    bool seededOnlyWhenSafe = false;
};

const PresetRow& PresetRowOf(PresetKind kind);

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
