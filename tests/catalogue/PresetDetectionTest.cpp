// Finding the known debuggers in scratch folders and under a scratch registry key, as the machine's
// own places would show them: the Windows Kits' roots, the system folder, the search path.

#include "catalogue/PresetDetection.h"
#include "support/process/ExecutableSearch.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

using namespace jitswap;
namespace fs = std::filesystem;

namespace {

constexpr wchar_t kScratchKits[] = L"Software\\Quarvel\\JitswapTest\\Installed Roots";

class PresetDetection : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / L"JitswapPresetDetection";
        fs::remove_all(root);
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKits);
        places.systemFolder = (root / L"System32").wstring();
        places.kitsRoot = HKEY_CURRENT_USER;
        places.kitsKey = kScratchKits;
        places.searchPath = (root / L"x64dbg").wstring() + L";" + (root / L"drmingw" / L"bin").wstring();
        places.windows64 = true;
    }
    void TearDown() override
    {
        fs::remove_all(root);
        RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKits);
    }

    std::wstring File(const fs::path& relative)
    {
        fs::path path = root / relative;
        path.make_preferred();
        fs::create_directories(path.parent_path());
        std::ofstream(path).put('x');
        return path.wstring();
    }
    void SetKitsRoot(const wchar_t* name, const std::wstring& value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratchKits, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    std::wstring Found(PresetKind kind)
    {
        const auto location = FindPreset(kind, places);
        return location ? location->executable + L"|" + location->executable32 : L"not found";
    }

    fs::path root;
    DetectionPlaces places;
};

} // namespace

TEST_F(PresetDetection, FindsTheKitsDebuggersForEachBitnessUnderTheNewestRoot)
{
    EXPECT_EQ(Found(PresetKind::WinDbg), L"not found") << "no kits installed";
    const std::wstring kits = (root / L"Kits10").wstring() + L"\\";
    SetKitsRoot(L"KitsRoot81", (root / L"Kits81").wstring());
    SetKitsRoot(L"KitsRoot10", kits);
    EXPECT_EQ(Found(PresetKind::WinDbg), L"not found") << "a root with no debuggers in it";

    const std::wstring windbg64 = File(L"Kits10/Debuggers/x64/windbg.exe");
    const std::wstring windbg32 = File(L"Kits10/Debuggers/x86/windbg.exe");
    const std::wstring cdb64 = File(L"Kits10/Debuggers/x64/cdb.exe");
    const std::wstring cdb81 = File(L"Kits81/Debuggers/x86/cdb.exe");
    EXPECT_EQ(Found(PresetKind::WinDbg), windbg64 + L"|" + windbg32);
    // Only a 64-bit one: it serves 32-bit programs too.
    EXPECT_EQ(Found(PresetKind::Cdb), cdb64 + L"|");

    // On 32-bit Windows the x86 folder is the only one, found under an older root as well.
    places.windows64 = false;
    EXPECT_EQ(Found(PresetKind::WinDbg), windbg32 + L"|");
    EXPECT_EQ(Found(PresetKind::Cdb), cdb81 + L"|");
}

TEST_F(PresetDetection, FindsTheOthersInTheSystemFolderOnTheSearchPathAndUnderWine)
{
    for (PresetKind kind : {PresetKind::VisualStudio, PresetKind::X64dbg, PresetKind::DrMingw, PresetKind::ProcDump,
                            PresetKind::WineDbg}) {
        EXPECT_EQ(Found(kind), L"not found") << static_cast<int>(kind);
    }
    EXPECT_FALSE(PresetOffered(PresetKind::WineDbg, places));
    EXPECT_EQ(Found(PresetKind::NoDebugger), L"|") << "no debugger is always at hand";

    const std::wstring vs = File(L"System32/vsjitdebugger.exe");
    File(L"x64dbg/x96dbg.exe");
    const std::wstring x64 = File(L"x64dbg/x64/x64dbg.exe");
    const std::wstring x32 = File(L"x64dbg/x32/x32dbg.exe");
    const std::wstring drmingw = File(L"drmingw/bin/drmingw.exe");
    places.underWine = true;
    EXPECT_EQ(Found(PresetKind::VisualStudio), vs + L"|");
    EXPECT_EQ(Found(PresetKind::X64dbg), x64 + L"|" + x32);
    EXPECT_EQ(Found(PresetKind::DrMingw), drmingw + L"|");
    EXPECT_EQ(Found(PresetKind::WineDbg), L"winedbg|");
    EXPECT_TRUE(PresetOffered(PresetKind::WineDbg, places));

    // A file the user picked: the tool's folder above a bitness folder, or the file itself.
    const auto picked = LocationFromChosenFile(PresetKind::X64dbg, x32, places);
    EXPECT_EQ(picked.executable + L"|" + picked.executable32, x64 + L"|" + x32);
    const std::wstring elsewhere = File(L"elsewhere/x64dbg.exe");
    EXPECT_EQ(LocationFromChosenFile(PresetKind::X64dbg, elsewhere, places).executable, elsewhere);
}

TEST(ExecutableSearch, FindsProgramsAsWindowsStartsThem)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";
    EXPECT_TRUE(WindowsFindsExecutable(cmd));
    EXPECT_TRUE(WindowsFindsExecutable(L"cmd")) << "searched for, with .exe added";
    EXPECT_TRUE(WindowsFindsExecutable(L"%SystemRoot%\\System32\\cmd.exe"));
    EXPECT_FALSE(WindowsFindsExecutable(L"C:\\Program"));
    EXPECT_FALSE(WindowsFindsExecutable(system)) << "a folder is no program";
    EXPECT_FALSE(WindowsFindsExecutable(L""));
}
