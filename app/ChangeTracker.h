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

    // Around Jitswap's own switch to `choice`, however long it asks the user or waits for an
    // elevated copy: meanwhile whatever the setting holds on the way there is the switch's own
    // doing, not another program's. False, with nothing noted, while another switch is under way.
    bool BeginOwnSwitch(const DebuggerChoice& choice);
    // The setting is read back, so that the notices of the switch find nothing new.
    void EndOwnSwitch() noexcept;

    // What a click on the notice of another program's change restores.
    void OfferSwitchBack(DebuggerEntry previous) { m_switchBack = std::move(previous); }
    void WithdrawSwitchBack() noexcept { m_switchBack.reset(); }
    const std::optional<DebuggerEntry>& SwitchBack() const noexcept { return m_switchBack; }
    std::optional<DebuggerEntry> TakeSwitchBack() noexcept { return std::exchange(m_switchBack, std::nullopt); }

    const std::optional<SystemDebuggerState>& System() const noexcept { return m_system; }

private:
    bool IsOwnDoing(const SystemDebuggerState& now) const;

    std::function<SystemDebuggerState()> m_readSystem;
    std::optional<SystemDebuggerState> m_system;  // as last read or written by Jitswap
    std::optional<DebuggerEntry> m_switchBack;
    struct OwnSwitch {
        std::optional<SystemDebuggerState> from;
        DebuggerChoice to;
    };
    std::optional<OwnSwitch> m_ownSwitch;
    std::unique_ptr<SystemDebuggerWatch> m_systemWatch;
    std::unique_ptr<RegistryWatch> m_catalogueWatch;
};

} // namespace jitswap
