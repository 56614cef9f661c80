#pragma once
// The registry as the program's tests set it and read it back: catalogue entries as the program
// stores them, and the system's AeDebug values in both registry views.

#include <windows.h>

#include <string>

namespace jitswap::test::registry {

inline constexpr wchar_t kCatalogueKey[] = L"Software\\Quarvel\\Jitswap\\Debuggers";
inline constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
inline constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

// A REG_SZ value, creating the key in that view (0: the test program's own) if needed.
void WriteText(HKEY root, const wchar_t* subkey, const std::wstring& name, const std::wstring& value, REGSAM view = 0);

// Without a 32-bit command line, as the previous version stores a slot: three values.
void StoreEntry(int slot, const std::wstring& title, const std::wstring& commandLine, bool autoStart,
                const std::wstring& commandLine32 = L"");

void SetSystemView(REGSAM view, const std::wstring& debugger, const std::wstring& autoText);
void SetSystem(const std::wstring& debugger, const std::wstring& autoText);  // both views

// "Debugger, Auto" of the native view, then of the 32-bit one; "(absent)" for a missing value.
std::wstring System();

} // namespace jitswap::test::registry
