#pragma once
// The system's just-in-time debugger as one whole: every registry view the system keeps it in.
// On 64-bit Windows that is two views, the native one (used for 64-bit programs) and the 32-bit
// one (WOW6432Node, used for 32-bit programs); on 32-bit Windows there is one. A switch writes
// all of them or none.

#include "aedebug/DebuggerChoice.h"

#include <optional>
#include <string>

namespace jitswap {

// What one view holds now.
struct AeDebugView {
    std::wstring debugger;   // as stored, untrimmed; empty when absent or unreadable
    bool autoStart = false;  // true only for the text "1", trimmed
    bool unreadable = false;  // `Debugger` holds a type that is no text (REG_MULTI_SZ, REG_BINARY)

    bool operator==(const AeDebugView&) const = default;
};

// What the system holds now: the native view, and the 32-bit one where the system keeps one.
struct SystemDebuggerState {
    AeDebugView native;
    std::optional<AeDebugView> wow32;

    bool operator==(const SystemDebuggerState&) const = default;
};

enum class SwitchResult {
    Done,          // every view holds the choice
    AccessDenied,  // a write was refused for want of rights; nothing changed (elevation may help)
    Failed,        // any other refusal; nothing changed
    PartlyChanged, // a write was refused, and so was putting back a value written before it
};

// Reads every view. Absent keys and values read as empty and false.
SystemDebuggerState ReadSystemDebuggerState();

// Writes `Debugger` and `Auto` in every view and checks each write; when one fails, every value
// already changed is put back as it was (data, type, absent) before returning, as far as the
// system lets it (PartlyChanged when it does not).
SwitchResult ApplySystemDebugger(const DebuggerChoice& choice);

// True when every view holds exactly what the choice would write: comparisons are exact, and a
// `Debugger` that cannot be read is none of them.
bool Matches(const SystemDebuggerState& state, const DebuggerChoice& choice);

// True when every value `now` holds is as in `from` or as `to` writes it: what a switch from `from`
// to `to` leaves while it writes one value after another, and once it is done.
bool IsOnTheWay(const SystemDebuggerState& from, const SystemDebuggerState& now, const DebuggerChoice& to);

// The values `now` holds otherwise than `before`, as the user is told of them, by view where the
// system keeps two: "Debugger, Auto (для 64-битных программ); Auto (для 32-битных программ)".
// Empty when every value is as before.
std::wstring ChangedValues(const SystemDebuggerState& before, const SystemDebuggerState& now);

// The choice that would write back what the system holds now (the 32-bit command line empty
// when both views agree).
DebuggerChoice ChoiceFromState(const SystemDebuggerState& state);

} // namespace jitswap
