#pragma once
// What the tests of the debugger setting use to look at and to disturb the system's storage
// without going through the code under test.

#include "support/UniqueHandle.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace jitswap::test {

inline constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";

// Puts the AeDebug key back as it was (its values, or its absence) when the object goes, so the
// Wine prefix the tests share keeps its own crash handler.
class AeDebugKeyBackup {
public:
    AeDebugKeyBackup();
    ~AeDebugKeyBackup();
    AeDebugKeyBackup(const AeDebugKeyBackup&) = delete;
    AeDebugKeyBackup& operator=(const AeDebugKeyBackup&) = delete;

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };
    bool m_existed = false;
    std::vector<Value> m_values;
};

// Stores a value in the AeDebug key as another tool would, creating the key if needed.
void PlantAeDebugValue(const wchar_t* name, DWORD type, const void* data, DWORD size);
void PlantAeDebugText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ);
void RemoveAeDebugValue(const wchar_t* name);
void RemoveAeDebugKey();

// What `reg query` prints for a value of the AeDebug key: its type name and its data;
// std::nullopt when reg finds no such value.
struct RegQueryLine {
    std::wstring type;
    std::wstring data;
};
std::optional<RegQueryLine> RegQueryAeDebug(const wchar_t* name);

// The raw ANSI text after "key=" in section [AeDebug] of the WIN.INI file itself;
// std::nullopt when the section has no such key.
std::optional<std::string> WinIniAeDebugLine(const char* key);

// Replaces the DACL of the AeDebug key with one given in SDDL while the object lives.
class AeDebugKeyDacl {
public:
    explicit AeDebugKeyDacl(const wchar_t* sddl);
    ~AeDebugKeyDacl();
    AeDebugKeyDacl(const AeDebugKeyDacl&) = delete;
    AeDebugKeyDacl& operator=(const AeDebugKeyDacl&) = delete;

private:
    UniqueHKey m_key;
    std::vector<BYTE> m_saved;
};

} // namespace jitswap::test
