// The catalogue in the settings store: section "Debuggers", one slot per entry, four keys a slot.
// The fourth came later: a catalogue stored without it loads with the same command line for both
// kinds of program, and the earlier version, which reads only the first three, still loads ours.
// A save replaces the section as a whole (catalogue/CatalogueSwap.h).

#include "catalogue/CatalogueSwap.h"
#include "catalogue/CDebuggers.h"
#include "support/text/NumberText.h"
#include "support/win32/Failure.h"
#include "support/win32/SkipOnFailure.h"

#include <exception>
#include <string_view>

namespace jitswap {
namespace {

constexpr std::wstring_view kTitlePrefix = L"Title ";
constexpr std::wstring_view kCommandLinePrefix = L"Command Line ";
constexpr std::wstring_view kAutoPrefix = L"Auto ";
constexpr std::wstring_view kCommandLine32Prefix = L"Command Line (32-bit) ";

std::wstring SlotKey(std::wstring_view prefix, std::int32_t slot)
{
    return std::wstring(prefix) + NumberText(static_cast<unsigned>(slot));
}

std::unique_ptr<SettingsStore> OpenStore(const SettingsStoreOpener& openStore)
{
    auto store = openStore();
    if (!store) throw Failure("The settings store could not be opened");
    return store;
}

CatalogueSections FindSections(SettingsStore& store)
{
    return {store.SectionExists(kCatalogueSection), store.SectionExists(kCatalogueStagingSection),
            store.SectionExists(kCataloguePreviousSection)};
}

void Repair(SettingsStore& store, SwapRepair repair)
{
    switch (repair) {
    case SwapRepair::DeleteStaging:
        store.DeleteSection(kCatalogueStagingSection);
        break;
    case SwapRepair::DeletePrevious:
        // Whatever the plan: the catalogue set aside goes only once another one is in place.
        if (store.SectionExists(kCatalogueSection)) store.DeleteSection(kCataloguePreviousSection);
        break;
    case SwapRepair::StagingToCurrent:
        store.RenameSection(kCatalogueStagingSection, kCatalogueSection);
        break;
    case SwapRepair::PreviousToCurrent:
        store.RenameSection(kCataloguePreviousSection, kCatalogueSection);
        break;
    }
}

} // namespace

void CDebuggers::ReadDebuggers()
{
    m_entries.clear();
    const auto store = OpenStore(m_openStore);
    // A swap cut short is finished or discarded here. Where the store refuses a repair (a key
    // closed to this user), the repairs stop, since each one counts on those before it; the whole
    // catalogue is read from where the cut left it, and the next load plans again.
    SwapRecovery recovery = PlanSwapRecovery(FindSections(*store));
    if (!recovery.repairs.empty()) {
        SkipOnFailure([&] {
            for (const SwapRepair repair : recovery.repairs) Repair(*store, repair);
        });
        recovery = PlanSwapRecovery(FindSections(*store));
    }
    const std::wstring_view section = SectionOf(recovery.source);
    if (section.empty()) return;

    for (std::int32_t slot = 0; slot < Capacity; ++slot) {
        // Values another program stored in a shape that cannot be read as text or boolean must
        // not keep the program from starting: such a title marks the slot vacant, such a command
        // line reads as empty and such a flag as false. A failure of the store itself is thrown.
        const auto title = store->ReadText(section, SlotKey(kTitlePrefix, slot), L"");
        if (!title || title->empty()) continue;
        auto commandLine = store->ReadText(section, SlotKey(kCommandLinePrefix, slot), L"");
        const auto autoStart = store->ReadBoolean(section, SlotKey(kAutoPrefix, slot), false);
        auto commandLine32 = store->ReadText(section, SlotKey(kCommandLine32Prefix, slot), L"");
        m_entries.push_back(DebuggerEntry{*title, DebuggerChoice{std::move(commandLine).value_or(L""),
                                                                 std::move(commandLine32).value_or(L""),
                                                                 autoStart.value_or(false)}});
    }
}

bool CDebuggers::IsStored() const
{
    // A save cut short still left a whole catalogue somewhere, so it counts as stored.
    const auto store = OpenStore(m_openStore);
    return PlanSwapRecovery(FindSections(*store)).source != CatalogueSource::Nothing;
}

bool CDebuggers::SaveDebuggers() const
{
    // The caller is a dialog's confirmation or a switch: no failure here may end the program.
    std::unique_ptr<SettingsStore> store;
    bool staging = false;
    try {
        store = OpenStore(m_openStore);
        for (const SwapRepair repair : PlanSwapRecovery(FindSections(*store)).repairs) Repair(*store, repair);
        // With a section in place from the start, a staging section alone is always unfinished.
        store->CreateSection(kCatalogueSection);
        staging = true;
        for (std::int32_t slot = 0; slot < Capacity; ++slot) {
            const DebuggerEntry& entry = Entry(slot);
            store->WriteText(kCatalogueStagingSection, SlotKey(kTitlePrefix, slot), entry.title);
            store->WriteText(kCatalogueStagingSection, SlotKey(kCommandLinePrefix, slot), entry.choice.commandLine);
            store->WriteBoolean(kCatalogueStagingSection, SlotKey(kAutoPrefix, slot), entry.choice.autoStart);
            store->WriteText(kCatalogueStagingSection, SlotKey(kCommandLine32Prefix, slot), entry.choice.commandLine32);
        }
        store->RenameSection(kCatalogueSection, kCataloguePreviousSection);
    } catch (const std::exception&) {
        // Before staging began, a staging section may be a whole catalogue that a cut-short
        // swap left behind and the next load still needs.
        if (staging) SkipOnFailure([&] { store->DeleteSection(kCatalogueStagingSection); });
        return false;
    }
    try {
        store->RenameSection(kCatalogueStagingSection, kCatalogueSection);
    } catch (const std::exception&) {
        // Past the point of no return the next load would finish the swap; the user is told the
        // save failed, so the old catalogue goes back if the store lets it.
        SkipOnFailure([&] {
            store->RenameSection(kCataloguePreviousSection, kCatalogueSection);
            store->DeleteSection(kCatalogueStagingSection);
        });
        return false;
    }
    // The new catalogue is in place; a section left over here goes at the next load or save.
    SkipOnFailure([&] { store->DeleteSection(kCataloguePreviousSection); });
    return true;
}

bool CDebuggers::SaveKeepingEntriesAddedSince(const CDebuggers& earlier, bool dropWhatDoesNotFit,
                                              std::wstring& notFitting)
{
    const auto own = m_entries.size();
    bool saved = false;
    try {
        const auto turn = OpenStore(m_openStore);
        CDebuggers stored(m_openStore);
        stored.ReadDebuggers();
        std::vector<bool> matched(earlier.m_entries.size());
        for (const DebuggerEntry& entry : stored.m_entries) {
            std::size_t i = 0;
            while (i < matched.size() && (matched[i] || earlier.m_entries[i] != entry)) ++i;
            if (i < matched.size()) {
                matched[i] = true;
            } else if (!IndexOf(entry) && !Add(entry)) {
                if (!notFitting.empty()) notFitting += L'\n';
                notFitting += entry.title;
            }
        }
        saved = (dropWhatDoesNotFit || notFitting.empty()) && SaveDebuggers();
    } catch (const std::exception&) {
    }
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(own), m_entries.end());
    return saved;
}

} // namespace jitswap
