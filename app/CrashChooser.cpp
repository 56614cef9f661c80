#include "app/CrashChooser.h"

#include "aedebug/CommandLineCheck.h"
#include "aedebug/CommandLineParts.h"
#include "aedebug/ExecutableSafety.h"
#include "app/Command.h"
#include "catalogue/CDebuggers.h"
#include "dialogs/frmCrashChooser.h"
#include "support/loop/LoopWait.h"
#include "support/loop/ProcessWait.h"
#include "support/process/Elevation.h"
#include "support/process/ExecutableSearch.h"
#include "support/process/ProcessDetails.h"
#include "support/registry/OpenAppSettingsStore.h"
#include "support/text/TextConversion.h"
#include "support/win32/SkipOnFailure.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"
#include "support/window/MessageBox.h"
#include "support/window/RunTimeError.h"

namespace jitswap {
namespace {

constexpr unsigned kTimeLimitSeconds = 60;

constexpr wchar_t kTimeLimitKey[] = L"Crash Choice Seconds";

// The time limit: 60 seconds, or fewer where the Options say so (tests shorten it that way).
unsigned TimeLimit()
{
    std::wstring text;
    SkipOnFailure([&] { text = OpenAppSettingsStore()->ReadText(kOptionsSection, kTimeLimitKey, L"").value_or(L""); });
    unsigned seconds = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9' || seconds > kTimeLimitSeconds) return kTimeLimitSeconds;
        seconds = seconds * 10 + static_cast<unsigned>(c - L'0');
    }
    return seconds >= 1 && seconds <= kTimeLimitSeconds ? seconds : kTimeLimitSeconds;
}

// Only the user the crashed program ran for can answer, at the desktop of its session: never for a
// service, the services' session or a program of another account.
bool SomeoneCanAnswer(HANDLE crashed, DWORD crashedId)
{
    DWORD session = 0;
    DWORD ownSession = 0;
    if (!ProcessIdToSessionId(crashedId, &session) || !ProcessIdToSessionId(GetCurrentProcessId(), &ownSession) ||
        session == 0 || session != ownSession)
        return false;
    const std::wstring account = ProcessAccount(GetCurrentProcess());
    return !account.empty() && ProcessAccount(crashed) == account && IsSessionUser(session, account);
}

// The debugger runs with the crashed program's rights. Where those are an administrator's, the
// catalogue it came from is still this account's own, which its unelevated programs can change, and
// so may its program be: one that another account, this one unelevated included, can change is
// named before it runs with them.
bool ConfirmedWithTheseRights(const std::wstring& commandLine)
{
    if (!IsProcessElevated()) return true;
    const std::optional<std::wstring> found =
        FindExecutable(CheckCommandLine(commandLine, WindowsFindsExecutable).executable);
    const std::optional<UnsafeWriter> writer = found ? FindUnsafeWriter(*found) : std::nullopt;
    return !writer || ShowMessage(UnsafeWriterWarning(*found, *writer) + L"\n\nПрограмма, в которой произошёл сбой, "
                                                                        L"работает с правами администратора. Всё "
                                                                        L"равно запустить отладчик с ними?",
                                  kStyleWarningQuestion) == IDYES;
}

// As the system starts its debugger: the event is inherited under the number the line passes on.
UniqueHandle StartDebugger(std::wstring commandLine, HANDLE event)
{
    // The system made it inheritable for this program; a host that did not is made up for here.
    if (!SetHandleInformation(event, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) ThrowLastError("Passing the event on");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
        ThrowLastError("Starting the debugger");
    const UniqueHandle thread(started.hThread);
    return UniqueHandle(started.hProcess);
}

} // namespace

int ChooseCrashDebugger(const SystemArguments& crash)
{
    UniqueHandle crashed(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, crash.processId));
    if (!crashed) return GetLastError() == ERROR_INVALID_PARAMETER ? kExitBadUsage : kExitCancelled;
    const auto event = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(crash.event));
    DWORD flags = 0;
    if (!GetHandleInformation(event, &flags)) return kExitBadUsage;
    if (!SomeoneCanAnswer(crashed.get(), crash.processId)) return kExitCancelled;

    CDebuggers catalogue(OpenAppSettingsStore);
    if (!catalogue.IsStored()) return kExitCancelled;
    catalogue.ReadDebuggers();
    const CrashedProgram program{ProcessImagePath(crashed.get()), crash.processId, IsProcess32Bit(crashed.get())};
    const std::vector<CrashChoice> choices = CrashChoices(catalogue, program.is32Bit);
    if (choices.empty()) return kExitCancelled;

    const std::wstring rememberedKey = RememberedChoiceKey(FileNameOf(program.path));
    std::wstring remembered;
    SkipOnFailure([&] { remembered = OpenAppSettingsStore()->ReadText(kOptionsSection, rememberedKey, L"").value_or(L""); });

    UniqueHandle debugger;
    frmCrashChooser chooser(program, choices, FirstChoice(choices, remembered), TimeLimit(), [&](std::size_t index) {
        const CrashChoice& choice = choices[index];
        if (std::wstring refusal = CommandLineRefusal(choice.commandLine); !refusal.empty()) {
            ShowMessage(refusal, kStyleError);
            return false;
        }
        if (!ConfirmedWithTheseRights(choice.commandLine)) return false;
        try {
            debugger = StartDebugger(FillCommandLine(choice.commandLine, crash, 2 * sizeof(void*)), event);
        } catch (const Win32Error& error) {
            ShowMessage(L"Не удалось запустить отладчик «" + choice.title + L"».\n\n" + Utf8ToWide(error.what()),
                        kStyleError);
            return false;
        }
        SkipOnFailure([&] { OpenAppSettingsStore()->WriteText(kOptionsSection, rememberedKey, choice.title); });
        return true;
    });
    bool started = false;
    {
        // A crashed program that is ended meanwhile has nothing left to debug.
        const LoopWait ended(crashed.get(), [&] {
            chooser.Unload();
            // The loop looks at its condition after a message: this one wakes it.
            PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
        });
        started = chooser.ShowDialog();
    }
    // The system goes on once the debugger is attached (it signals the event) or has ended. The
    // event is signalled again for the system: waiting on an auto-reset one would have taken it.
    if (started) {
        WaitForAnyObject({event, debugger.get()}, &Form::ProcessMessage);
        if (WaitForSingleObject(debugger.get(), 0) == WAIT_TIMEOUT) SetEvent(event);
    }
    if (IsEndingAfterRunTimeError()) return kRunTimeErrorExitCode;
    return started ? kExitDone : kExitCancelled;
}

} // namespace jitswap
