// The resources as a linked program carries them and as Windows itself finds them: the names,
// types and language the program asks for, and the texts after the resource compiler's decoding.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using jitswap::UniqueBitmap;
using jitswap::UniqueHandle;
using jitswap::UniqueIcon;
using jitswap::UniqueModule;

constexpr WORD Russian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);

std::string_view ResourceBytes(LPCWSTR type, LPCWSTR name, WORD language)
{
    HRSRC found = FindResourceExW(nullptr, type, name, language);
    if (found == nullptr)
        return {};
    const void* data = LockResource(LoadResource(nullptr, found));
    return {static_cast<const char*>(data), SizeofResource(nullptr, found)};
}

unsigned U8(std::string_view b, std::size_t at) { return static_cast<unsigned char>(b.at(at)); }
unsigned U16(std::string_view b, std::size_t at) { return U8(b, at) | U8(b, at + 1) << 8; }
std::uint32_t U32(std::string_view b, std::size_t at) { return U16(b, at) | std::uint32_t{U16(b, at + 2)} << 16; }

std::wstring ModuleDirectory()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// ---------------------------------------------------------------------------------------------

// The images the program has always had, as their bytes hash (FNV-1a): the drawings for the
// new scales must not disturb them.
std::uint64_t Fnv1a(std::string_view bytes)
{
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3u;
    return hash;
}

TEST(LinkedIcon, GroupHoldsEveryScaleAndTheOldImagesUnchanged)
{
    const std::string_view group = ResourceBytes(RT_GROUP_ICON, L"A_MAIN", Russian);
    ASSERT_FALSE(group.empty()) << "icon group A_MAIN in language 1049";
    const std::map<std::pair<unsigned, unsigned>, std::uint64_t> kept{
        {{16, 4}, 0x1BB12EF934F4E78Du}, {{16, 8}, 0x6E88F164EB8E2F0Fu},
        {{32, 4}, 0x6240F0063A66F38Bu}, {{32, 24}, 0xD726D8B2656903DAu}};
    std::set<std::pair<unsigned, unsigned>> formats;
    for (std::size_t i = 0; i < U16(group, 4); ++i) {
        const std::size_t entry = 6 + 14 * i;
        const std::pair format{U8(group, entry) == 0 ? 256u : U8(group, entry), U16(group, entry + 6)};
        formats.insert(format);
        const std::string_view image =
            ResourceBytes(RT_ICON, MAKEINTRESOURCEW(U16(group, entry + 12)), Russian);
        EXPECT_EQ(image.size(), U32(group, entry + 8)) << "image " << i;
        if (kept.contains(format)) {
            EXPECT_EQ(Fnv1a(image), kept.at(format)) << format.first << " px, " << format.second << " bpp";
        }
    }
    EXPECT_EQ(formats, (std::set<std::pair<unsigned, unsigned>>{
                           {16, 4}, {16, 8}, {32, 4}, {32, 24}, {20, 32}, {24, 32}, {40, 32}, {48, 32}, {64, 32}, {256, 32}}));
}

// On a true-colour display Windows must pick the rich images, not the 16-colour fallbacks, and
// load each size from its own image, PNG-compressed or not.
TEST(LinkedIcon, WindowsPicksTheDeepestImageAtEachSize)
{
    const std::string_view group = ResourceBytes(RT_GROUP_ICON, L"A_MAIN", Russian);
    ASSERT_FALSE(group.empty());
    auto* directory = reinterpret_cast<PBYTE>(const_cast<char*>(group.data()));
    for (const auto& [size, bits] : {std::pair{16, 8u}, std::pair{20, 32u}, std::pair{24, 32u}, std::pair{32, 24u},
                                     std::pair{40, 32u}, std::pair{48, 32u}, std::pair{64, 32u}, std::pair{256, 32u}}) {
        SCOPED_TRACE(size);
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        unsigned chosenBits = 0;
        unsigned chosenSize = 0;
        for (std::size_t i = 0; i < U16(group, 4); ++i) {
            if (U16(group, 6 + 14 * i + 12) == static_cast<unsigned>(id)) {
                chosenBits = U16(group, 6 + 14 * i + 6);
                chosenSize = U8(group, 6 + 14 * i) == 0 ? 256 : U8(group, 6 + 14 * i);
            }
        }
        EXPECT_EQ(chosenBits, bits);
        EXPECT_EQ(chosenSize, static_cast<unsigned>(size));

        UniqueIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"A_MAIN", IMAGE_ICON,
                                                      size, size, LR_DEFAULTCOLOR)));
        ASSERT_TRUE(icon) << GetLastError();
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info));
        const UniqueBitmap colour(info.hbmColor);
        const UniqueBitmap mask(info.hbmMask);
        BITMAP bitmap{};
        ASSERT_TRUE(GetObjectW(colour.get(), sizeof bitmap, &bitmap));
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
    }
}

TEST(LinkedBitmaps, LoadByNameAtEveryScale)
{
    struct Picture {
        const wchar_t* name;
        int width;
        int height;
        int bits;
    };
    const Picture pictures[] = {
        {L"IDB_BTN_ADD", 14, 15, 24}, {L"IDB_BTN_REMOVE", 14, 15, 24}, {L"IDB_BTN_PASSWORD", 14, 15, 24},
        {L"IDB_BTN_ADD_125", 18, 19, 4}, {L"IDB_BTN_REMOVE_125", 18, 19, 4}, {L"IDB_BTN_PASSWORD_125", 18, 19, 4},
        {L"IDB_BTN_ADD_150", 21, 23, 4}, {L"IDB_BTN_REMOVE_150", 21, 23, 4}, {L"IDB_BTN_PASSWORD_150", 21, 23, 4},
        {L"IDB_BTN_ADD_200", 28, 30, 4}, {L"IDB_BTN_REMOVE_200", 28, 30, 4}, {L"IDB_BTN_PASSWORD_200", 28, 30, 4}};
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(testing::Message() << picture.width << "x" << picture.height);
        EXPECT_FALSE(ResourceBytes(RT_BITMAP, picture.name, Russian).empty());
        const UniqueBitmap loaded(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), picture.name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(loaded) << GetLastError();
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectW(loaded.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, picture.width);
        EXPECT_EQ(dib.dsBm.bmHeight, picture.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, picture.bits);
    }
}

TEST(LinkedDescription, IsRussianAnsiText)
{
    const std::string_view text = ResourceBytes(L"TEXT_DATABLOCK", L"DESCRIPTION", Russian);
    ASSERT_FALSE(text.empty()) << "without it the About window cannot open";
    const int length = MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    ASSERT_GT(length, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), length);
    EXPECT_NE(wide.find(L"отладчик"), std::wstring::npos);
}

// ---------------------------------------------------------------------------------------------

class LinkedVersion : public testing::Test {
protected:
    void SetUp() override
    {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
        DWORD ignored = 0;
        block_.resize(GetFileVersionInfoSizeW(path.c_str(), &ignored));
        ASSERT_FALSE(block_.empty()) << "no version block";
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block_.size()), block_.data()));
    }

    std::wstring String(const wchar_t* name)
    {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\041904B0\\") + name;
        if (!VerQueryValueW(block_.data(), path.c_str(), &value, &length) || length == 0)
            return L"<missing>";
        return static_cast<const wchar_t*>(value);
    }

    std::vector<char> block_;
};

TEST_F(LinkedVersion, IsOnePointZeroZeroSixInRussianUnicode)
{
    EXPECT_FALSE(ResourceBytes(RT_VERSION, MAKEINTRESOURCEW(1), Russian).empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block_.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000006u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000006u);

    ASSERT_TRUE(VerQueryValueW(block_.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0419);
    EXPECT_EQ(static_cast<const WORD*>(value)[1], 1200);
}

TEST_F(LinkedVersion, StringsSurviveTheResourceCompiler)
{
    EXPECT_EQ(String(L"ProductName"), L"Quarvel - Jitswap");
    EXPECT_EQ(String(L"CompanyName"), L"Quarvel");
    EXPECT_EQ(String(L"FileVersion"), L"1.00.0006");
    EXPECT_EQ(String(L"ProductVersion"), L"1.00.0006");
    EXPECT_EQ(String(L"OriginalFilename"), L"jitswap.exe");
    EXPECT_NE(String(L"InternalName"), L"<missing>");
    // The source is UTF-8: a compiler that read it in another code page would garble these.
    EXPECT_NE(String(L"FileDescription").find(L"отладчика"), std::wstring::npos);
    EXPECT_EQ(String(L"LegalCopyright").substr(0, 1), L"©");
}

// ---------------------------------------------------------------------------------------------

TEST(LinkedManifest, IsHonouredByTheLoader)
{
    const std::string_view manifest =
        ResourceBytes(RT_MANIFEST, MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("asInvoker"), std::string_view::npos);

    // Common controls 6 come only through the manifest's dependency, from their side-by-side
    // assembly. The assembly's folder tells the version: Wine's DllGetVersion says 5.81 even then.
    const UniqueModule comctl(LoadLibraryW(L"comctl32.dll"));
    ASSERT_TRUE(comctl);
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(comctl.get(), path.data(), static_cast<DWORD>(path.size())));
    CharLowerW(path.data());
    EXPECT_NE(path.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), std::wstring::npos)
        << path;

    EXPECT_TRUE(IsProcessDPIAware());
}

TEST(PlacedReadMe, LiesBesideTheExecutable)
{
    HANDLE opened = CreateFileW((ModuleDirectory() + L"ReadMe.TXT").c_str(), GENERIC_READ,
                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(opened, INVALID_HANDLE_VALUE) << GetLastError();
    const UniqueHandle file(opened);
    unsigned char signature[3]{};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file.get(), signature, sizeof signature, &read, nullptr));
    EXPECT_EQ(read, 3u);
    EXPECT_EQ(signature[0], 0xEF);
    EXPECT_EQ(signature[1], 0xBB);
    EXPECT_EQ(signature[2], 0xBF);
}

} // namespace

// The test crash's programs: a small Windows (GUI) image of each bitness, the 32-bit one for i386.
TEST(LinkedTestCrashPrograms, AreSmallImagesOfTheirBitness)
{
    const std::tuple<const wchar_t*, unsigned, unsigned> programs[] = {
        {L"TEST_CRASH_32", IMAGE_FILE_MACHINE_I386, IMAGE_NT_OPTIONAL_HDR32_MAGIC},
        {L"TEST_CRASH_64", IMAGE_FILE_MACHINE_AMD64, IMAGE_NT_OPTIONAL_HDR64_MAGIC},
    };
    for (const auto& [name, machine, magic] : programs) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        const std::string_view image = ResourceBytes(RT_RCDATA, name, Russian);
        ASSERT_GT(image.size(), 0x200u);
        EXPECT_LE(image.size(), 4096u);
        EXPECT_EQ(image.substr(0, 2), "MZ");
        const std::size_t pe = U32(image, 0x3C);
        EXPECT_EQ(image.substr(pe, 4), std::string_view("PE\0\0", 4));
        EXPECT_EQ(U16(image, pe + 4), machine);
        EXPECT_TRUE(U16(image, pe + 22) & IMAGE_FILE_EXECUTABLE_IMAGE);
        const std::size_t optional = pe + 24;
        EXPECT_EQ(U16(image, optional), magic);
        EXPECT_EQ(U16(image, optional + 68), IMAGE_SUBSYSTEM_WINDOWS_GUI);
        EXPECT_NE(U32(image, optional + 16), 0u) << "an entry point";
    }
}
