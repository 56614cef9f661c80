#pragma once
// The settings store in the registry: one key per section under a base key, text as REG_SZ and
// booleans as REG_DWORD (true 0xFFFFFFFF, false 0).

#include "support/registry/RegistryQuery.h"
#include "support/registry/SettingsStore.h"
#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace jitswap {

class RegistrySettingsStore : public SettingsStore {
public:
    // `basePath` is a subkey of `root`, such as L"Software\\Quarvel\\Jitswap". Nothing is opened
    // or created until a value is read or written; a section's key, once opened, stays open for
    // the life of the store, which is one load or one save.
    RegistrySettingsStore(HKEY root, std::wstring basePath);

    // Reads never create a key: a missing section or value reads as the default.
    std::optional<std::wstring> ReadText(std::wstring_view section, std::wstring_view key,
                                         std::wstring_view defaultValue) override;
    std::optional<bool> ReadBoolean(std::wstring_view section, std::wstring_view key,
                                    bool defaultValue) override;

    // Writes create the section key when it is missing.
    void WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) override;
    void WriteBoolean(std::wstring_view section, std::wstring_view key, bool value) override;

    // A section is a key; renaming it keeps its values and its security.
    bool SectionExists(std::wstring_view section) override;
    void CreateSection(std::wstring_view section) override;
    void RenameSection(std::wstring_view from, std::wstring_view to) override;
    void DeleteSection(std::wstring_view section) override;

private:
    struct OpenSection {
        std::wstring name;
        UniqueHKey forReading;
        UniqueHKey forWriting;
    };

    OpenSection& Section(std::wstring_view section);
    // A renamed or deleted key's handles would follow it or go stale: they are closed first.
    void Forget(std::wstring_view section);
    bool OpenForReading(OpenSection& open);
    std::optional<RawRegistryValue> ReadRaw(std::wstring_view section, std::wstring_view key);
    HKEY SectionForWriting(std::wstring_view section);

    HKEY m_root;
    std::wstring m_basePath;
    std::vector<OpenSection> m_sections;
};

} // namespace jitswap
