#include "aedebug/CrashVerdict.h"

#include "aedebug/CommandLineParts.h"
#include "support/text/FilledText.h"
#include "support/text/NumberText.h"

namespace jitswap {

CrashPromise PromiseOf(const ViewReading& view, bool underWine)
{
    std::wstring image = FileNameOf(ProgramOf(view));
    if (image.empty() && underWine) image = L"winedbg";
    if (!image.empty() && image.find(L'.') == std::wstring::npos) image += L".exe";
    return {std::move(image), !AutoStarts(view)};
}

CrashVerdict JudgeCrash(const CrashOutcome& outcome, const CrashPromise& promise)
{
    // A debugger where one is set (Wine's own where none is), none where none is; with Auto other
    // than "1", a question first.
    const bool debuggerSet = !promise.image.empty();
    switch (outcome.result) {
    case CrashResult::DebuggerStarted:
        return {debuggerSet,
                FilledText(L"Запустился отладчик {}, процесс {}.", {outcome.debuggerPath, NumberText(outcome.debuggerId)})};
    case CrashResult::Ended:
        return {!debuggerSet, debuggerSet ? L"Программа завершилась, отладчик не запустился."
                                          : L"Программа завершилась, отладчик не запускался: так и задано."};
    case CrashResult::StillWaiting:
        if (debuggerSet && promise.asks)
            return {true, L"Windows спрашивает пользователя, запускать ли отладчик (Auto не равно «1»): ответьте в её окне."};
        static_assert(kCrashWaitSeconds == 5, "the text says how long");
        return {!debuggerSet, L"Программа не завершилась за 5 секунд, отладчик не запустился: Windows показывает своё "
                              L"окно о сбое."};
    case CrashResult::NotStarted:
        break;
    }
    return {false, L"Пробную программу не удалось запустить."};
}

unsigned CrashBits(const SystemReading& reading, bool wow32)
{
    return wow32 || !reading.wow32 ? 32 : 64;
}

std::wstring CrashTitle(unsigned bits)
{
    return FilledText(L"Пробный сбой {}-битной программы: ", {bits == 32 ? L"32" : L"64"});
}

} // namespace jitswap
