// The diagnosis of the system's setting, over readings written out as a machine would give them.

#include "aedebug/CrashVerdict.h"
#include "aedebug/Diagnosis.h"

#include <gtest/gtest.h>

using namespace jitswap;

namespace {

constexpr wchar_t kDbg[] = L"C:\\Dbg\\dbg.exe";
constexpr wchar_t kLine[] = L"\"C:\\Dbg\\dbg.exe\" -p %ld -e %ld";

// A view holding `line` as REG_SZ, Auto as text, and a program found wherever `found` says.
ViewReading View(std::wstring line, const wchar_t* autoStart = L"1", std::vector<std::wstring> found = {kDbg})
{
    ViewReading view;
    if (!line.empty()) view.debugger = StoredValue{RegistryType::String, std::move(line)};
    if (autoStart) view.autoStart = StoredValue{RegistryType::String, autoStart};
    view.executablePath = found.empty() ? L"" : found.back();
    view.executablesFound = std::move(found);
    return view;
}

SystemReading Both(ViewReading view)
{
    return {view, view, {}, false};
}

template <class Change>
SystemReading Changed(SystemReading reading, Change change)
{
    change(reading);
    return reading;
}

using Expected = std::vector<std::pair<FindingKind, const wchar_t*>>;  // kind, and a part of the text
constexpr auto E = FindingKind::Error;
constexpr auto W = FindingKind::Warning;
constexpr auto I = FindingKind::Information;

struct Case {
    const char* name;
    SystemReading reading;
    Expected native;
    Expected wow32;
    Expected both;
    std::optional<DebuggerChoice> repair = std::nullopt;
};

const std::wstring kSpaced = L"C:\\My Tools\\dbg -p %ld -e %ld";

const Case kCases[] = {
    {"a debugger set in both views, as the documentation asks", Both(View(kLine)), {}, {}, {}},
    {"no debugger: Windows' error reporting", Both(View(L"", nullptr, {})),
     {{I, L"сбои обрабатывает служба отчётов об ошибках Windows"}}, {{I, L"служба отчётов"}}, {}},
    {"no debugger under Wine: what Wine does instead",
     Changed(Both(View(L"", L"1", {})), [](SystemReading& r) { r.underWine = true; }),
     {{I, L"Wine запускает свой winedbg"}}, {{I, L"winedbg"}}, {}},
    {"a missing program", Both(View(L"C:\\Gone\\dbg.exe -p %ld -e %ld", L"1", {})),
     {{E, L"«C:\\Gone\\dbg.exe» не найдена"}}, {{E, L"не найдена"}}, {}},
    {"an unquoted path with blanks, found without its .exe",
     Both(View(kSpaced, L"1", {L"C:\\My Tools\\dbg"})),
     {{W, L"сначала попробует запустить «C:\\My.exe»"}}, {{W, L"кавычки"}}, {},
     DebuggerChoice{L"\"C:\\My Tools\\dbg\" -p %ld -e %ld", L"", true}},
    {"sequences out of order, as another tool may write them", Both(View(L"C:\\Dbg\\dbg.exe %p -p %ld -e %ld")),
     {{E, L"не в том порядке"}}, {{E, L"в меню Jitswap"}}, {}},
    {"no event", Both(View(L"C:\\Dbg\\dbg.exe -p %ld")), {{W, L"Нет второго %ld"}}, {{W, L"события"}}, {}},
    {"no process id", Both(View(L"C:\\Dbg\\dbg.exe")), {{W, L"Нет %ld"}}, {{W, L"Нет %ld"}}, {}},
    {"Auto 0, and Auto absent: Windows asks first",
     Changed(Both(View(kLine, L"0")), [](SystemReading& r) { r.wow32->autoStart.reset(); }),
     {{I, L"спросит пользователя"}}, {{I, L"спросит"}}, {}},
    {"Auto stored as a number", Changed(Both(View(kLine)),
                                        [](SystemReading& r) {
                                            r.native.autoStart = StoredValue{RegistryType::Dword, L"1"};
                                        }),
     {{W, L"Auto записано как REG_DWORD"}}, {}, {}, DebuggerChoice{kLine, L"", true}},
    {"Debugger stored as REG_EXPAND_SZ is written again as REG_SZ",
     Changed(Both(View(kLine)), [](SystemReading& r) { r.wow32->debugger->type = RegistryType::ExpandString; }),
     {}, {{W, L"Debugger записан как REG_EXPAND_SZ"}}, {}, DebuggerChoice{kLine, L"", true}},
    {"Debugger that is no text is not taken for none, nor written over",
     Changed(Both(View(kLine)), [](SystemReading& r) { r.native.debugger = StoredValue{RegistryType::Binary, L""}; }),
     {{W, L"REG_BINARY"}}, {}, {{I, L"Для 64-битных программ отладчик не задан"}}},
    {"an empty 32-bit view is filled with the entry's own 32-bit line",
     Changed(Both(View(kLine)), [](SystemReading& r) { r.wow32 = View(L"", L"1", {}); }), {},
     {{I, L"служба отчётов"}}, {{I, L"Для 32-битных программ отладчик не задан (для 64-битных: «"}},
     DebuggerChoice{kLine, L"C:\\Dbg\\x86\\dbg.exe -p %ld -e %ld", true}},
    {"two debuggers, and Auto differing: nothing a switch could mend alone",
     Changed(Both(View(kSpaced, L"1", {L"C:\\My Tools\\dbg"})),
             [](SystemReading& r) { r.wow32 = View(kLine, L"0"); }),
     {{W, L"кавычки"}}, {{I, L"спросит"}}, {{I, L"заданы разные отладчики"}}},
    {"an executable another account can change",
     Changed(Both(View(kLine)),
             [](SystemReading& r) { r.native.unsafeWriter = UnsafeWriter{L"BUILTIN\\Users", L"C:\\Dbg"}; }),
     {{W, L"«BUILTIN\\Users» может изменить папку «C:\\Dbg»"}}, {}, {}},
    {"programs excluded from starting it automatically",
     Changed(Both(View(kLine)), [](SystemReading& r) { r.native.autoExclusions = {L"DWM.exe", L"a.exe"}; }),
     {{I, L"(DWM.exe, a.exe)"}}, {}, {}},
    {"a key that cannot be read",
     Changed(Both(View(kLine)), [](SystemReading& r) { r.wow32->readable = false; }), {},
     {{W, L"не удалось прочитать"}}, {}},
    {"Error Reporting's settings, as its documentation describes them",
     Changed(Both(View(kLine)),
             [](SystemReading& r) {
                 r.wer = {{L"HKLM", L"HKCU"}, {L"*"}, L""};
             }),
     {}, {},
     {{I, L"Disabled = 1 в HKLM, HKCU): отладчику это не мешает"},
      {I, L"DebugApplications (*;"},
      {I, L"не пишутся, пока отладчик запускается сам"}}},
    {"dumps where no debugger starts",
     Changed(Both(View(L"", nullptr, {})), [](SystemReading& r) { r.wer.localDumps = L"D:\\Dumps"; }),
     {{I, L"служба отчётов"}}, {{I, L"служба отчётов"}}, {{I, L"пишет дамп (LocalDumps) в D:\\Dumps."}}},
};

void ExpectFindings(const std::vector<Finding>& found, const Expected& expected, const char* list)
{
    SCOPED_TRACE(list);
    ASSERT_EQ(found.size(), expected.size()) << ::testing::PrintToString(found.empty() ? L"" : found.front().text);
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].kind, expected[i].first);
        EXPECT_NE(found[i].text.find(expected[i].second), std::wstring::npos) << ::testing::PrintToString(found[i].text);
    }
}

} // namespace

TEST(Diagnosis, FindsWhyADebuggerWouldNotStartAndWhatASwitchCanMend)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const Diagnosis diagnosis = Diagnose(c.reading);
        ExpectFindings(diagnosis.native, c.native, "native");
        ExpectFindings(diagnosis.wow32, c.wow32, "32-bit");
        ExpectFindings(diagnosis.both, c.both, "both");
        bool error = false;
        for (const Expected* list : {&c.native, &c.wow32, &c.both})
            for (const auto& [kind, text] : *list) error = error || kind == FindingKind::Error;
        EXPECT_EQ(HasError(CheckLines(c.reading)), error);
        EXPECT_EQ(RepairChoice(c.reading, L"C:\\Dbg\\x86\\dbg.exe -p %ld -e %ld"), c.repair);
    }
}

TEST(CrashVerdict, SaysWhatHappenedAndWhetherTheSettingPromisedIt)
{
    const CrashOutcome started{CrashResult::DebuggerStarted, 812, L"C:\\Dbg\\dbg.exe"};
    const CrashOutcome ended{CrashResult::Ended};
    const CrashOutcome held{CrashResult::StillWaiting};
    const ViewReading set = View(kLine);
    const ViewReading asking = View(kLine, L"0");
    const ViewReading none = View(L"", nullptr, {});
    const struct {
        CrashOutcome outcome;
        const ViewReading* view;
        bool underWine;
        bool asPromised;
        const wchar_t* text;
    } cases[] = {
        {started, &set, false, true, L"Запустился отладчик C:\\Dbg\\dbg.exe, процесс 812."},
        {ended, &set, false, false, L"Программа завершилась, отладчик не запустился."},
        {ended, &none, false, true, L"отладчик не запускался: так и задано"},
        {ended, &none, true, false, L"отладчик не запустился"},  // Wine promises its winedbg
        {held, &asking, false, true, L"Windows спрашивает пользователя"},
        {held, &set, false, false, L"не завершилась за 5 секунд"},
        {held, &none, false, true, L"окно о сбое"},
        {CrashOutcome{}, &set, false, false, L"не удалось запустить"},
    };
    for (const auto& c : cases) {
        const CrashVerdict verdict = JudgeCrash(c.outcome, PromiseOf(*c.view, c.underWine));
        EXPECT_EQ(verdict.asPromised, c.asPromised) << ::testing::PrintToString(verdict.text);
        EXPECT_NE(verdict.text.find(c.text), std::wstring::npos) << ::testing::PrintToString(verdict.text);
    }
}

TEST(CrashVerdict, NamesTheProgramACrashStartsAsItsProcessShowsIt)
{
    const std::pair<ViewReading, const wchar_t*> cases[] = {
        {View(kLine), L"dbg.exe"},
        {View(L"winedbg --auto %ld %ld", L"1", {L"C:\\windows\\system32\\winedbg.exe"}), L"winedbg.exe"},
        {View(L"C:\\Gone\\Dbg.EXE -p %ld", L"1", {}), L"Dbg.EXE"},
        {View(L"C:\\Gone\\dbg -p %ld", L"1", {}), L"dbg.exe"},
        {View(L"", L"1", {}), L""},
    };
    for (const auto& [view, image] : cases) EXPECT_EQ(PromiseOf(view, false).image, image);
    EXPECT_EQ(PromiseOf(View(L"", L"1", {}), true).image, L"winedbg.exe");
}
