#include "tests/catalogue/MemorySettingsStore.h"

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

} // namespace jitswap::testing
