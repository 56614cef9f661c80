#include "tests/common/DialogDriver.h"

#include "support/process/ApplicationInfo.h"
#include "support/window/Dpi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace jitswap::test {
namespace {

bool IsExtendedKey(WORD key)
{
    switch (key) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void Send(std::vector<INPUT>& inputs)
{
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    EXPECT_EQ(sent, inputs.size()) << "SendInput";
}

std::wstring ScreenshotFolder()
{
    // Wine passes the build tree's POSIX path; its drive Z: is the POSIX root.
    std::wstring folder = L"screenshots";
    if (const char* binary = std::getenv("JITSWAP_BINARY_DIR"); binary && *binary) {
        std::string path = binary;
        for (char& c : path) {
            if (c == '/') c = '\\';
        }
        folder = (path[0] == '\\' ? L"Z:" : L"") + std::wstring(path.begin(), path.end()) + L"\\screenshots";
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

} // namespace

HWND ShownForm(const wchar_t* caption)
{
    for (HWND window : VisibleWindowsOfThisProcess(L"JitswapForm")) {
        if (Text(window) == caption) return window;
    }
    return nullptr;
}

HWND ShownMessageBox()
{
    for (HWND window : VisibleWindowsOfThisProcess(L"#32770")) {
        if (Text(window) == kApplicationTitle) return window;
    }
    return nullptr;
}

HWND ShownDialogOwnedBy(HWND owner)
{
    for (HWND window : VisibleWindowsOfThisProcess(L"#32770")) {
        if (GetWindow(window, GW_OWNER) == owner) return window;
    }
    return nullptr;
}

HWND BoxInFront()
{
    HWND box = ShownMessageBox();
    return box && IsForeground(box) ? box : nullptr;
}

void ExpectBox(HWND box, const std::wstring& text, std::vector<int> buttons, UINT icon)
{
    SeenDialog seen = Describe(box);
    EXPECT_EQ(seen.texts, std::vector<std::wstring>{text});
    std::sort(seen.buttons.begin(), seen.buttons.end());
    EXPECT_EQ(seen.buttons, buttons);
    EXPECT_EQ(seen.iconStyle, icon);
}

bool IsForeground(HWND window)
{
    return window && GetForegroundWindow() == window;
}

bool IsEnabled(HWND window)
{
    return window && IsWindowEnabled(window);
}

std::wstring Text(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

void Click(HWND button)
{
    ASSERT_TRUE(IsEnabled(button)) << "clicking a disabled button";
    SendMessageW(button, BM_CLICK, 0, 0);
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers)
{
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(KeyInput(*--it, true));
    Send(inputs);
}

void Type(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    Send(inputs);
}

void ClickAt(POINT screen, int clicks)
{
    ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
    // Every event carries the point, so no other pointer position can come between the clicks.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs;
    for (int i = 0; i < clicks; ++i) {
        for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dx = MulDiv(screen.x, 65535, width - 1);
            input.mi.dy = MulDiv(screen.y, 65535, height - 1);
            input.mi.dwFlags = flag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            inputs.push_back(input);
        }
    }
    Send(inputs);
}

void DoubleClickAt(POINT screen)
{
    ClickAt(screen, 2);
}

void Answer(HWND dialog, int buttonId)
{
    HWND button = GetDlgItem(dialog, buttonId);
    ASSERT_NE(button, nullptr) << "the dialog has no button " << buttonId;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::wstring ListItem(HWND listBox, int index)
{
    const LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return L"<none>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int ListCount(HWND listBox)
{
    return static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0));
}

int ListSelection(HWND listBox)
{
    return static_cast<int>(SendMessageW(listBox, LB_GETCURSEL, 0, 0));
}

void Repaint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
}

std::wstring SaveScreenshot(HWND window, const std::wstring& name)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as BMP files store it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header.biSizeImage = stride * static_cast<DWORD>(height);

    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                       nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();

    const std::wstring file = ScreenshotFolder() + L"\\" + name + L".bmp";
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(static_cast<const char*>(bits), header.biSizeImage);
    EXPECT_TRUE(out.good()) << "writing the screenshot";

    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(picture);
    ReleaseDC(nullptr, screen);
    return file;
}

bool ScreenPixels::Contains(COLORREF colour) const
{
    return std::find(colours.begin(), colours.end(), colour) != colours.end();
}

ScreenPixels PixelsOf(HWND window, int margin)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    InflateRect(&bounds, -margin, -margin);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    ScreenPixels pixels;
    if (width <= 0 || height <= 0) return pixels;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();
    const auto* bgrx = static_cast<const DWORD*>(bits);
    pixels.width = width;
    for (int i = 0; i < width * height; ++i) {
        const DWORD pixel = bgrx[i];
        pixels.colours.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(copy);
    ReleaseDC(nullptr, screen);
    return pixels;
}

COLORREF ClientPixel(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::wstring ScalePercentOf(HWND window)
{
    const UINT dpi = WindowDpi(window);
    // A session started for another scale that came up at 96 dpi would test nothing new.
    if (const char* expected = std::getenv("JITSWAP_EXPECTED_DPI"); expected && *expected) {
        EXPECT_EQ(dpi, static_cast<UINT>(std::atoi(expected))) << "the session's display scale";
    }
    return std::to_wstring(MulDiv(static_cast<int>(dpi), 100, 96));
}

} // namespace jitswap::test
