#include "support/RegistrySettingsStore.h"

#include "support/RegistryBoolean.h"
#include "support/RegistryQuery.h"
#include "support/UniqueHandle.h"
#include "support/Win32Error.h"

#include <limits>
#include <utility>

namespace jitswap {
namespace {

// The raw value, or std::nullopt when the section key or the value is absent.
std::optional<RawRegistryValue> ReadRaw(HKEY root, const std::wstring& sectionPath, std::wstring_view key)
{
    HKEY opened = nullptr;
    const LSTATUS status = RegOpenKeyExW(root, sectionPath.c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    ThrowIfFailed(status, "Opening a settings section");
    const UniqueHKey section(opened);
    return QueryRegistryValue(section.get(), std::wstring(key).c_str());
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(HKEY root, std::wstring basePath)
    : m_root(root), m_basePath(std::move(basePath))
{
}

std::wstring RegistrySettingsStore::SectionPath(std::wstring_view section) const
{
    return m_basePath + L"\\" + std::wstring(section);
}

std::optional<std::wstring> RegistrySettingsStore::ReadText(std::wstring_view section, std::wstring_view key,
                                                            std::wstring_view defaultValue)
{
    const auto value = ReadRaw(m_root, SectionPath(section), key);
    if (!value) return std::wstring(defaultValue);
    return RegistryValueAsText(value->type, value->data);
}

std::optional<bool> RegistrySettingsStore::ReadBoolean(std::wstring_view section, std::wstring_view key,
                                                       bool defaultValue)
{
    const auto value = ReadRaw(m_root, SectionPath(section), key);
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
    HKEY created = nullptr;
    ThrowIfFailed(RegCreateKeyExW(m_root, SectionPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &created, nullptr),
                  "Creating a settings section");
    const UniqueHKey sectionKey(created);
    ThrowIfFailed(RegSetValueExW(sectionKey.get(), std::wstring(key).c_str(), 0, type,
                                 static_cast<const BYTE*>(data), size),
                  "Writing a setting");
}

} // namespace jitswap
