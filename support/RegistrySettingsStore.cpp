#include "support/RegistrySettingsStore.h"

#include "support/RegistryBoolean.h"
#include "support/Win32Error.h"

#include <limits>
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
    if (!open.forReading) {
        // An absent section is looked for again next time: a write may create it meanwhile.
        HKEY opened = nullptr;
        const std::wstring path = m_basePath + L"\\" + open.name;
        const LSTATUS status = RegOpenKeyExW(m_root, path.c_str(), 0, KEY_QUERY_VALUE, &opened);
        if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
        ThrowIfFailed(status, "Opening a settings section");
        open.forReading.reset(opened);
    }
    return QueryRegistryValue(open.forReading.get(), std::wstring(key).c_str());
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
    // A size the registry cannot express must not be cut short silently.
    if (value.size() >= std::numeric_limits<DWORD>::max() / sizeof(wchar_t))
        throw Win32Error("Writing a setting", ERROR_INVALID_DATA);
    // REG_SZ carries its terminating NUL.
    const std::wstring terminated(value);
    const auto size = static_cast<DWORD>((terminated.size() + 1) * sizeof(wchar_t));
    WriteValue(section, key, REG_SZ, terminated.c_str(), size);
}

void RegistrySettingsStore::WriteBoolean(std::wstring_view section, std::wstring_view key, bool value)
{
    const DWORD stored = value ? 0xFFFFFFFFu : 0u;
    WriteValue(section, key, REG_DWORD, &stored, sizeof stored);
}

void RegistrySettingsStore::WriteValue(std::wstring_view section, std::wstring_view key, DWORD type,
                                       const void* data, DWORD size)
{
    OpenSection& open = Section(section);
    if (!open.forWriting) {
        HKEY created = nullptr;
        const std::wstring path = m_basePath + L"\\" + open.name;
        ThrowIfFailed(RegCreateKeyExW(m_root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr),
                      "Creating a settings section");
        open.forWriting.reset(created);
    }
    ThrowIfFailed(RegSetValueExW(open.forWriting.get(), std::wstring(key).c_str(), 0, type,
                                 static_cast<const BYTE*>(data), size),
                  "Writing a setting");
}

} // namespace jitswap
