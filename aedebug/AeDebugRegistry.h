#pragma once
// The AeDebug key in one registry view, read as the system reads it, and changed with a record of
// what each change replaced, so that a switch that fails half-way can be put back exactly.

#include "aedebug/AeDebugKey.h"
#include "aedebug/SystemDebugger.h"
#include "support/registry/RegistryQuery.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace jitswap {

// Absent key or values read as empty and false, a `Debugger` that is no text (a number included)
// as empty and unreadable; a key that exists but cannot be read throws Win32Error.
AeDebugView ReadAeDebugKey(RegistryView view);

// Changes to values of the AeDebug key, in any view. Each change throws Win32Error when the
// registry refuses it; Undo then puts back whatever the changes before it replaced.
class AeDebugChanges {
public:
    AeDebugChanges() = default;
    AeDebugChanges(const AeDebugChanges&) = delete;
    AeDebugChanges& operator=(const AeDebugChanges&) = delete;

    // Stores REG_SZ text, creating the key when it is absent.
    void WriteText(RegistryView view, const wchar_t* name, const std::wstring& text);
    // Nothing to do when the value or its key is absent already.
    void Delete(RegistryView view, const wchar_t* name);

    // Newest first: each value gets back its data and type, or goes again where it was absent, and
    // a key this object created goes too. Best effort; false when something could not be put back.
    bool Undo() noexcept;

private:
    struct Replaced {
        RegistryView view;
        std::wstring name;
        std::optional<RawRegistryValue> value;  // std::nullopt: the value was absent
        bool keyCreated;
    };
    std::vector<Replaced> m_replaced;
};

} // namespace jitswap
