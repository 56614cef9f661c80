#include "catalogue/PresetDetection.h"

#include "support/process/EnvironmentVariable.h"
#include "support/process/ExecutablePath.h"
#include "support/process/ExecutableSearch.h"
#include "support/registry/RegistryQuery.h"
#include "support/win32/WineHost.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/WindowsBitness.h"

#include <vector>

namespace jitswap {
namespace {

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

std::wstring NameOf(const std::wstring& path)
{
    return path.substr(FolderOf(path).size() + (path.find_last_of(L"\\/") == std::wstring::npos ? 0 : 1));
}

// The tool's executables under its own folder: on 64-bit Windows the 64-bit one is needed (a
// 32-bit debugger cannot attach to a 64-bit program) and the 32-bit one is used where present.
std::optional<PresetLocation> InToolFolder(const std::wstring& folder, const BitnessFolders& files, bool windows64)
{
    const std::wstring path32 = qsBuildFileName(qsBuildFileName(folder, files.folder32), files.file32);
    if (!windows64) {
        if (!FileExists(path32)) return std::nullopt;
        return PresetLocation{path32, {}, {}};
    }
    const std::wstring path64 = qsBuildFileName(qsBuildFileName(folder, files.folder64), files.file64);
    if (!FileExists(path64)) return std::nullopt;
    return PresetLocation{path64, FileExists(path32) ? path32 : std::wstring(), {}};
}

// The kits' roots, newest first, from either registry view: the kits' installer is a 32-bit program.
std::vector<std::wstring> KitsRoots(const DetectionPlaces& places)
{
    std::vector<std::wstring> roots;
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY opened = nullptr;
        // Absent or unreadable, a key only means no kits are registered there.
        if (RegOpenKeyExW(places.kitsRoot, places.kitsKey.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS)
            continue;
        const UniqueHKey key(opened);
        for (const wchar_t* name : {L"KitsRoot10", L"KitsRoot81", L"KitsRoot"}) {
            const auto value = QueryRegistryValue(key.get(), name);
            if (!value) continue;
            const auto text = RegistryValueAsText(value->type, value->data);
            if (text && !text->empty()) roots.push_back(*text);
        }
    }
    return roots;
}

std::optional<std::wstring> OnSearchPath(const DetectionPlaces& places, const wchar_t* file)
{
    // An empty path is no path: SearchPathW would take it for the current folder.
    if (places.searchPath.empty()) return std::nullopt;
    return SearchFile(places.searchPath.c_str(), file, nullptr);
}

} // namespace

DetectionPlaces ThisMachine()
{
    DetectionPlaces places;
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length > 0 && length < MAX_PATH) places.systemFolder.assign(system, length);
    places.searchPath = EnvironmentVariable(L"PATH");
    places.thisProgram = ExecutablePath();
    places.underWine = RunsUnderWine();
    places.windows64 = IsWindows64Bit();
    return places;
}

bool PresetOffered(PresetKind kind, const DetectionPlaces& places)
{
    return PresetRowOf(kind).place != PresetPlace::Wine || places.underWine;
}

std::optional<PresetLocation> FindPreset(PresetKind kind, const DetectionPlaces& places)
{
    const PresetRow& row = PresetRowOf(kind);
    switch (row.place) {
    case PresetPlace::SystemFolder: {
        const std::wstring path = qsBuildFileName(places.systemFolder, row.file);
        if (places.systemFolder.empty() || !FileExists(path)) return std::nullopt;
        return PresetLocation{path, {}, {}};
    }
    case PresetPlace::WindowsKits:
        for (const std::wstring& root : KitsRoots(places)) {
            if (auto found = InToolFolder(qsBuildFileName(root, L"Debuggers"), row.folders, places.windows64))
                return found;
        }
        return std::nullopt;
    case PresetPlace::PathFolders:
        for (const wchar_t* file : row.searched) {
            if (!file) break;
            if (const auto path = OnSearchPath(places, file)) return LocationFromChosenFile(kind, *path, places);
        }
        return std::nullopt;
    case PresetPlace::Wine:
        if (!places.underWine) return std::nullopt;
        return PresetLocation{L"winedbg", {}, {}};
    case PresetPlace::ThisProgram:
        if (places.thisProgram.empty()) return std::nullopt;
        return PresetLocation{places.thisProgram, {}, {}};
    case PresetPlace::Nowhere:
        return PresetLocation{};
    }
    return std::nullopt;
}

PresetLocation LocationFromChosenFile(PresetKind kind, const std::wstring& chosen, const DetectionPlaces& places)
{
    const BitnessFolders& files = PresetRowOf(kind).folders;
    if (!files.folder64) return PresetLocation{chosen, {}, {}};
    // Chosen inside one bitness's folder, the tool's folder is the one above it.
    std::wstring folder = FolderOf(chosen);
    const std::wstring folderName = NameOf(folder);
    if (CompareStringOrdinal(folderName.c_str(), -1, files.folder64, -1, TRUE) == CSTR_EQUAL ||
        CompareStringOrdinal(folderName.c_str(), -1, files.folder32, -1, TRUE) == CSTR_EQUAL) {
        folder = FolderOf(folder);
    }
    if (auto found = InToolFolder(folder, files, places.windows64)) return *found;
    return PresetLocation{chosen, {}, {}};
}

std::wstring PresetFileFilter(PresetKind kind)
{
    const wchar_t* filter = PresetRowOf(kind).fileFilter;
    return filter ? filter : L"";
}

} // namespace jitswap
