// Tells by its exit code which family the real host check sees: 1 the NT family, 0 an older one.
#include "support/win32/HostFamily.h"

int main()
{
    return jitswap::qsIsHostWinNT() ? 1 : 0;
}
