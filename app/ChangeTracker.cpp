#include "app/ChangeTracker.h"

#include "aedebug/SystemDebuggerWatch.h"
#include "catalogue/CDebuggers.h"
#include "catalogue/EntryInForce.h"
#include "support/registry/OpenAppSettingsStore.h"
#include "support/registry/RegistryWatch.h"
#include "support/win32/SkipOnFailure.h"

#include <utility>

namespace jitswap {

ChangeTracker::ChangeTracker(std::function<SystemDebuggerState()> readSystem) : m_readSystem(std::move(readSystem))
{
}

ChangeTracker::~ChangeTracker() = default;

void ChangeTracker::Watch(std::function<void()> catalogueChanged, std::function<void()> systemChanged)
{
    m_systemWatch = std::make_unique<SystemDebuggerWatch>(std::move(systemChanged));
    // The whole store: a save may replace the catalogue's key rather than write into it.
    m_catalogueWatch = std::make_unique<RegistryWatch>(HKEY_CURRENT_USER, kAppSettingsPath, 0, std::move(catalogueChanged));
}

void ChangeTracker::StopWatching() noexcept
{
    m_systemWatch.reset();
    m_catalogueWatch.reset();
}

bool ChangeTracker::FollowsChanges() const noexcept
{
    return m_systemWatch && m_systemWatch->IsArmed() && m_catalogueWatch && m_catalogueWatch->IsArmed();
}

ChangeTracker::SystemReading ChangeTracker::ReadSystem(const CDebuggers& catalogue)
{
    const std::optional<std::int32_t> inForce = InForce(catalogue);
    const std::optional<SystemDebuggerState> before = std::exchange(m_system, std::nullopt);
    SkipOnFailure([&] { m_system = m_readSystem(); });

    SystemReading reading;
    reading.changed = !before || !m_system || *before != *m_system;
    if (before && m_system && reading.changed && inForce && !IsOwnDoing(*m_system)) {
        const DebuggerEntry& previous = catalogue.Entry(*inForce);
        if (!Matches(*m_system, previous.choice)) reading.replaced = previous;
    }
    return reading;
}

bool ChangeTracker::IsOwnDoing(const SystemDebuggerState& now) const
{
    return m_ownSwitch && (!m_ownSwitch->from || IsOnTheWay(*m_ownSwitch->from, now, m_ownSwitch->to));
}

std::optional<std::int32_t> ChangeTracker::InForce(const CDebuggers& catalogue) const
{
    if (!m_system) return std::nullopt;
    return EntryInForce(catalogue, *m_system);
}

bool ChangeTracker::BeginOwnSwitch(const DebuggerChoice& choice)
{
    if (m_ownSwitch) return false;
    m_ownSwitch = OwnSwitch{m_system, choice};
    return true;
}

void ChangeTracker::EndOwnSwitch() noexcept
{
    m_ownSwitch.reset();
    // Unread, the setting is unknown, and the next read raises no notice either.
    m_system.reset();
    SkipOnFailure([&] { m_system = m_readSystem(); });
}

} // namespace jitswap
