#pragma once
// What the tray knows of changes to the system's setting and to the catalogue, whoever makes
// them: the setting as last read, the registry's notices of a change to either, and the entry a
// click on the notice of another program's change switches back to.

#include "aedebug/SystemDebugger.h"
#include "catalogue/DebuggerEntry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace jitswap {

class CDebuggers;
class RegistryWatch;
class SystemDebuggerWatch;

class ChangeTracker {
public:
    explicit ChangeTracker(std::function<SystemDebuggerState()> readSystem);
    ~ChangeTracker();
    ChangeTracker(const ChangeTracker&) = delete;
    ChangeTracker& operator=(const ChangeTracker&) = delete;

    // From now on the loops run `catalogueChanged` after a change to the stored catalogue and
    // `systemChanged` after one to the system's setting, until StopWatching.
    void Watch(std::function<void()> catalogueChanged, std::function<void()> systemChanged);
    void StopWatching() noexcept;
    // True while both are watched: what was read last is then still what is stored.
    bool FollowsChanges() const noexcept;

    struct SystemReading {
        bool changed = true;  // not known to be what was read before
        // The entry in force before this reading that the system holds no longer: another
        // program took over from it.
        std::optional<DebuggerEntry> replaced;
    };
    // Reads the system's setting again. One that cannot be read is not known to be any entry's,
    // nor known to have changed.
    SystemReading ReadSystem(const CDebuggers& catalogue);
    // The entry the setting last read is, if any.
    std::optional<std::int32_t> InForce(const CDebuggers& catalogue) const;

    // After Jitswap's own switch: the setting is read back, so that the notice of this very switch
    // finds nothing new, and a switch back offered before is withdrawn.
    void NoteOwnSwitch() noexcept;

    // What a click on the notice of another program's change restores.
    void OfferSwitchBack(DebuggerEntry previous) { m_switchBack = std::move(previous); }
    void WithdrawSwitchBack() noexcept { m_switchBack.reset(); }
    const std::optional<DebuggerEntry>& SwitchBack() const noexcept { return m_switchBack; }
    std::optional<DebuggerEntry> TakeSwitchBack() noexcept { return std::exchange(m_switchBack, std::nullopt); }

    const std::optional<SystemDebuggerState>& System() const noexcept { return m_system; }

private:
    std::function<SystemDebuggerState()> m_readSystem;
    std::optional<SystemDebuggerState> m_system;  // as last read or written by Jitswap
    std::optional<DebuggerEntry> m_switchBack;
    std::unique_ptr<SystemDebuggerWatch> m_systemWatch;
    std::unique_ptr<RegistryWatch> m_catalogueWatch;
};

} // namespace jitswap
