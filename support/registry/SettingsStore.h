#pragma once
// The per-application settings store: named sections of text and boolean values that outlive
// the process. Platform-free, so the code that uses it is also built and tested natively.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace jitswap {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // A key never written reads as the default. A value stored in a shape that cannot be read
    // as the kind asked for (written by hand or by another program) reads as std::nullopt, so
    // the caller decides what an unreadable value means. Failures of the store itself throw.
    virtual std::optional<std::wstring> ReadText(std::wstring_view section, std::wstring_view key,
                                                 std::wstring_view defaultValue) = 0;
    virtual std::optional<bool> ReadBoolean(std::wstring_view section, std::wstring_view key,
                                            bool defaultValue) = 0;

    // A written value reads back unchanged. Failures throw.
    virtual void WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) = 0;
    virtual void WriteBoolean(std::wstring_view section, std::wstring_view key, bool value) = 0;

    // Whole sections, so that a section can be written under another name and then take the
    // place of the one it replaces in a single step. Failures throw.
    virtual bool SectionExists(std::wstring_view section) = 0;
    // An existing section stays as it is.
    virtual void CreateSection(std::wstring_view section) = 0;
    // Throws when `from` is absent or `to` exists already.
    virtual void RenameSection(std::wstring_view from, std::wstring_view to) = 0;
    // The section and everything in it; an absent section is not an error.
    virtual void DeleteSection(std::wstring_view section) = 0;
};

// Opens a store for the duration of one load or save; it may throw when the store cannot be reached.
using SettingsStoreOpener = std::function<std::unique_ptr<SettingsStore>()>;

} // namespace jitswap
