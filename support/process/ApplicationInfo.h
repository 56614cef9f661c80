#pragma once
// What the running program says of itself: the title every message box shows, and its version block.

#include <string>

namespace jitswap {

// What the executable says of itself in its version block.
struct ApplicationInfo {
    std::wstring title;        // "ProductName"
    std::wstring version;      // "1.00.0006", from the fixed file version
    std::wstring description;  // "FileDescription"
    std::wstring company;      // "CompanyName"
    std::wstring copyright;    // "LegalCopyright"
};
ApplicationInfo ReadApplicationInfo();

// The application title, the caption of every message box.
inline constexpr wchar_t kApplicationTitle[] = L"Quarvel - Jitswap";

} // namespace jitswap
