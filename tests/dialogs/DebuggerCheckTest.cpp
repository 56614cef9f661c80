// The check dialog driven as a user drives it, against the real AeDebug key and the real crash
// handling of the system (Wine's): its findings with their icons, "Исправить" through the switch
// it is given, the registry watch, and a test crash that starts the tests' recording debugger.

#include "dialogs/frmDebuggerCheck.h"
#include "tests/common/BuiltPrograms.h"
#include "tests/common/DialogDriver.h"
#include "tests/dialogs/DialogScript.h"
#include "tests/dialogs/ScratchCatalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace jitswap {

struct frmDebuggerCheckProbe {
    // Whether a line of that kind (std::nullopt: a heading) holds `part`.
    static bool Shows(const frmDebuggerCheck& dialog, std::optional<FindingKind> kind, const std::wstring& part)
    {
        for (const CheckLine& line : dialog.m_lines) {
            if (line.kind == kind && line.text.find(part) != std::wstring::npos) return true;
        }
        return false;
    }
};

} // namespace jitswap

using namespace jitswap;
using namespace jitswap::test;

namespace {

constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";

void SetSystem(const std::wstring& debugger, const std::wstring& autoText = L"1")
{
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        for (const auto& [name, value] : {std::pair{L"Debugger", &debugger}, std::pair{L"Auto", &autoText}}) {
            RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                           static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key);
    }
}

class DebuggerCheckTest : public ScratchCatalogue {
protected:
    void TearDown() override
    {
        SetSystem(L"winedbg --auto %ld %ld");
        DeleteFileW(L"C:\\check.txt");
        ScratchCatalogue::TearDown();
    }
};

} // namespace

TEST_F(DebuggerCheckTest, ShowsTheFindingsMendsThroughTheSwitchFollowsChangesAndCrashes)
{
    CreateDirectoryW(L"C:\\Check Tools", nullptr);
    CloseHandle(CreateFileW(L"C:\\Check Tools\\dbg.exe", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    SetSystem(L"C:\\Check Tools\\dbg -p %ld -e %ld");
    std::vector<DebuggerChoice> switched;
    frmDebuggerCheck dialog(Opener(), [&](const DebuggerChoice& choice, HWND) {
        switched.push_back(choice);
        SetSystem(choice.commandLine, choice.autoStart ? L"1" : L"0");
        return true;
    });
    const auto shows = [&](std::optional<FindingKind> kind, const std::wstring& part) {
        return dialog.IsOpen() && frmDebuggerCheckProbe::Shows(dialog, kind, part);
    };
    const auto button = [&](int id) { return GetDlgItem(dialog.Handle(), id); };

    DialogScript script;
    script
        .When("the offer of quotes", [&] { return IsWindowVisible(dialog.Handle()) && shows(FindingKind::Warning, L"кавычки"); },
              [&] {
                  EXPECT_TRUE(shows(std::nullopt, L"Для 64-битных программ: C:\\Check Tools\\dbg -p %ld -e %ld; Auto: 1"));
                  EXPECT_TRUE(shows(FindingKind::Warning, L"Windows сначала попробует запустить «C:\\Check.exe»"));
                  Click(button(frmDebuggerCheck::kCmdRepair));
              })
        .When("the mended setting read again", [&] { return !shows(FindingKind::Warning, L"кавычки"); },
              [&] {
                  ASSERT_EQ(switched.size(), 1u);
                  EXPECT_EQ(switched[0], (DebuggerChoice{L"\"C:\\Check Tools\\dbg\" -p %ld -e %ld", L"", true}));
                  EXPECT_FALSE(IsWindowEnabled(button(frmDebuggerCheck::kCmdRepair)));
                  // Another program sets a debugger: the dialog hears of it from the registry.
                  SetSystem(L"\"" + InstalledProgram(L"JITSWAP_RECORDING_DEBUGGER") + L"\" C:\\check.txt %ld %ld");
              })
        .When("the other program's debugger", [&] { return shows(std::nullopt, L"recording_debugger.exe\" C:\\check.txt"); },
              [&] { Click(button(frmDebuggerCheck::kCmdCrashNative)); })
        .When("the test crash's outcome", [&] { return shows(FindingKind::Information, L"Пробный сбой 64-битной программы: Запустился отладчик"); },
              [&] {
                  EXPECT_TRUE(shows(FindingKind::Information, L"recording_debugger.exe, процесс "));
                  Repaint(dialog.Handle());
              })
        .After(300,
               [&] {
                   SaveScreenshot(dialog.Handle(), L"debugger-check");
                   Click(button(frmDebuggerCheck::kCmdClose));
               });
    script.Run([&] { dialog.ShowDialog(); });
    EXPECT_FALSE(dialog.IsOpen());
}
