#pragma once
// The program's message boxes: modal, with the application title as caption.

#include <windows.h>

#include <string_view>

namespace jitswap {

// Style values as the program uses them: buttons plus icon.
inline constexpr UINT kStyleError = MB_OK | MB_ICONERROR;             // 16
inline constexpr UINT kStyleQuestion = MB_YESNO | MB_ICONQUESTION;    // 36
inline constexpr UINT kStyleWarning = MB_OK | MB_ICONEXCLAMATION;     // 48
inline constexpr UINT kStyleWarningQuestion = MB_YESNO | MB_ICONEXCLAMATION;  // 52

// Shows the text modally over the program's active window (or its hidden owner window when none
// is active) and returns the button pressed (IDOK, IDYES, IDNO).
int ShowMessage(std::wstring_view text, UINT style);

} // namespace jitswap
