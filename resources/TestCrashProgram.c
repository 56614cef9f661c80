/* The program the test crash runs (aedebug/TestCrash.h), carried in jitswap.exe for each bitness:
   it dies at once of an access violation, with nothing in the way of the system's crash handling.
   It has no C runtime, so no exception filter of its own, and no window; its one import makes
   sure kernel32, where the system's unhandled-exception handling starts, is loaded. */
#include <windows.h>

void Start(void)
{
    GetCurrentProcessId();
    *(volatile int*)0 = 0;
}
