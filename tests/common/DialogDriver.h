#pragma once
// What a user does to the dialogs, done to the real windows of this process: finding them,
// pressing their buttons, typing, clicking, and taking a picture of them.

#include "tests/common/UiTestSupport.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace jitswap::test {

// The shown window of one of the program's forms with this caption, or nullptr.
HWND ShownForm(const wchar_t* caption);
// The shown message box of the program (its caption is the application title), or nullptr.
HWND ShownMessageBox();
// The program's message box when it is in front, or nullptr.
HWND BoxInFront();
// What the user sees of a message box, checked against the text and style the program shows.
void ExpectBox(HWND box, const std::wstring& text, std::vector<int> buttons, UINT icon);
// The shown system dialog owned by `owner` (the file dialog, say), or nullptr.
HWND ShownDialogOwnedBy(HWND owner);

bool IsForeground(HWND window);
bool IsEnabled(HWND window);
std::wstring Text(HWND window);

// Presses a push button the way a click does; it must be enabled.
void Click(HWND button);
// A real key press through the system's input, with modifiers held around it.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Real typing of text into whatever has the focus.
void Type(const std::wstring& text);
// Real clicks of the left button at a point of the screen; two make a double-click.
void ClickAt(POINT screen, int clicks = 1);
void DoubleClickAt(POINT screen);
// Answers a message box or dialog with one of its buttons.
void Answer(HWND dialog, int buttonId);

// The list box's items and selection.
std::wstring ListItem(HWND listBox, int index);
int ListCount(HWND listBox);
int ListSelection(HWND listBox);

// Paints the window and its controls now; the screen shows it a moment later.
void Repaint(HWND window);

// A picture of what the screen shows of the window, written as a BMP file into the build tree's
// "screenshots" folder; returns the file name it wrote.
std::wstring SaveScreenshot(HWND window, const std::wstring& name);
// What the screen shows of a window, less a margin on every side.
struct ScreenPixels {
    std::vector<COLORREF> colours;  // rows top-down
    int width = 0;
    bool Contains(COLORREF colour) const;
};
ScreenPixels PixelsOf(HWND window, int margin);

// The window's display scale in percent ("100", "150"), for screenshots' names. Fails the test
// when the session was started for another DPI (JITSWAP_EXPECTED_DPI) and did not get it.
std::wstring ScalePercentOf(HWND window);

// The colour the screen shows at a point of the window's client area.
COLORREF ClientPixel(HWND window, int x, int y);

} // namespace jitswap::test
