#pragma once
// What the tests of the debugger setting use to look at and to disturb the system's storage
// without going through the code under test.

#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace jitswap::test {

inline constexpr wchar_t kAeDebugKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";

// Every helper below works on one registry view: `view` is KEY_WOW64_64KEY, KEY_WOW64_32KEY, or 0
// for the test program's own.

// Every value of the AeDebug key by name, as stored; std::nullopt when the key is absent.
struct StoredValue {
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const StoredValue&) const = default;
};
using StoredValues = std::map<std::wstring, StoredValue>;
inline void PrintTo(const StoredValue& value, std::ostream* out)
{
    *out << "type " << value.type << ", " << value.data.size() << " bytes";
}
std::optional<StoredValues> AeDebugKeyValues(REGSAM view = 0);

// Puts the AeDebug key back as it was (its values, or its absence) when the object goes, so the
// Wine prefix the tests share keeps its own crash handler.
class AeDebugKeyBackup {
public:
    explicit AeDebugKeyBackup(REGSAM view = 0);
    ~AeDebugKeyBackup();
    AeDebugKeyBackup(const AeDebugKeyBackup&) = delete;
    AeDebugKeyBackup& operator=(const AeDebugKeyBackup&) = delete;

private:
    REGSAM m_view;
    std::optional<StoredValues> m_saved;
};

// Stores a value in the AeDebug key as another tool would, creating the key if needed.
void PlantAeDebugValue(const wchar_t* name, DWORD type, const void* data, DWORD size, REGSAM view = 0);
void PlantAeDebugText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ, REGSAM view = 0);
void RemoveAeDebugValue(const wchar_t* name, REGSAM view = 0);
void RemoveAeDebugKey(REGSAM view = 0);

// What `reg query` prints for a value of the AeDebug key: its type name and its data;
// std::nullopt when reg finds no such value.
struct RegQueryLine {
    std::wstring type;
    std::wstring data;
};
std::optional<RegQueryLine> RegQueryAeDebug(const wchar_t* name, REGSAM view = 0);

// The raw ANSI text after "key=" in section [AeDebug] of the WIN.INI file itself;
// std::nullopt when the section has no such key.
std::optional<std::string> WinIniAeDebugLine(const char* key);

// Replaces the DACL of the AeDebug key with one given in SDDL while the object lives.
class AeDebugKeyDacl {
public:
    explicit AeDebugKeyDacl(const wchar_t* sddl, REGSAM view = 0);
    ~AeDebugKeyDacl();
    AeDebugKeyDacl(const AeDebugKeyDacl&) = delete;
    AeDebugKeyDacl& operator=(const AeDebugKeyDacl&) = delete;

private:
    UniqueHKey m_key;
    std::vector<BYTE> m_saved;
};

} // namespace jitswap::test
