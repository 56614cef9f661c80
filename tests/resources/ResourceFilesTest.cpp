// The committed sources of the executable's resources, read byte by byte: a regenerated or
// hand-edited file that Windows would reject, or would show wrongly, fails here first.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadResourceFile(const std::string& name)
{
    std::ifstream in(std::string(JITSWAP_RESOURCES_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << name;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Little-endian fields; at() throws on a truncated file, which fails the test.
unsigned U8(const Bytes& b, std::size_t at) { return b.at(at); }
unsigned U16(const Bytes& b, std::size_t at) { return U8(b, at) | U8(b, at + 1) << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | std::uint32_t{U16(b, at + 2)} << 16; }
std::int32_t I32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

using Rgb = std::tuple<unsigned, unsigned, unsigned>;
const Rgb Black{0, 0, 0};
const Rgb Grey{128, 128, 128};
const Rgb Silver{192, 192, 192};
const Rgb White{255, 255, 255};
const Rgb Magenta{255, 0, 255};

// The standard 16-colour palette, in the order Windows' own 4-bpp icons use.
const std::array<Rgb, 16> VgaPalette{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
    {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

std::size_t Stride(unsigned width, unsigned bits) { return (width * bits + 31) / 32 * 4; }

// ---------------------------------------------------------------------------------------------

struct IconImage {
    unsigned width = 0;
    unsigned height = 0;
    unsigned bits = 0;
    unsigned transparent = 0;
    unsigned transparentButNotBlack = 0;
    bool png = false;
};

// Reads one directory entry's image: a BMP-style DIB of doubled height whose colour bits are
// followed by the 1-bpp AND mask, or a PNG of 8-bit RGBA.
IconImage ReadIconImage(const Bytes& file, std::size_t entry)
{
    IconImage image;
    image.width = U8(file, entry) == 0 ? 256 : U8(file, entry);
    image.height = U8(file, entry + 1) == 0 ? 256 : U8(file, entry + 1);
    image.bits = U16(file, entry + 6);
    EXPECT_EQ(U8(file, entry + 2), image.bits == 4 ? 16u : 0u) << "colour count";
    EXPECT_EQ(U8(file, entry + 3), 0u);
    EXPECT_EQ(U16(file, entry + 4), 1u) << "planes";
    const std::uint32_t size = U32(file, entry + 8);
    const std::uint32_t offset = U32(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset) {
        ADD_FAILURE() << "image outside the file";
        return image;
    }
    const Bytes dib(file.begin() + offset, file.begin() + offset + size);

    if (dib.size() >= 8 && Bytes(dib.begin(), dib.begin() + 8) == Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}) {
        const auto big32 = [&](std::size_t at) { return U8(dib, at) << 24 | U8(dib, at + 1) << 16 | U8(dib, at + 2) << 8 | U8(dib, at + 3); };
        EXPECT_EQ(big32(16), image.width);
        EXPECT_EQ(big32(20), image.height);
        EXPECT_EQ(U8(dib, 24), 8u) << "bit depth";
        EXPECT_EQ(U8(dib, 25), 6u) << "RGBA";
        EXPECT_EQ(image.bits, 32u);
        image.png = true;
        return image;
    }

    EXPECT_EQ(U32(dib, 0), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(I32(dib, 4), static_cast<std::int32_t>(image.width));
    EXPECT_EQ(I32(dib, 8), static_cast<std::int32_t>(2 * image.height));
    EXPECT_EQ(U16(dib, 12), 1u);
    EXPECT_EQ(U16(dib, 14), image.bits);
    EXPECT_EQ(U32(dib, 16), 0u) << "BI_RGB";

    std::vector<Rgb> palette;
    if (image.bits <= 8) {
        const std::uint32_t used = U32(dib, 32) != 0 ? U32(dib, 32) : 1u << image.bits;
        for (std::uint32_t i = 0; i < used; ++i)
            palette.emplace_back(U8(dib, 40 + 4 * i + 2), U8(dib, 40 + 4 * i + 1), U8(dib, 40 + 4 * i));
    }
    if (image.bits == 4) {
        EXPECT_TRUE(std::equal(palette.begin(), palette.end(), VgaPalette.begin(), VgaPalette.end()))
            << "a 4-bpp image uses the standard VGA palette";
    }

    const std::size_t colourBits = 40 + 4 * palette.size();
    const std::size_t maskBits = colourBits + Stride(image.width, image.bits) * image.height;
    EXPECT_EQ(dib.size(), maskBits + Stride(image.width, 1) * image.height);

    for (unsigned y = 0; y < image.height; ++y) {
        for (unsigned x = 0; x < image.width; ++x) {
            const std::size_t maskByte = maskBits + Stride(image.width, 1) * y + x / 8;
            if ((U8(dib, maskByte) >> (7 - x % 8) & 1) == 0)
                continue;
            ++image.transparent;
            const std::size_t row = colourBits + Stride(image.width, image.bits) * y;
            Rgb colour;
            if (image.bits == 32) {
                colour = {U8(dib, row + 4 * x + 2), U8(dib, row + 4 * x + 1), U8(dib, row + 4 * x)};
                if (U8(dib, row + 4 * x + 3) != 0) colour = White;  // visible through the mask
            } else if (image.bits == 24)
                colour = {U8(dib, row + 3 * x + 2), U8(dib, row + 3 * x + 1), U8(dib, row + 3 * x)};
            else if (image.bits == 8)
                colour = palette.at(U8(dib, row + x));
            else
                colour = palette.at(U8(dib, row + x / 2) >> (x % 2 == 0 ? 4 : 0) & 0xF);
            if (colour != Black)
                ++image.transparentButNotBlack;
        }
    }
    return image;
}

TEST(IconFile, HoldsAnImageForEveryScaleWithUsableMasks)
{
    const Bytes file = ReadResourceFile("A_MAIN.ico");
    ASSERT_EQ(U16(file, 0), 0u);
    ASSERT_EQ(U16(file, 2), 1u) << "an icon, not a cursor";
    const unsigned count = U16(file, 4);
    ASSERT_EQ(count, 10u);

    std::set<std::tuple<unsigned, unsigned, unsigned>> formats;
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        const IconImage image = ReadIconImage(file, 6 + 16 * i);
        formats.emplace(image.width, image.height, image.bits);
        // PNG is for the large images only: it keeps the executable small, and a small icon
        // stays readable by every program that draws icons itself.
        EXPECT_EQ(image.png, image.width >= 40) << image.width;
        if (image.png) continue;
        const unsigned pixels = image.width * image.height;
        // A transparent background, and still a picture: neither a square nor an empty image.
        EXPECT_GT(image.transparent, pixels / 10);
        EXPECT_LT(image.transparent, pixels * 3 / 4);
        // Where the mask is set the screen is XORed with the colour bits, so anything but black
        // there would show as a speckle of inverted colour.
        EXPECT_EQ(image.transparentButNotBlack, 0u);
    }
    const std::set<std::tuple<unsigned, unsigned, unsigned>> expected{
        {16, 16, 4}, {16, 16, 8}, {32, 32, 4}, {32, 32, 24}, {20, 20, 32},
        {24, 24, 32}, {40, 40, 32}, {48, 48, 32}, {64, 64, 32}, {256, 256, 32}};
    EXPECT_EQ(formats, expected);
}

// ---------------------------------------------------------------------------------------------

struct Bitmap {
    std::vector<std::vector<Rgb>> rows;   // top row first
};

Bitmap ReadButtonBitmap(const std::string& name)
{
    const Bytes file = ReadResourceFile(name);
    EXPECT_EQ(U16(file, 0), 0x4D42u) << "BM";
    EXPECT_EQ(U32(file, 2), file.size());
    EXPECT_EQ(U32(file, 10), 54u) << "no palette";
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(I32(file, 18), 14);
    EXPECT_EQ(I32(file, 22), 15) << "15 rows, bottom-up";
    EXPECT_EQ(U16(file, 26), 1u);
    EXPECT_EQ(U16(file, 28), 24u);
    EXPECT_EQ(U32(file, 30), 0u) << "BI_RGB";

    Bitmap bitmap;
    for (int y = 14; y >= 0; --y) {
        std::vector<Rgb> row;
        for (std::size_t x = 0; x < 14; ++x) {
            const std::size_t at = 54 + Stride(14, 24) * y + 3 * x;
            row.emplace_back(U8(file, at + 2), U8(file, at + 1), U8(file, at));
        }
        bitmap.rows.push_back(row);
    }
    return bitmap;
}

std::set<Rgb> Colours(const Bitmap& bitmap)
{
    std::set<Rgb> colours;
    for (const auto& row : bitmap.rows)
        colours.insert(row.begin(), row.end());
    return colours;
}

TEST(ButtonBitmaps, AreFourteenByFifteenOnMagenta)
{
    for (const char* name : {"btn_add.bmp", "btn_remove.bmp", "btn_password.bmp"}) {
        SCOPED_TRACE(name);
        const Bitmap bitmap = ReadButtonBitmap(name);
        // The buttons take magenta as transparent; the corners are background on every picture.
        EXPECT_EQ(bitmap.rows.front().front(), Magenta);
        EXPECT_EQ(bitmap.rows.front().back(), Magenta);
        EXPECT_EQ(bitmap.rows.back().front(), Magenta);
        EXPECT_EQ(bitmap.rows.back().back(), Magenta);
    }
}

TEST(ButtonBitmaps, PlusAndCrossAreSilverWithAClosedBlackOutline)
{
    for (const char* name : {"btn_add.bmp", "btn_remove.bmp"}) {
        SCOPED_TRACE(name);
        const Bitmap bitmap = ReadButtonBitmap(name);
        EXPECT_EQ(Colours(bitmap), (std::set<Rgb>{Black, Silver, Magenta}));
        // No silver pixel touches the background: the outline goes all the way round.
        const auto at = [&](int x, int y) { return bitmap.rows.at(y).at(x); };
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 14; ++x) {
                if (at(x, y) != Silver)
                    continue;
                ASSERT_TRUE(y > 0 && x > 0 && y < 14 && x < 13) << "fill on the edge at " << x << "," << y;
                EXPECT_TRUE(at(x + 1, y) != Magenta && at(x - 1, y) != Magenta &&
                            at(x, y + 1) != Magenta && at(x, y - 1) != Magenta)
                    << "fill touches the background at " << x << "," << y;
            }
        }
    }
}

TEST(ButtonBitmaps, PencilIsDrawnInBlackWhiteSilverAndGrey)
{
    EXPECT_EQ(Colours(ReadButtonBitmap("btn_password.bmp")),
              (std::set<Rgb>{Black, White, Silver, Grey, Magenta}));
}

// ---------------------------------------------------------------------------------------------

TEST(DescriptionText, IsRussianInWindows1251)
{
    const Bytes text = ReadResourceFile("description.txt");
    ASSERT_FALSE(text.empty());
    const std::string bytes(text.begin(), text.end());
    // "отладчик" in Windows-1251; in UTF-8 or any other encoding these bytes do not appear.
    EXPECT_NE(bytes.find("\xEE\xF2\xEB\xE0\xE4\xF7\xE8\xEA"), std::string::npos);
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << "no UTF-8 signature in ANSI text";
    for (std::size_t i = 0; i < text.size(); ++i) {
        EXPECT_NE(text[i], 0x98) << "byte " << i << " is undefined in Windows-1251";
        EXPECT_TRUE(text[i] >= 0x20 || text[i] == '\r' || text[i] == '\n' || text[i] == '\t')
            << "control byte " << int{text[i]} << " at " << i;
    }
}

// ---------------------------------------------------------------------------------------------

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(const Bytes& b)
{
    std::size_t i = 0;
    while (i < b.size()) {
        const unsigned lead = b[i];
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > b.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((b[i + k] & 0xC0) != 0x80)
                return false;
            code = code << 6 | (b[i + k] & 0x3F);
        }
        const std::uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

TEST(Utf8Validator, RejectsMalformedText)
{
    EXPECT_TRUE(IsValidUtf8({0xD0, 0x9E, 'k'}));
    EXPECT_FALSE(IsValidUtf8({0xEE, 0xF2}));             // Windows-1251
    EXPECT_FALSE(IsValidUtf8({0xC0, 0xAF}));             // overlong '/'
    EXPECT_FALSE(IsValidUtf8({0xED, 0xA0, 0x80}));       // a surrogate
    EXPECT_FALSE(IsValidUtf8({0xD0}));                   // cut short
}

TEST(ReadMe, IsUtf8WithSignatureAndWindowsLineEnds)
{
    const Bytes text = ReadResourceFile("ReadMe.TXT");
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(Bytes(text.begin(), text.begin() + 3), (Bytes{0xEF, 0xBB, 0xBF}));
    EXPECT_TRUE(IsValidUtf8(text));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
        }
        if (text[i] == '\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
        }
    }
}

TEST(ReadMe, NamesTheMenuItemsAsTheMenuShowsThem)
{
    const Bytes text = ReadResourceFile("ReadMe.TXT");
    const std::string guide(text.begin(), text.end());
    for (const char* caption : {"Править список...", "Неизвестный", "Проверить отладчик...", "Проверка отладчика",
                                "Исправить", "Сбой 64-битной программы", "Сбой 32-битной программы", "Запускать с Windows",
                                "Сообщать о смене отладчика", "Справка",
                                "Содержание...", "О программе...", "Выход", "Список отладчиков",
                                "Не удалось установить новый профиль!"})
        EXPECT_NE(guide.find(caption), std::string::npos) << caption;
    // The access-key marker is menu markup; the user never sees it.
    EXPECT_EQ(guide.find('&'), std::string::npos);
}

} // namespace
