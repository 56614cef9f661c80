#pragma once
// An in-memory settings store for tests, with failures on demand. The values live in a
// MemorySettings shared by every store its opener hands out, so a save is seen by a later load.

#include "support/registry/SettingsStore.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace jitswap::testing {

// A value stored in a shape that cannot be read as any kind.
struct Unreadable {
    bool operator==(const Unreadable&) const = default;
};
using MemoryValue = std::variant<std::wstring, bool, Unreadable>;

struct MemorySettings {
    std::map<std::pair<std::wstring, std::wstring>, MemoryValue> values;   // (section, key)
    // Sections created without values; a section with values exists as well.
    std::set<std::wstring> emptySections;

    // Every read or write of these keys throws.
    std::set<std::wstring> failingKeys;
    // Once this many operations succeeded, every later one throws, as a store that went away.
    std::optional<int> operationsBeforeFailure;
    bool failToOpen = false;
    // Creating, renaming and deleting sections throws, as for keys closed to the user.
    bool refuseSectionChanges = false;

    // Every operation tried, failed ones included: "read Title 0", "write Auto 3", "rename
    // Debuggers", "delete Debuggers.new"; a section's name stands where a key's does.
    std::vector<std::wstring> log;
    int opens = 0;

    SettingsStoreOpener Opener();
};

class MemorySettingsStore final : public SettingsStore {
public:
    explicit MemorySettingsStore(MemorySettings& settings) : m_settings(settings) {}

    std::optional<std::wstring> ReadText(std::wstring_view section, std::wstring_view key,
                                         std::wstring_view defaultValue) override;
    std::optional<bool> ReadBoolean(std::wstring_view section, std::wstring_view key, bool defaultValue) override;
    void WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) override;
    void WriteBoolean(std::wstring_view section, std::wstring_view key, bool value) override;
    bool SectionExists(std::wstring_view section) override;
    void CreateSection(std::wstring_view section) override;
    void RenameSection(std::wstring_view from, std::wstring_view to) override;
    void DeleteSection(std::wstring_view section) override;

private:
    void BeginSectionChange(const wchar_t* operation, std::wstring_view section);
    bool Holds(const std::wstring& section) const;

    // Logs the operation and throws when it is to fail; the stored value, if any, otherwise.
    const MemoryValue* Begin(const wchar_t* operation, std::wstring_view section, std::wstring_view key);

    MemorySettings& m_settings;
};

} // namespace jitswap::testing
