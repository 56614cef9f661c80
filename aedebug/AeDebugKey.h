#pragma once
// The AeDebug key: where Windows keeps its just-in-time debugger, under which value names, and in
// which registry views, so that the switch, the watch and the checks all mean the same place.

#include <windows.h>

#include <optional>
#include <string_view>

namespace jitswap {

// Under HKEY_LOCAL_MACHINE, in every registry view the system keeps.
inline constexpr wchar_t kAeDebugSubkey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
inline constexpr wchar_t kDebuggerValue[] = L"Debugger";
inline constexpr wchar_t kAutoValue[] = L"Auto";

// The flag that opens the key in one view: KEY_WOW64_64KEY or KEY_WOW64_32KEY on 64-bit Windows,
// 0 for the one registry of 32-bit Windows.
using RegistryView = REGSAM;

// The views the system reads the setting from on this Windows. Both are named explicitly on
// 64-bit Windows, so that a 32-bit build means the same views as a 64-bit one.
struct AeDebugViews {
    RegistryView native;                // for programs of the system's own bitness
    std::optional<RegistryView> wow32;  // for 32-bit programs on 64-bit Windows
};
AeDebugViews AeDebugViewsHere();

// How the system takes a stored "Auto": set only for "1", with or without blanks and tabs around it.
bool IsAutoText(std::wstring_view stored);

} // namespace jitswap
