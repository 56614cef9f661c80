#include "support/win32/WineHost.h"

#include "support/win32/SystemLibrary.h"

namespace jitswap {

bool RunsUnderWine()
{
    return LoadedFunction<const char*(CDECL*)()>(L"ntdll.dll", "wine_get_version") != nullptr;
}

} // namespace jitswap
