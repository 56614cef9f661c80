#include "support/window/CommonControls.h"

#include "support/win32/SystemLibrary.h"

#include <commctrl.h>

namespace jitswap {
namespace {

const SystemLibrary& Library()
{
    // A failed load throws, and the next call tries again.
    static const SystemLibrary library(L"comctl32.dll");
    return library;
}

} // namespace

void InitCommonControlClasses(DWORD classes)
{
    const INITCOMMONCONTROLSEX wanted{sizeof wanted, classes};
    Library().Get<decltype(&InitCommonControlsEx)>("InitCommonControlsEx")(&wanted);
}

FARPROC CommonControlsProcedure(const char* name)
{
    return Library().GetIfPresent<FARPROC>(name);
}

} // namespace jitswap
