#pragma once
// Why a debugger would or would not start when a program crashes, and whether it is safe to start:
// one diagnosis of the system's setting, used by the check dialog, /check and the test crash. It
// is a function of what was read from the machine (aedebug/DiagnosisReading.h reads it), so it is
// tested natively with readings written out as tables.

#include "aedebug/DebuggerChoice.h"
#include "aedebug/ExecutableSafety.h"
#include "support/registry/RegistryValue.h"

#include <optional>
#include <string>
#include <vector>

namespace jitswap {

// A registry value as read: its type, and its data as text (a number in decimal).
struct StoredValue {
    RegistryType type = RegistryType::String;
    std::wstring text;
};

// One view of the AeDebug key, and where its command line's executable is.
struct ViewReading {
    bool readable = true;  // false: the key exists but could not be read
    std::optional<StoredValue> debugger;
    std::optional<StoredValue> autoStart;
    std::vector<std::wstring> autoExclusions;  // AutoExclusionList: the names whose value is 1
    // Every start of the command line Windows would find as a program, and the path of the last.
    std::vector<std::wstring> executablesFound;
    std::wstring executablePath;
    std::optional<UnsafeWriter> unsafeWriter;  // of executablePath
};

// Windows Error Reporting's settings that bear on the debugger, as its documentation names them.
struct WerReading {
    std::vector<std::wstring> disabledIn;         // the keys that hold Disabled = 1
    std::vector<std::wstring> debugApplications;  // DebugApplications: names (or "*") with the value 1
    std::optional<std::wstring> localDumps;       // LocalDumps is set: its DumpFolder, or empty for the default
};

struct SystemReading {
    ViewReading native;
    std::optional<ViewReading> wow32;  // on 64-bit Windows
    WerReading wer;
    bool underWine = false;
};

// In this order: the texts and icons shown for them are tables indexed by it.
enum class FindingKind { Error, Warning, Information };

struct Finding {
    FindingKind kind;
    std::wstring text;  // in the user's words, with what to do

    bool operator==(const Finding&) const = default;
};

// The check as it is shown, line by line: each view's setting as a heading ("Для 64-битных
// программ: <Debugger>; Auto: <Auto>", or on 32-bit Windows "Для всех программ: ...") with its
// findings under it, then "Общее:" with those that concern both.
struct CheckLine {
    std::optional<FindingKind> kind;  // std::nullopt: a heading
    std::wstring text;
};
std::vector<CheckLine> CheckLines(const SystemReading& reading);

struct Diagnosis {
    std::vector<Finding> native;
    std::vector<Finding> wow32;
    std::vector<Finding> both;  // what concerns the two views together, and Error Reporting
};

Diagnosis Diagnose(const SystemReading& reading);

// True when some finding says that no debugger will start.
bool HasError(const std::vector<CheckLine>& lines);

// The switch that mends what a switch can mend: quotes around an executable path with blanks,
// `Debugger` and `Auto` written again as the text the documentation asks for, and an empty 32-bit
// view filled with `own32` (the 32-bit command line of the entry the native view holds) or else
// the native command line. std::nullopt when there is nothing of that kind, or when the switch
// would change anything else (the views disagree on `Auto`, or a command line is refused).
std::optional<DebuggerChoice> RepairChoice(const SystemReading& reading, const std::wstring& own32 = {});

// Whether the view's Auto is "1" as the system takes it (blanks around it aside, whatever its type).
bool AutoStarts(const ViewReading& view);

// The program the view's command line starts: where Windows finds it, or as the line names it;
// empty when no debugger is set.
std::wstring ProgramOf(const ViewReading& view);

} // namespace jitswap
