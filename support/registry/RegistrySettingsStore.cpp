#include "support/registry/RegistrySettingsStore.h"

#include "support/registry/RegistryBoolean.h"
#include "support/registry/RegistryKey.h"
#include "support/win32/Win32Error.h"

#include <utility>

namespace jitswap {

RegistrySettingsStore::RegistrySettingsStore(HKEY root, std::wstring basePath)
    : m_root(root), m_basePath(std::move(basePath))
{
}

RegistrySettingsStore::OpenSection& RegistrySettingsStore::Section(std::wstring_view section)
{
    for (OpenSection& open : m_sections) {
        if (open.name == section) return open;
    }
    return m_sections.emplace_back(OpenSection{std::wstring(section), nullptr, nullptr});
}

// The raw value, or std::nullopt when the section key or the value is absent.
std::optional<RawRegistryValue> RegistrySettingsStore::ReadRaw(std::wstring_view section, std::wstring_view key)
{
    OpenSection& open = Section(section);
    if (!OpenForReading(open)) return std::nullopt;
    return QueryRegistryValue(open.forReading.get(), std::wstring(key).c_str());
}

// False when the section's key is absent.
bool RegistrySettingsStore::OpenForReading(OpenSection& open)
{
    if (open.forReading) return true;
    // An absent section is looked for again next time: a write may create it meanwhile.
    const std::wstring path = m_basePath + L"\\" + open.name;
    ThrowIfFailed(OpenKeyIfPresent(m_root, path.c_str(), KEY_QUERY_VALUE, open.forReading),
                  "Opening a settings section");
    return static_cast<bool>(open.forReading);
}

std::optional<std::wstring> RegistrySettingsStore::ReadText(std::wstring_view section, std::wstring_view key,
                                                            std::wstring_view defaultValue)
{
    const auto value = ReadRaw(section, key);
    if (!value) return std::wstring(defaultValue);
    return RegistryValueAsText(value->type, value->data);
}

std::optional<bool> RegistrySettingsStore::ReadBoolean(std::wstring_view section, std::wstring_view key,
                                                       bool defaultValue)
{
    const auto value = ReadRaw(section, key);
    if (!value) return defaultValue;
    return RegistryValueAsBoolean(value->type, value->data);
}

void RegistrySettingsStore::WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value)
{
    ThrowIfFailed(WriteRegistryText(SectionForWriting(section), std::wstring(key).c_str(), value), "Writing a setting");
}

void RegistrySettingsStore::WriteBoolean(std::wstring_view section, std::wstring_view key, bool value)
{
    const DWORD stored = value ? 0xFFFFFFFFu : 0u;
    ThrowIfFailed(RegSetValueExW(SectionForWriting(section), std::wstring(key).c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&stored), sizeof stored),
                  "Writing a setting");
}

HKEY RegistrySettingsStore::SectionForWriting(std::wstring_view section)
{
    OpenSection& open = Section(section);
    if (!open.forWriting) {
        HKEY created = nullptr;
        const std::wstring path = m_basePath + L"\\" + open.name;
        ThrowIfFailed(RegCreateKeyExW(m_root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr),
                      "Creating a settings section");
        open.forWriting.reset(created);
    }
    return open.forWriting.get();
}

bool RegistrySettingsStore::SectionExists(std::wstring_view section)
{
    return OpenForReading(Section(section));
}

void RegistrySettingsStore::CreateSection(std::wstring_view section)
{
    SectionForWriting(section);
}

void RegistrySettingsStore::RenameSection(std::wstring_view from, std::wstring_view to)
{
    Forget(from);
    Forget(to);
    HKEY base = nullptr;
    ThrowIfFailed(RegOpenKeyExW(m_root, m_basePath.c_str(), 0, KEY_WRITE, &base), "Opening the settings");
    const UniqueHKey owned(base);
    ThrowIfFailed(RegRenameKey(base, std::wstring(from).c_str(), std::wstring(to).c_str()),
                  "Renaming a settings section");
}

void RegistrySettingsStore::DeleteSection(std::wstring_view section)
{
    Forget(section);
    const std::wstring path = m_basePath + L"\\" + std::wstring(section);
    const LSTATUS status = RegDeleteTreeW(m_root, path.c_str());
    if (status != ERROR_FILE_NOT_FOUND) ThrowIfFailed(status, "Deleting a settings section");
}

void RegistrySettingsStore::Forget(std::wstring_view section)
{
    std::erase_if(m_sections, [&](const OpenSection& open) { return open.name == section; });
}

} // namespace jitswap
