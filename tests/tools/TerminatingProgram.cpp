// A program of the tests' own that ends through std::terminate, or through abort when its command
// line says "abort", with jitswap.exe's own handler (app/TerminateHandler.cpp) linked in, as the
// program would after an exception nothing handles or a failure of the C library.

#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <exception>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int)
{
    if (std::wcsstr(arguments, L"abort")) std::abort();
    std::terminate();
}
