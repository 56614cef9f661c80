#include "aedebug/AeDebugKey.h"

#include "support/text/TextTrim.h"
#include "support/win32/WindowsBitness.h"

namespace jitswap {

AeDebugViews AeDebugViewsHere()
{
    if (IsWindows64Bit()) return {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
    return {0, std::nullopt};
}

bool IsAutoText(std::wstring_view stored)
{
    return qsTrimEx(stored) == L"1";
}

} // namespace jitswap
