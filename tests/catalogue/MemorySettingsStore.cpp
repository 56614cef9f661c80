#include "tests/catalogue/MemorySettingsStore.h"

#include <iterator>
#include <stdexcept>

namespace jitswap::testing {

SettingsStoreOpener MemorySettings::Opener()
{
    return [this]() -> std::unique_ptr<SettingsStore> {
        ++opens;
        if (failToOpen) throw std::runtime_error("store unavailable");
        return std::make_unique<MemorySettingsStore>(*this);
    };
}

const MemoryValue* MemorySettingsStore::Begin(const wchar_t* operation, std::wstring_view section,
                                              std::wstring_view key)
{
    m_settings.log.push_back(std::wstring(operation) + L" " + std::wstring(key));
    if (m_settings.failingKeys.count(std::wstring(key)) != 0) throw std::runtime_error("failing key");
    if (m_settings.operationsBeforeFailure) {
        if (*m_settings.operationsBeforeFailure == 0) throw std::runtime_error("store went away");
        --*m_settings.operationsBeforeFailure;
    }
    const auto found = m_settings.values.find({std::wstring(section), std::wstring(key)});
    return found == m_settings.values.end() ? nullptr : &found->second;
}

std::optional<std::wstring> MemorySettingsStore::ReadText(std::wstring_view section, std::wstring_view key,
                                                          std::wstring_view defaultValue)
{
    const MemoryValue* value = Begin(L"read", section, key);
    if (!value) return std::wstring(defaultValue);
    if (const auto* text = std::get_if<std::wstring>(value)) return *text;
    return std::nullopt;
}

std::optional<bool> MemorySettingsStore::ReadBoolean(std::wstring_view section, std::wstring_view key,
                                                     bool defaultValue)
{
    const MemoryValue* value = Begin(L"read", section, key);
    if (!value) return defaultValue;
    if (const auto* flag = std::get_if<bool>(value)) return *flag;
    return std::nullopt;
}

void MemorySettingsStore::WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value)
{
    Begin(L"write", section, key);
    m_settings.values[{std::wstring(section), std::wstring(key)}] = std::wstring(value);
}

void MemorySettingsStore::WriteBoolean(std::wstring_view section, std::wstring_view key, bool value)
{
    Begin(L"write", section, key);
    m_settings.values[{std::wstring(section), std::wstring(key)}] = value;
}

void MemorySettingsStore::BeginSectionChange(const wchar_t* operation, std::wstring_view section)
{
    Begin(operation, section, section);
    if (m_settings.refuseSectionChanges) throw std::runtime_error("section changes refused");
}

bool MemorySettingsStore::Holds(const std::wstring& section) const
{
    if (m_settings.emptySections.count(section) != 0) return true;
    const auto next = m_settings.values.lower_bound({section, L""});
    return next != m_settings.values.end() && next->first.first == section;
}

bool MemorySettingsStore::SectionExists(std::wstring_view section)
{
    Begin(L"exists", section, section);
    return Holds(std::wstring(section));
}

void MemorySettingsStore::CreateSection(std::wstring_view section)
{
    BeginSectionChange(L"create", section);
    if (!Holds(std::wstring(section))) m_settings.emptySections.insert(std::wstring(section));
}

void MemorySettingsStore::RenameSection(std::wstring_view from, std::wstring_view to)
{
    BeginSectionChange(L"rename", from);
    if (!Holds(std::wstring(from)) || Holds(std::wstring(to))) throw std::runtime_error("cannot rename");
    std::map<std::pair<std::wstring, std::wstring>, MemoryValue> moved;
    for (auto value = m_settings.values.begin(); value != m_settings.values.end();) {
        if (value->first.first == from) {
            moved[{std::wstring(to), value->first.second}] = std::move(value->second);
            value = m_settings.values.erase(value);
        } else {
            ++value;
        }
    }
    m_settings.values.merge(moved);
    if (m_settings.emptySections.erase(std::wstring(from)) != 0) m_settings.emptySections.insert(std::wstring(to));
}

void MemorySettingsStore::DeleteSection(std::wstring_view section)
{
    BeginSectionChange(L"delete", section);
    std::erase_if(m_settings.values, [&](const auto& value) { return value.first.first == section; });
    m_settings.emptySections.erase(std::wstring(section));
}

} // namespace jitswap::testing
