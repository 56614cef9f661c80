#pragma once
// The last line of defence: an exception that nothing else handled is shown to the user as a
// run-time error and ends the program. It never crosses into the system's callbacks.

#include <exception>
#include <string>
#include <utility>

namespace jitswap {

inline constexpr int kRunTimeErrorExitCode = 5;

// "Ошибка выполнения." and the error's own description, as the user is told of it.
std::wstring RunTimeErrorText(const std::exception_ptr& error);

// Shows the error and asks every message loop of the program to end (WM_QUIT). Never throws.
// Only the first error is shown: one error, one box.
void ReportRunTimeError(const std::exception_ptr& error) noexcept;

// True from the first run-time error on. The program is ending then, and what the user does in
// the meantime (a click on the tray icon while the box is up, or queued before the end) is not
// acted on: it would only meet the same failure and show another box.
bool IsEndingAfterRunTimeError() noexcept;

// For a test process that goes on after a run-time error ended its message loop.
void ForgetRunTimeError() noexcept;

// Runs `handler`; returns false when it failed, after the failure was reported.
template <class Handler>
bool RunGuarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (...) {
        ReportRunTimeError(std::current_exception());
        return false;
    }
}

} // namespace jitswap
