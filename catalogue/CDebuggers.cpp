#include "catalogue/CDebuggers.h"

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

bool CDebuggers::Add(std::wstring title, std::wstring commandLine, bool autoStart, std::wstring commandLine32)
{
    if (Count() >= Capacity) return false;
    if (title.empty()) return false;
    m_entries.push_back(DebuggerEntry{std::move(title), std::move(commandLine), autoStart, std::move(commandLine32)});
    return true;
}

std::wstring CDebuggers::Title(std::int32_t index) const
{
    return Holds(index) ? m_entries[static_cast<size_t>(index)].Title : std::wstring();
}

std::wstring CDebuggers::CommandLine(std::int32_t index) const
{
    return Holds(index) ? m_entries[static_cast<size_t>(index)].CommandLine : std::wstring();
}

bool CDebuggers::Auto(std::int32_t index) const
{
    return Holds(index) && m_entries[static_cast<size_t>(index)].Auto;
}

std::wstring CDebuggers::CommandLine32(std::int32_t index) const
{
    return Holds(index) ? m_entries[static_cast<size_t>(index)].CommandLine32 : std::wstring();
}

void CDebuggers::SetTitle(std::int32_t index, std::wstring title)
{
    if (Holds(index)) m_entries[static_cast<size_t>(index)].Title = std::move(title);
}

void CDebuggers::SetCommandLine(std::int32_t index, std::wstring commandLine)
{
    if (Holds(index)) m_entries[static_cast<size_t>(index)].CommandLine = std::move(commandLine);
}

void CDebuggers::SetAuto(std::int32_t index, bool autoStart)
{
    if (Holds(index)) m_entries[static_cast<size_t>(index)].Auto = autoStart;
}

void CDebuggers::SetCommandLine32(std::int32_t index, std::wstring commandLine32)
{
    if (Holds(index)) m_entries[static_cast<size_t>(index)].CommandLine32 = std::move(commandLine32);
}

} // namespace jitswap
