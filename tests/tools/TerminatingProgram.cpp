// A program of the tests' own that ends through std::terminate with jitswap.exe's own handler
// (app/TerminateHandler.cpp) linked in, as the program would after an exception nothing handles.

#include <windows.h>

#include <exception>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::terminate();
}
