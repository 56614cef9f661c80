#include "dialogs/CommandLineConfirmation.h"

#include "aedebug/CommandLineCheck.h"
#include "aedebug/ExecutableSafety.h"
#include "support/process/ExecutableSearch.h"
#include "support/window/MessageBox.h"

namespace jitswap {

bool ConfirmCommandLine(std::wstring& commandLine, std::wstring_view which)
{
    const CommandLineFindings findings = CheckCommandLine(commandLine, WindowsFindsExecutable);
    const std::wstring prefix(which);
    if (!findings.refusal.empty()) {
        ShowMessage(prefix + findings.refusal, kStyleError);
        return false;
    }
    if (!findings.quotedForm.empty()) {
        const std::wstring firstWord = findings.executable.substr(0, findings.executable.find_first_of(L" \t"));
        const std::wstring question = prefix + L"Путь к программе «" + findings.executable +
                                      L"» содержит пробелы, но не заключён в кавычки: Windows сначала попробует "
                                      L"запустить «" + firstWord + L".exe». Заключить путь в кавычки?";
        if (ShowMessage(question, kStyleQuestion) == IDYES) commandLine = findings.quotedForm;
    }
    std::wstring warning;
    if (findings.executableMissing) warning += L"Программа «" + findings.executable + L"» не найдена.\n";
    const std::optional<std::wstring> found = FindExecutable(findings.executable);
    if (const auto writer = found ? FindUnsafeWriter(*found) : std::nullopt)
        warning += UnsafeWriterWarning(*found, *writer) + L'\n';
    if (findings.lacksProcessId) {
        warning += L"В командной строке нет %ld: отладчик не узнает, какая программа завершилась аварийно.\n";
    }
    if (warning.empty()) return true;
    return ShowMessage(prefix + warning + L"\nВсё равно сохранить?", kStyleWarningQuestion) == IDYES;
}

} // namespace jitswap
