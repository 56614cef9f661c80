#include "catalogue/CDebuggers.h"

#include <algorithm>
#include <utility>

namespace jitswap {

CDebuggers::CDebuggers(SettingsStoreOpener openStore) : m_openStore(std::move(openStore)) {}

std::int32_t CDebuggers::Count() const
{
    return static_cast<std::int32_t>(m_entries.size());
}

bool CDebuggers::Holds(std::int32_t index) const
{
    return index >= 0 && index < Count();
}

bool CDebuggers::Remove(std::int32_t index)
{
    if (!Holds(index)) return false;
    m_entries.erase(m_entries.begin() + index);
    return true;
}

bool CDebuggers::Add(DebuggerEntry entry)
{
    if (Count() >= Capacity || entry.title.empty()) return false;
    m_entries.push_back(std::move(entry));
    return true;
}

bool CDebuggers::Replace(std::int32_t index, DebuggerEntry entry)
{
    if (!Holds(index) || entry.title.empty()) return false;
    m_entries[static_cast<size_t>(index)] = std::move(entry);
    return true;
}

const DebuggerEntry& CDebuggers::Entry(std::int32_t index) const
{
    static const DebuggerEntry kNone;
    return Holds(index) ? m_entries[static_cast<size_t>(index)] : kNone;
}

std::optional<std::int32_t> CDebuggers::IndexOf(const DebuggerEntry& entry) const
{
    const auto found = std::find(m_entries.begin(), m_entries.end(), entry);
    if (found == m_entries.end()) return std::nullopt;
    return static_cast<std::int32_t>(found - m_entries.begin());
}

} // namespace jitswap
