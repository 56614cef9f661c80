#include "support/window/RunTimeError.h"

#include "support/text/TextConversion.h"
#include "support/window/MessageBox.h"

#include <string>

namespace jitswap {
namespace {

bool g_ending = false;

} // namespace

std::wstring RunTimeErrorText(const std::exception_ptr& error)
{
    std::wstring text = L"Ошибка выполнения.";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& failure) {
        text += L"\n\n" + Utf8ToWide(failure.what());
    } catch (...) {
    }
    return text;
}

void ReportRunTimeError(const std::exception_ptr& error) noexcept
{
    // A failure after the first one, while its box is up or before the loops have ended, is part
    // of the same end of the program: one error, one box.
    if (!g_ending) {
        g_ending = true;
        try {
            ShowMessage(RunTimeErrorText(error), kStyleError);
        } catch (...) {
            // Nothing is left to tell the user with; ending the program is all that remains.
        }
    }
    // Every loop, the modal ones included, passes WM_QUIT outwards, so the windows are destroyed in
    // order and the tray icon goes with them.
    PostQuitMessage(kRunTimeErrorExitCode);
}

bool IsEndingAfterRunTimeError() noexcept
{
    return g_ending;
}

void ForgetRunTimeError() noexcept
{
    g_ending = false;
}

} // namespace jitswap
