#include "tests/dialogs/ScratchCatalogue.h"

#include "catalogue/CDebuggers.h"
#include "support/registry/RegistrySettingsStore.h"
#include "support/text/TextConversion.h"
#include "tests/common/UiTestSupport.h"

#include <ostream>
#include <string>

namespace jitswap::test {
namespace {

constexpr wchar_t kScratchPath[] = L"Software\\Quarvel\\JitswapDialogsTest";

class CountingStore final : public SettingsStore {
public:
    explicit CountingStore(std::shared_ptr<int> writes) : m_writes(std::move(writes)) {}

    std::optional<std::wstring> ReadText(std::wstring_view section, std::wstring_view key,
                                         std::wstring_view defaultValue) override
    {
        return m_store.ReadText(section, key, defaultValue);
    }
    std::optional<bool> ReadBoolean(std::wstring_view section, std::wstring_view key, bool defaultValue) override
    {
        return m_store.ReadBoolean(section, key, defaultValue);
    }
    void WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) override
    {
        ++*m_writes;
        m_store.WriteText(section, key, value);
    }
    void WriteBoolean(std::wstring_view section, std::wstring_view key, bool value) override
    {
        ++*m_writes;
        m_store.WriteBoolean(section, key, value);
    }
    bool SectionExists(std::wstring_view section) override { return m_store.SectionExists(section); }
    void CreateSection(std::wstring_view section) override { m_store.CreateSection(section); }
    void RenameSection(std::wstring_view from, std::wstring_view to) override { m_store.RenameSection(from, to); }
    void DeleteSection(std::wstring_view section) override { m_store.DeleteSection(section); }

private:
    RegistrySettingsStore m_store{HKEY_CURRENT_USER, kScratchPath};
    std::shared_ptr<int> m_writes;
};

} // namespace

void ScratchCatalogue::SetUp()
{
    DeleteRegistryTree(HKEY_CURRENT_USER, kScratchPath);
}

void ScratchCatalogue::TearDown()
{
    DeleteRegistryTree(HKEY_CURRENT_USER, kScratchPath);
}

SettingsStoreOpener ScratchCatalogue::Opener()
{
    return [writes = m_writes] { return std::make_unique<CountingStore>(writes); };
}

void ScratchCatalogue::Store(const std::vector<DebuggerEntry>& entries)
{
    CDebuggers catalogue(Opener());
    for (const DebuggerEntry& entry : entries) ASSERT_TRUE(catalogue.Add(entry));
    ASSERT_TRUE(catalogue.SaveDebuggers());
    *m_writes = 0;
}

std::vector<DebuggerEntry> ScratchCatalogue::Stored()
{
    CDebuggers catalogue(Opener());
    catalogue.ReadDebuggers();
    std::vector<DebuggerEntry> entries;
    for (std::int32_t i = 0; i < catalogue.Count(); ++i)
        entries.push_back(catalogue.Entry(i));
    return entries;
}

std::vector<DebuggerEntry> ScratchCatalogue::Numbered(int count)
{
    std::vector<DebuggerEntry> entries;
    for (int i = 1; i <= count; ++i)
        entries.push_back({L"Отладчик " + std::to_wstring(i), {L"dbg" + std::to_wstring(i) + L".exe -p %ld", L"", i % 2 == 0}});
    return entries;
}

} // namespace jitswap::test

namespace jitswap {

void PrintTo(const DebuggerEntry& entry, std::ostream* out)
{
    *out << "{\"" << WideToUtf8(entry.title) << "\", \"" << WideToUtf8(entry.choice.commandLine) << "\", "
         << (entry.choice.autoStart ? "auto" : "manual") << ", \"" << WideToUtf8(entry.choice.commandLine32) << "\"}";
}

} // namespace jitswap
