#include "app/Commands.h"

#include "aedebug/CommandLineCheck.h"
#include "aedebug/DiagnosisReading.h"
#include "aedebug/TestCrash.h"
#include "app/CrashChooser.h"
#include "app/SwitchRequest.h"
#include "catalogue/CDebuggers.h"
#include "catalogue/EntryInForce.h"
#include "support/process/ConsoleOutput.h"
#include "support/registry/OpenAppSettingsStore.h"
#include "support/text/NumberText.h"
#include "support/window/RunTimeError.h"

#include <optional>

namespace jitswap {

static_assert(kExitRunTimeError == kRunTimeErrorExitCode);

namespace {

constexpr const wchar_t* kUsage[] = {
    L"Jitswap выбирает отладчик, который Windows запускает при сбое программы.",
    L"",
    L"  jitswap                   значок в области уведомлений, как обычно",
    L"  jitswap /list             список отладчиков; * отмечает установленный сейчас",
    L"  jitswap /current          что установлено в системе сейчас",
    L"  jitswap /use N            установить отладчик с номером N из списка (от 1)",
    L"  jitswap /use \"Название\"   установить первый отладчик с этим названием",
    L"  jitswap /check            запустится ли отладчик при сбое и почему нет (ошибки, предупреждения)",
    L"  jitswap /check /crash     то же и пробный сбой 64- и 32-битной программы",
    L"  jitswap /check /crash 64  то же, сбой только 64-битной программы (или 32)",
    L"  jitswap /?                эта справка",
    L"",
    L"Если для смены отладчика нужны права администратора, Windows попросит подтверждения.",
    L"Коды завершения:",
    L"  0 - выполнено;",
    L"  1 - система отказала или команда не выполнена, ничего не изменено;",
    L"  2 - неверный параметр или нет такого отладчика, ничего не изменено;",
    L"  3 - пользователь отказался (в правах администратора или в ответ на вопрос);",
    L"  4 - смена не удалась, и прежние значения вернуть полностью не удалось;",
    L"  5 - ошибка выполнения.",
    L"  /check: 0 - ошибок в настройке нет, 1 - есть; с /crash: 0 - при сбое случилось",
    L"  то, что обещает настройка, 1 - нет.",
};

std::wstring Numbered(const CDebuggers& catalogue, std::int32_t index)
{
    return NumberText(static_cast<unsigned>(index + 1)) + L". " + catalogue.Entry(index).title;
}

std::wstring Shown(const std::wstring& value)
{
    return value.empty() ? L"(нет)" : value;
}

CDebuggers LoadCatalogue()
{
    CDebuggers catalogue(OpenAppSettingsStore);
    catalogue.ReadDebuggers();
    return catalogue;
}

int ShowUsage(ConsoleOutput& console)
{
    for (const wchar_t* line : kUsage) console.Line(line);
    return kExitDone;
}

int ListDebuggers(ConsoleOutput& console)
{
    const CDebuggers catalogue = LoadCatalogue();
    if (catalogue.Count() == 0) {
        console.Line(L"Список отладчиков пуст.");
        return kExitDone;
    }
    const std::optional<std::int32_t> inForce = EntryInForce(catalogue, ReadSystemDebuggerState());
    for (std::int32_t i = 0; i < catalogue.Count(); ++i) {
        const DebuggerChoice& choice = catalogue.Entry(i).choice;
        console.Line((inForce == i ? L"* " : L"  ") + Numbered(catalogue, i));
        console.Line(L"     Командная строка: " + Shown(choice.commandLine));
        if (!choice.commandLine32.empty()) console.Line(L"     Для 32-битных программ: " + choice.commandLine32);
        console.Line(std::wstring(L"     Автоматический вызов: ") + (choice.autoStart ? L"да" : L"нет"));
    }
    console.Line(inForce ? L"* - отладчик, установленный сейчас."
                         : L"Установленный сейчас отладчик не совпадает ни с одним из списка (Неизвестный).");
    return kExitDone;
}

void ShowView(ConsoleOutput& console, const wchar_t* heading, const AeDebugView& view)
{
    console.Line(heading);
    console.Line(L"  Debugger: " + Shown(view.debugger));
    console.Line(std::wstring(L"  Auto: ") + (view.autoStart ? L"1" : L"0"));
}

int ShowCurrent(ConsoleOutput& console)
{
    const SystemDebuggerState state = ReadSystemDebuggerState();
    if (state.wow32) {
        ShowView(console, L"Для 64-битных программ:", state.native);
        ShowView(console, L"Для 32-битных программ:", *state.wow32);
    } else {
        ShowView(console, L"Для всех программ:", state.native);
    }
    const CDebuggers catalogue = LoadCatalogue();
    const std::optional<std::int32_t> inForce = EntryInForce(catalogue, state);
    console.Line(L"Из списка: " + (inForce ? Numbered(catalogue, *inForce) : L"ни один (Неизвестный)"));
    return kExitDone;
}

int UseDebugger(ConsoleOutput& console, const std::wstring& entry)
{
    const CDebuggers catalogue = LoadCatalogue();
    const std::optional<std::int32_t> index = FindEntry(catalogue, entry);
    if (!index) {
        console.ErrorLine(L"В списке нет отладчика «" + entry + L"». Список: jitswap /list");
        return kExitBadUsage;
    }
    const SwitchReport report = RequestSwitch(catalogue.Entry(*index).choice, console.Window(), OpenAppSettingsStore);
    switch (report.outcome) {
    case SwitchOutcome::Done:
        console.Line(L"Установлен отладчик " + Numbered(catalogue, *index) + L".");
        return kExitDone;
    case SwitchOutcome::Cancelled:
        console.ErrorLine(report.message.empty() ? L"Отладчик не изменён: права администратора не получены."
                                                 : report.message);
        return kExitCancelled;
    case SwitchOutcome::PartlyChanged:
        console.ErrorLine(report.message);
        return kExitPartlyChanged;
    case SwitchOutcome::Refused:
        break;
    }
    console.ErrorLine(report.message);
    return kExitRefused;
}

int CheckDebugger(ConsoleOutput& console, unsigned crashes)
{
    const SystemReading reading = ReadSystemForDiagnosis();
    const std::vector<CheckLine> lines = CheckLines(reading);
    // By FindingKind: error, warning, information.
    static constexpr std::wstring_view kKinds[] = {L"  ошибка: ", L"  предупреждение: ", L"  сведения: "};
    for (const CheckLine& line : lines)
        console.Line(line.kind ? std::wstring(kKinds[static_cast<int>(*line.kind)]) + line.text : line.text);
    if (crashes == 0) return HasError(lines) ? kExitRefused : kExitDone;

    bool asPromised = true;
    for (const bool wow32 : {false, true}) {
        // 32-bit Windows has one view, for its 32-bit programs; it runs no 64-bit program.
        const unsigned bits = CrashBits(reading, wow32);
        if ((crashes & (bits == 64 ? kCrash64 : kCrash32)) == 0 || (wow32 && !reading.wow32)) continue;
        const ViewReading& view = wow32 ? *reading.wow32 : reading.native;
        const CrashPromise promise = PromiseOf(view, reading.underWine);
        const CrashVerdict verdict = JudgeCrash(RunTestCrash(bits, promise.image), promise);
        console.Line(CrashTitle(bits) + verdict.text);
        asPromised = asPromised && verdict.asPromised;
    }
    // Asked for both, 32-bit Windows crashes the one bitness it runs; asked for 64 alone, it cannot.
    if (crashes == kCrash64 && !reading.wow32) {
        console.ErrorLine(CrashTitle(64) + L"64-битные программы в этой Windows не запускаются.");
        asPromised = false;
    }
    return asPromised ? kExitDone : kExitRefused;
}

// The elevated copy's work: hidden, silent, all or nothing.
int ApplyExactly(const DebuggerChoice& choice)
{
    // Whoever started the copy, it hands the system nothing the system would read through.
    if (!SwitchRefusal(choice.commandLine, choice.commandLine32).empty()) return kExitBadUsage;
    try {
        switch (ApplySystemDebugger(choice)) {
        case SwitchResult::Done:
            return kExitDone;
        case SwitchResult::PartlyChanged:
            return kExitPartlyChanged;
        case SwitchResult::AccessDenied:
        case SwitchResult::Failed:
            break;
        }
        return kExitRefused;
    } catch (...) {
        // Whatever was written is put back by then; the tray copy says the switch failed.
        return kExitRunTimeError;
    }
}

} // namespace

int RunCommand(const Command& command)
{
    if (command.kind == CommandKind::Apply) return ApplyExactly(command.choice);
    if (command.kind == CommandKind::Crashed) return ChooseCrashDebugger(command.crash);

    ConsoleOutput console;
    try {
        switch (command.kind) {
        case CommandKind::Usage:
            return ShowUsage(console);
        case CommandKind::List:
            return ListDebuggers(console);
        case CommandKind::Current:
            return ShowCurrent(console);
        case CommandKind::Use:
            return UseDebugger(console, command.entry);
        case CommandKind::Check:
            return CheckDebugger(console, command.crashes);
        case CommandKind::BadUsage:
        case CommandKind::Tray:
        case CommandKind::Apply:
        case CommandKind::Crashed:
            break;
        }
        console.ErrorLine(command.problem);
        console.ErrorLine(L"Справка: jitswap /?");
        return kExitBadUsage;
    } catch (...) {
        // Printed where the command's output goes, not in a box; the code is the run-time error's.
        console.ErrorLine(RunTimeErrorText(std::current_exception()));
        return kExitRunTimeError;
    }
}

} // namespace jitswap
