// The catalogue in the settings store: section "Debuggers", one slot per entry, four keys a slot.
// The fourth came later: a catalogue stored without it loads with the same command line for both
// kinds of program, and the earlier version, which reads only the first three, still loads ours.

#include "catalogue/CDebuggers.h"
#include "support/SkipOnFailure.h"

#include <exception>
#include <stdexcept>
#include <string_view>

namespace jitswap {
namespace {

constexpr std::wstring_view kSection = L"Debuggers";
constexpr std::wstring_view kTitlePrefix = L"Title ";
constexpr std::wstring_view kCommandLinePrefix = L"Command Line ";
constexpr std::wstring_view kAutoPrefix = L"Auto ";
constexpr std::wstring_view kCommandLine32Prefix = L"Command Line (32-bit) ";

std::wstring SlotKey(std::wstring_view prefix, std::int32_t slot)
{
    return std::wstring(prefix) + std::to_wstring(slot);
}

std::unique_ptr<SettingsStore> OpenStore(const SettingsStoreOpener& openStore)
{
    auto store = openStore();
    if (!store) throw std::runtime_error("The settings store could not be opened");
    return store;
}

} // namespace

void CDebuggers::ReadDebuggers()
{
    m_entries.clear();
    const auto store = OpenStore(m_openStore);
    for (std::int32_t slot = 0; slot < Capacity; ++slot) {
        // Values another program stored in a shape that cannot be read as text or boolean must
        // not keep the program from starting: such a title marks the slot vacant, such a command
        // line reads as empty and such a flag as false. A failure of the store itself is thrown.
        const auto title = store->ReadText(kSection, SlotKey(kTitlePrefix, slot), L"");
        if (!title || title->empty()) continue;
        auto commandLine = store->ReadText(kSection, SlotKey(kCommandLinePrefix, slot), L"");
        const auto autoStart = store->ReadBoolean(kSection, SlotKey(kAutoPrefix, slot), false);
        auto commandLine32 = store->ReadText(kSection, SlotKey(kCommandLine32Prefix, slot), L"");
        m_entries.push_back(DebuggerEntry{*title, std::move(commandLine).value_or(L""), autoStart.value_or(false),
                                          std::move(commandLine32).value_or(L"")});
    }
}

void CDebuggers::SaveDebuggers() const
{
    // The caller is a dialog's confirmation: no failure here may end the program. Without a store
    // every one of the writes below would fail, so there is nothing left to do.
    std::unique_ptr<SettingsStore> store;
    try {
        store = OpenStore(m_openStore);
    } catch (const std::exception&) {
        return;
    }
    // A failing write costs only its own key; every other value is still written.
    for (std::int32_t slot = 0; slot < Capacity; ++slot) {
        SkipOnFailure([&] { store->WriteText(kSection, SlotKey(kTitlePrefix, slot), Title(slot)); });
        SkipOnFailure(
            [&] { store->WriteText(kSection, SlotKey(kCommandLinePrefix, slot), CommandLine(slot)); });
        SkipOnFailure([&] { store->WriteBoolean(kSection, SlotKey(kAutoPrefix, slot), Auto(slot)); });
        SkipOnFailure(
            [&] { store->WriteText(kSection, SlotKey(kCommandLine32Prefix, slot), CommandLine32(slot)); });
    }
}

} // namespace jitswap
