#include "support/RunTimeError.h"

#include "support/MessageBox.h"
#include "support/TextConversion.h"

#include <stdexcept>
#include <string>

namespace jitswap {

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
    // A failure while the box for an earlier one is up is part of the same end of the program:
    // one error, one box.
    static bool reporting = false;
    if (reporting) {
        PostQuitMessage(kRunTimeErrorExitCode);
        return;
    }
    reporting = true;
    try {
        ShowMessage(RunTimeErrorText(error), kStyleError);
    } catch (...) {
        // Nothing is left to tell the user with; ending the program is all that remains.
    }
    reporting = false;
    // Every loop, the modal ones included, passes WM_QUIT outwards, so the windows are destroyed in
    // order and the tray icon goes with them.
    PostQuitMessage(kRunTimeErrorExitCode);
}

} // namespace jitswap
