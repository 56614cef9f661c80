#include "app/KeepPreviousSetting.h"

#include "catalogue/CDebuggers.h"
#include "catalogue/EntryInForce.h"
#include "catalogue/PreviousSetting.h"
#include "support/window/MessageBox.h"

#include <optional>

namespace jitswap {
namespace {

// Held already: by the entry in force, or by one that would write back what the system holds. The
// second covers a setting made in one view only (a fresh Wine prefix has no 32-bit key), which no
// entry can hold exactly; keeping it would only add a copy of that entry.
bool HeldByAnEntry(const CDebuggers& catalogue, const SystemDebuggerState& current)
{
    if (EntryInForce(catalogue, current)) return true;
    const DebuggerChoice held = ChoiceFromState(current);
    for (std::int32_t i = 0; i < catalogue.Count(); ++i) {
        if (WritesTheSame(catalogue.Entry(i).choice, held)) return true;
    }
    return false;
}

std::wstring FullCatalogueQuestion(const DebuggerChoice& previous)
{
    std::wstring text = L"Отладчика, который сейчас установлен в системе, нет в списке, а список полон, и "
                        L"сохранить его некуда:\n\n" +
                        previous.commandLine;
    if (!previous.commandLine32.empty()) text += L"\n" + previous.commandLine32 + L" (для 32-битных программ)";
    return text + L"\n\nВсё равно установить новый отладчик? Прежний будет потерян.";
}

KeepPreviousResult Answer(const std::wstring& question)
{
    return ShowMessage(question, kStyleWarningQuestion) == IDYES ? KeepPreviousResult::GoOn : KeepPreviousResult::Declined;
}

} // namespace

KeepPreviousResult KeepPreviousSetting(const DebuggerChoice& chosen, const std::optional<SystemDebuggerState>& read,
                                       const SettingsStoreOpener& openStore)
{
    // A setting that cannot be read (a key only administrators may read, a `Debugger` that is no
    // text) can be neither kept nor shown: whether to lose it is the user's choice.
    if (!read || read->native.unreadable || (read->wow32 && read->wow32->unreadable))
        return Answer(L"Прежний отладчик не удалось прочитать; он будет потерян. Продолжить?");
    const SystemDebuggerState& current = *read;
    {
        // The load, the addition and the save are one turn of the store, so that no other save (the
        // list dialog's, another switch's) falls between them. The turn is this thread's: the
        // stores opened inside take it again at once.
        const auto turn = openStore();
        CDebuggers catalogue(openStore);
        catalogue.ReadDebuggers();
        const bool full = catalogue.Count() >= CDebuggers::Capacity;
        switch (PlanPreviousSetting(current, chosen, HeldByAnEntry(catalogue, current), full)) {
        case PreviousSettingStep::None:
            return KeepPreviousResult::GoOn;
        case PreviousSettingStep::Keep:
            catalogue.Add(PreviousSettingEntry(current));
            return catalogue.SaveDebuggers() ? KeepPreviousResult::GoOn : KeepPreviousResult::SaveFailed;
        case PreviousSettingStep::AskFirst:
            break;
        }
    }
    // Asked outside the turn: another process must not wait for the user.
    return Answer(FullCatalogueQuestion(ChoiceFromState(current)));
}

} // namespace jitswap
