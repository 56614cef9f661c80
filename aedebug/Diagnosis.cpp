#include "aedebug/Diagnosis.h"

#include "aedebug/CommandLineCheck.h"
#include "support/text/FilledText.h"
#include "support/text/TextTrim.h"

#include <algorithm>

namespace jitswap {
namespace {

constexpr std::wstring_view kRepairable = L" Это исправит кнопка «Исправить» в окне проверки.";

void Add(std::vector<Finding>& findings, FindingKind kind, std::wstring_view pattern,
         std::initializer_list<std::wstring_view> values = {})
{
    findings.push_back({kind, FilledText(pattern, values)});
}

std::wstring Joined(const std::vector<std::wstring>& names)
{
    std::wstring joined;
    for (const std::wstring& name : names) {
        if (!joined.empty()) joined += L", ";
        joined += name;
    }
    return joined;
}

std::wstring_view TypeName(RegistryType type)
{
    switch (type) {
    case RegistryType::ExpandString:
        return L"REG_EXPAND_SZ";
    case RegistryType::Dword:
        return L"REG_DWORD";
    case RegistryType::Qword:
        return L"REG_QWORD";
    case RegistryType::MultiString:
        return L"REG_MULTI_SZ";
    default:
        return L"REG_BINARY";
    }
}

bool StoredAsText(const std::optional<StoredValue>& value)
{
    return !value || value->type == RegistryType::String;
}

std::wstring_view DebuggerLine(const ViewReading& view)
{
    return view.debugger ? std::wstring_view(view.debugger->text) : std::wstring_view();
}

CommandLineFindings CheckView(const ViewReading& view)
{
    return CheckCommandLine(DebuggerLine(view), [&](const std::wstring& executable) {
        return std::find(view.executablesFound.begin(), view.executablesFound.end(), executable) !=
               view.executablesFound.end();
    });
}

void DiagnoseLine(const ViewReading& view, std::vector<Finding>& findings)
{
    const CommandLineFindings line = CheckView(view);
    if (!line.refusal.empty()) {
        Add(findings, FindingKind::Error, L"{} Выберите отладчик в меню Jitswap.", {line.refusal});
        return;
    }
    const std::wstring_view path = line.executable;
    if (line.executableMissing) {
        Add(findings, FindingKind::Error,
            L"Программа «{}» не найдена ни по пути, ни в системных папках и PATH: отладчик не запустится. "
            L"Установите отладчик или выберите в меню Jitswap другой.",
            {path});
    }
    if (!line.quotedForm.empty()) {
        Add(findings, FindingKind::Warning,
            L"Путь «{}» с пробелами не заключён в кавычки: Windows сначала попробует запустить «{}.exe».{}",
            {path, path.substr(0, path.find_first_of(L" \t")), kRepairable});
    }
    if (line.lacksProcessId) {
        Add(findings, FindingKind::Warning,
            L"Нет %ld: отладчик не узнает, какой процесс завершился аварийно. Допишите номер процесса в командную "
            L"строку так, как его ждёт отладчик (чаще всего «-p %ld -e %ld»), в «Править список...».");
    } else if (line.lacksEvent) {
        Add(findings, FindingKind::Warning,
            L"Нет второго %ld (события): по документации Windows тогда ждёт, пока отладчик не завершится. Если "
            L"отладчик принимает событие (чаще всего «-e %ld»), допишите его в «Править список...».");
    }
    if (view.unsafeWriter) Add(findings, FindingKind::Warning, UnsafeWriterWarning(view.executablePath, *view.unsafeWriter));
}

void DiagnoseView(const ViewReading& view, bool underWine, std::vector<Finding>& findings)
{
    if (!view.readable) {
        Add(findings, FindingKind::Warning,
            L"Раздел AeDebug не удалось прочитать: проверка неполна. Запустите её от имени администратора.");
        return;
    }
    if (!StoredAsText(view.debugger)) {
        Add(findings, FindingKind::Warning, L"Debugger записан как {}, а документация требует REG_SZ; .NET такое "
                                            L"значение не читает.{}",
            {TypeName(view.debugger->type), kRepairable});
    }
    if (DebuggerLine(view).empty()) {
        if (StoredAsText(view.debugger)) {
            Add(findings, FindingKind::Information,
                underWine ? L"Отладчик не задан: Windows отдала бы сбой службе отчётов об ошибках, Wine запускает "
                            L"свой winedbg."
                          : L"Отладчик не задан: сбои обрабатывает служба отчётов об ошибках Windows.");
        }
        return;
    }
    DiagnoseLine(view, findings);
    if (!AutoStarts(view)) {
        Add(findings, FindingKind::Information,
            L"Auto не равно «1»: перед запуском отладчика Windows спросит пользователя. Чтобы не спрашивала, отметьте "
            L"«Автоматический вызов» у отладчика в «Править список...» и выберите его снова.");
    } else if (!view.autoExclusions.empty()) {
        Add(findings, FindingKind::Information,
            L"Для программ из AutoExclusionList ({}) отладчик сам не запускается. Чтобы "
            L"отлаживать их без вопроса, удалите их значения из раздела AeDebug\\AutoExclusionList в реестре.",
            {Joined(view.autoExclusions)});
    }
    if (!StoredAsText(view.autoStart)) {
        Add(findings, FindingKind::Warning,
            L"Auto записано как {}, а не строкой REG_SZ по документации Windows (число советует Visual Studio): "
            L".NET его не читает.{}",
            {TypeName(view.autoStart->type), kRepairable});
    }
}

void DiagnoseBoth(const SystemReading& reading, std::vector<Finding>& findings)
{
    if (reading.wow32 && reading.native.readable && reading.wow32->readable) {
        const std::wstring_view native = DebuggerLine(reading.native);
        const std::wstring_view wow32 = DebuggerLine(*reading.wow32);
        if (wow32.empty() && !native.empty()) {
            Add(findings, FindingKind::Information,
                L"Для 32-битных программ отладчик не задан (для 64-битных: «{}»).{}",
                {native, kRepairable});
        } else if (native.empty() && !wow32.empty()) {
            Add(findings, FindingKind::Information,
                L"Для 64-битных программ отладчик не задан (для 32-битных: «{}»). Чтобы он был у обеих, выберите "
                L"отладчик в меню Jitswap.",
                {wow32});
        } else if (native != wow32) {
            Add(findings, FindingKind::Information,
                L"Для 64- и 32-битных программ заданы разные отладчики: «{}» и «{}». Если так не задумано, выберите "
                L"отладчик в меню Jitswap.",
                {native, wow32});
        }
    }
    const WerReading& wer = reading.wer;
    if (!wer.disabledIn.empty()) {
        Add(findings, FindingKind::Information,
            L"Служба отчётов об ошибках выключена (Disabled = 1 в {}): отладчику это не мешает, Visual Studio даже "
            L"советует так делать.",
            {Joined(wer.disabledIn)});
    }
    if (!wer.debugApplications.empty()) {
        Add(findings, FindingKind::Information,
            L"Для программ из DebugApplications ({}; * - все) служба отчётов об ошибках спрашивает, отлаживать ли их. "
            L"Чтобы не спрашивала, удалите их значения из раздела Windows Error Reporting\\DebugApplications.",
            {Joined(wer.debugApplications)});
    }
    if (wer.localDumps) {
        if (!DebuggerLine(reading.native).empty() && AutoStarts(reading.native)) {
            Add(findings, FindingKind::Information,
                L"Дампы (LocalDumps) по документации не пишутся, пока отладчик запускается сам.");
        } else {
            Add(findings, FindingKind::Information, L"При сбое служба отчётов об ошибках пишет дамп (LocalDumps) в {}.",
                {wer.localDumps->empty() ? L"%LOCALAPPDATA%\\CrashDumps" : *wer.localDumps});
        }
    }
}

// The view's command line as the repair writes it; false when a switch must not touch the view.
bool RepairedLine(const ViewReading& view, std::wstring& line, bool& needed)
{
    if (!view.readable) return false;
    if (!StoredAsText(view.debugger)) {
        if (view.debugger->type != RegistryType::ExpandString) return false;
        needed = true;
    }
    needed = needed || !StoredAsText(view.autoStart);
    line = DebuggerLine(view);
    if (line.empty()) return true;
    const CommandLineFindings findings = CheckView(view);
    if (!findings.refusal.empty()) return false;
    if (!findings.quotedForm.empty()) {
        line = findings.quotedForm;
        needed = true;
    }
    return true;
}

} // namespace

bool AutoStarts(const ViewReading& view)
{
    return view.autoStart && qsTrimEx(view.autoStart->text) == L"1";
}


Diagnosis Diagnose(const SystemReading& reading)
{
    Diagnosis diagnosis;
    DiagnoseView(reading.native, reading.underWine, diagnosis.native);
    if (reading.wow32) DiagnoseView(*reading.wow32, reading.underWine, diagnosis.wow32);
    DiagnoseBoth(reading, diagnosis.both);
    return diagnosis;
}

std::vector<CheckLine> CheckLines(const SystemReading& reading)
{
    const Diagnosis diagnosis = Diagnose(reading);
    std::vector<CheckLine> lines;
    const auto add = [&](const std::vector<Finding>& findings) {
        for (const Finding& finding : findings) lines.push_back({finding.kind, finding.text});
    };
    const auto shown = [](const std::optional<StoredValue>& value) {
        return value && !value->text.empty() ? std::wstring_view(value->text) : L"(нет)";
    };
    for (const bool wow32 : {false, true}) {
        if (wow32 && !reading.wow32) break;
        const ViewReading& view = wow32 ? *reading.wow32 : reading.native;
        lines.push_back({std::nullopt, FilledText(L"Для {} программ: {}; Auto: {}",
                                                  {wow32 ? L"32-битных" : reading.wow32 ? L"64-битных" : L"всех",
                                                   shown(view.debugger), shown(view.autoStart)})});
        add(wow32 ? diagnosis.wow32 : diagnosis.native);
    }
    if (!diagnosis.both.empty()) lines.push_back({std::nullopt, L"Общее:"});
    add(diagnosis.both);
    return lines;
}

bool HasError(const std::vector<CheckLine>& lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const CheckLine& line) { return line.kind == FindingKind::Error; });
}

std::optional<DebuggerChoice> RepairChoice(const SystemReading& reading, const std::wstring& own32)
{
    bool needed = false;
    DebuggerChoice choice;
    choice.autoStart = AutoStarts(reading.native);
    if (!RepairedLine(reading.native, choice.commandLine, needed)) return std::nullopt;
    if (reading.wow32) {
        std::wstring line32;
        if (!RepairedLine(*reading.wow32, line32, needed) || AutoStarts(*reading.wow32) != choice.autoStart)
            return std::nullopt;
        if (line32.empty() && !choice.commandLine.empty()) {
            line32 = own32.empty() ? choice.commandLine : own32;
            needed = true;
        }
        if (line32 != choice.commandLine) choice.commandLine32 = line32;
    }
    if (!needed) return std::nullopt;
    return choice;
}

std::wstring ProgramOf(const ViewReading& view)
{
    if (!view.executablePath.empty()) return view.executablePath;
    return DebuggerLine(view).empty() ? std::wstring() : CheckView(view).executable;
}

} // namespace jitswap
