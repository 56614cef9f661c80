#pragma once
// The catalogue of debuggers the user knows, in a stable order, with its load and save in the
// settings store. Platform-free, so it is built and tested natively as well.

#include "catalogue/DebuggerEntry.h"
#include "support/registry/SettingsStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jitswap {

// What the user is told when the store refuses a save (CDebuggers::SaveDebuggers).
inline constexpr wchar_t kCatalogueSaveFailedMessage[] = L"Не удалось сохранить список отладчиков!";

class CDebuggers {
public:
    // One entry per storage slot.
    static constexpr std::int32_t Capacity = 30;

    explicit CDebuggers(SettingsStoreOpener openStore);

    std::int32_t Count() const;

    // False, with nothing changed, for an index outside 0 to Count - 1.
    bool Remove(std::int32_t index);

    // Appends at the end. False, with nothing changed, when the catalogue is full or the title is empty.
    bool Add(DebuggerEntry entry);

    // Puts `entry` in the place of entry `index`. False, with nothing changed, for an index out of
    // range or an empty title.
    bool Replace(std::int32_t index, DebuggerEntry entry);

    // An index out of range reads as an entry with every field empty. The reference stays valid
    // until the catalogue changes.
    const DebuggerEntry& Entry(std::int32_t index) const;

    // The first entry equal to `entry` in every field, or none.
    std::optional<std::int32_t> IndexOf(const DebuggerEntry& entry) const;

    // Replaces the catalogue with the stored one, finishing or discarding a save that was cut
    // short. The entries held before are dropped first, so a store failure, which is thrown,
    // leaves only the entries read completely before it.
    void ReadDebuggers();

    // False until a catalogue was saved once; one the user emptied is stored too. Store failures throw.
    bool IsStored() const;

    // Replaces the stored catalogue as a whole, every slot written, the vacant ones too. False
    // when the store refused any part of it: the stored catalogue is then the one held before.
    // Nothing is thrown. A save or load cut short by the end of the process leaves either the
    // old or the new catalogue for the next load.
    [[nodiscard]] bool SaveDebuggers() const;

    // Saves this catalogue followed by the entries another program stored since `earlier` was read
    // that this one does not hold; the reading and the save are one turn of the store. Those that
    // do not fit are named in `notFitting`, a title a line, and then nothing is saved unless
    // `dropWhatDoesNotFit`. False when nothing was saved. The catalogue itself stays as it is;
    // nothing is thrown.
    [[nodiscard]] bool SaveKeepingEntriesAddedSince(const CDebuggers& earlier, bool dropWhatDoesNotFit,
                                                    std::wstring& notFitting);

private:
    bool Holds(std::int32_t index) const;

    SettingsStoreOpener m_openStore;
    std::vector<DebuggerEntry> m_entries;
};

} // namespace jitswap
