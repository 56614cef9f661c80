#include "aedebug/CommandLineCheck.h"

#include "aedebug/CommandLineParts.h"

#include <cwctype>

namespace jitswap {
namespace {

bool StartsWith(std::wstring_view text, std::size_t at, std::wstring_view prefix)
{
    return text.substr(at, prefix.size()) == prefix;
}

// The whole offending sequence as printf would read it: flags, width, length, conversion.
std::wstring_view SequenceAt(std::wstring_view text, std::size_t at)
{
    std::size_t end = text.find_first_not_of(L"-+ #0123456789.*hlLIjztwq", at + 1);
    end = end == std::wstring_view::npos ? text.size() : end + 1;
    return text.substr(at, end - at);
}

// "%SystemRoot%": an environment variable, which the system does not expand in this value.
std::wstring_view VariableAt(std::wstring_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && (std::iswalnum(text[end]) || text[end] == L'_' || text[end] == L'(' ||
                                 text[end] == L')')) {
        ++end;
    }
    if (end == at + 1 || end >= text.size() || text[end] != L'%') return {};
    return text.substr(at, end + 1 - at);
}

std::wstring RefusalFor(std::wstring_view text, std::size_t at)
{
    const std::wstring_view variable = VariableAt(text, at);
    if (!variable.empty()) {
        return L"Командная строка не может содержать «" + std::wstring(variable) +
               L"»: система не раскрывает здесь переменные окружения и прочтёт «" +
               std::wstring(SequenceAt(text, at)) + L"» как подстановку. Укажите путь полностью.";
    }
    return L"Командная строка не может содержать «" + std::wstring(SequenceAt(text, at)) +
           L"»: система подставляет только %ld (номер процесса, затем событие), %p (адрес сведений о сбое) "
           L"и %% (знак процента).";
}

// What the system would fill in: the refusal when it must not get the text at all, and how many of
// its values the text takes (0 to 3, in the system's order).
struct Substitutions {
    std::wstring refusal;
    int arguments = 0;
};

Substitutions ReadSubstitutions(std::wstring_view commandLine)
{
    Substitutions found;
    for (std::size_t at = commandLine.find(L'%'); at != std::wstring_view::npos; at = commandLine.find(L'%', at)) {
        if (StartsWith(commandLine, at, L"%%")) {
            at += 2;
        } else if (StartsWith(commandLine, at, L"%ld") || StartsWith(commandLine, at, L"%p")) {
            if (++found.arguments > kSystemArgumentCount) {
                found.refusal = L"В командной строке больше подстановок, чем система передаёт: не больше трёх "
                                L"(%ld, %ld, %p).";
                return found;
            }
            // The values come in a fixed order, the process id, the event, the details' address:
            // each sequence takes the next one whatever it is written for.
            const bool isLong = commandLine[at + 1] == L'l';
            if (isLong != (found.arguments < kSystemArgumentCount)) {
                found.refusal = L"Подстановки стоят не в том порядке: система передаёт номер процесса, событие и "
                                L"адрес сведений о сбое именно в этом порядке, поэтому первые две - %ld, третья - "
                                L"%p (с конца их можно опустить), например: «-p %ld -e %ld -j 0x%p».";
                return found;
            }
            at += isLong ? 3 : 2;
        } else {
            found.refusal = RefusalFor(commandLine, at);
            return found;
        }
    }
    return found;
}

} // namespace

std::wstring CommandLineRefusal(std::wstring_view commandLine)
{
    return ReadSubstitutions(commandLine).refusal;
}

std::wstring SwitchRefusal(std::wstring_view commandLine, std::wstring_view commandLine32)
{
    if (std::wstring refusal = CommandLineRefusal(commandLine); !refusal.empty()) return refusal;
    if (std::wstring refusal = CommandLineRefusal(commandLine32); !refusal.empty())
        return L"Для 32-битных программ:\n" + refusal;
    return {};
}

CommandLineFindings CheckCommandLine(std::wstring_view commandLine, const ExecutableLookup& executableExists)
{
    CommandLineFindings findings;
    if (commandLine.empty()) return findings;
    const Substitutions substitutions = ReadSubstitutions(commandLine);
    findings.refusal = substitutions.refusal;
    if (!findings.refusal.empty()) return findings;

    const ExecutableSpan span = LocateExecutable(commandLine, executableExists);
    findings.executable = commandLine.substr(span.begin, span.end - span.begin);
    if (!span.quoted && findings.executable.find_first_of(L" \t") != std::wstring::npos) {
        findings.quotedForm = std::wstring(commandLine.substr(0, span.begin)) + QuotedPath(findings.executable) +
                              std::wstring(commandLine.substr(span.end));
    }
    findings.executableMissing = findings.executable.empty() || !executableExists(findings.executable);
    findings.lacksProcessId = substitutions.arguments == 0;
    findings.lacksEvent = substitutions.arguments == 1;
    return findings;
}

} // namespace jitswap
