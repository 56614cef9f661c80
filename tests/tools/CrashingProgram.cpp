// A program of the tests' own that dies at once of an access violation, with nothing in the way
// of the system's crash handling: no exception filter, the error mode left as inherited.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    *static_cast<volatile int*>(nullptr) = 1;
    return 0;
}
