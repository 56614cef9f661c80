#pragma once
// The last line of defence: an exception that nothing else handled is shown to the user as a
// run-time error and ends the program. It never crosses into the system's callbacks.

#include <exception>
#include <string>
#include <utility>

namespace jitswap {

inline constexpr int kRunTimeErrorExitCode = 3;

// "Ошибка выполнения." and the error's own description, as the user is told of it.
std::wstring RunTimeErrorText(const std::exception_ptr& error);

// Shows the error and asks every message loop of the program to end (WM_QUIT). Never throws.
void ReportRunTimeError(const std::exception_ptr& error) noexcept;

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
