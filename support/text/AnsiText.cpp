#include "support/text/AnsiText.h"
#include "support/text/TextConversion.h"

namespace jitswap {

std::wstring qsGetStringFromPointerA(const char* buffer)
{
    if (buffer == nullptr) return {};
    return AnsiToWide(std::string_view(buffer));
}

} // namespace jitswap
