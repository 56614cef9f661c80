#pragma once
// Where the known debuggers lie on this machine: the system folder for Visual Studio's, the
// Windows Kits for WinDbg and CDB, the folders on the search path for the others, and Wine's own
// when running under Wine. Everything is looked up in places a test can point elsewhere.

#include "catalogue/DebuggerPresets.h"

#include <windows.h>

#include <optional>
#include <string>

namespace jitswap {

struct DetectionPlaces {
    std::wstring systemFolder;  // where vsjitdebugger.exe lies
    HKEY kitsRoot = HKEY_LOCAL_MACHINE;
    std::wstring kitsKey = L"SOFTWARE\\Microsoft\\Windows Kits\\Installed Roots";
    std::wstring searchPath;    // folders the tools on the path are looked for in, ';'-separated
    std::wstring thisProgram;   // this program's executable, full path
    bool underWine = false;
    bool windows64 = false;     // the system keeps a separate setting for 32-bit programs
};

// The places of the machine this program runs on.
DetectionPlaces ThisMachine();

// Whether the dialog offers the preset here at all: Wine's debugger only under Wine.
bool PresetOffered(PresetKind kind, const DetectionPlaces& places);

// The preset's debugger where it lies here, or std::nullopt. ProcDump's dump folder is the
// user's choice, so it is left empty.
std::optional<PresetLocation> FindPreset(PresetKind kind, const DetectionPlaces& places);

// The preset's debugger as the file the user chose shows it: the tool's folder for each
// bitness where the choice lies in one of them, else the chosen file for every program.
PresetLocation LocationFromChosenFile(PresetKind kind, const std::wstring& chosen, const DetectionPlaces& places);

// The executable files to ask the user for when a preset's debugger was not found, as a file
// dialog's filter; empty for the presets that need none.
std::wstring PresetFileFilter(PresetKind kind);

} // namespace jitswap
