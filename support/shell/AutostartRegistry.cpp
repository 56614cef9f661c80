#include "support/process/ExecutablePath.h"
#include "support/registry/RegistryKey.h"
#include "support/registry/RegistryQuery.h"
#include "support/shell/AutostartRegistry.h"
#include "support/shell/StartupApproval.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"

namespace jitswap {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kApprovalKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

std::wstring Unquoted(std::wstring text)
{
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') return text.substr(1, text.size() - 2);
    return text;
}

bool SamePath(const std::wstring& left, const std::wstring& right)
{
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

// Whether the user disabled the program in Task Manager's start-up list, where Windows looks
// before it starts a program of the Run key.
bool DisabledInTaskManager(const std::wstring& name)
{
    UniqueHKey key;
    ThrowIfFailed(OpenKeyIfPresent(HKEY_CURRENT_USER, kApprovalKey, KEY_QUERY_VALUE, key),
                  "Reading the start-with-Windows approval");
    if (!key) return false;
    const auto record = QueryRegistryValue(key.get(), name.c_str());
    return record && IsDisabledStartupRecord(record->type, record->data);
}

// Enables the program in Task Manager's list as Task Manager itself does; true when nothing there
// keeps it from starting any more.
bool EnableInTaskManager(const std::wstring& name)
{
    UniqueHKey key;
    if (OpenKeyIfPresent(HKEY_CURRENT_USER, kApprovalKey, KEY_QUERY_VALUE | KEY_SET_VALUE, key) != ERROR_SUCCESS)
        return false;
    if (!key) return true;
    const auto record = QueryRegistryValue(key.get(), name.c_str());
    if (!record || !IsDisabledStartupRecord(record->type, record->data)) return true;
    return RegSetValueExW(key.get(), name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(kEnabledStartupRecord.data()),
                          static_cast<DWORD>(kEnabledStartupRecord.size())) == ERROR_SUCCESS;
}

} // namespace

bool AutostartRegistry::IsRegistered(std::wstring_view identity) const
{
    UniqueHKey key;
    ThrowIfFailed(OpenKeyIfPresent(HKEY_CURRENT_USER, kRunKey, KEY_QUERY_VALUE, key),
                  "Reading the start-with-Windows setting");
    if (!key) return false;

    const std::wstring name(identity);
    const auto stored = QueryRegistryValue(key.get(), name.c_str());
    if (!stored) return false;
    const auto command = RegistryValueAsText(stored->type, stored->data);
    // A registration left behind by a copy of the program in another folder does not start this one.
    return command && SamePath(Unquoted(*command), ExecutablePath()) && !DisabledInTaskManager(name);
}

bool AutostartRegistry::Register(std::wstring_view identity, int /*options*/)
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const UniqueHKey key(created);
    // Quoted, or a path with blanks would let the system run a program from the path's first part.
    const std::wstring command = L"\"" + ExecutablePath() + L"\"";
    const std::wstring name(identity);
    // A "disabled" left in Task Manager's list would keep the program from starting all the same.
    return WriteRegistryText(key.get(), name.c_str(), command) == ERROR_SUCCESS && EnableInTaskManager(name);
}

bool AutostartRegistry::Unregister(std::wstring_view identity)
{
    UniqueHKey key;
    if (OpenKeyIfPresent(HKEY_CURRENT_USER, kRunKey, KEY_SET_VALUE, key) != ERROR_SUCCESS) return false;
    if (!key) return true;
    const std::wstring name(identity);
    return DeleteRegistryValue(key.get(), name.c_str()) == ERROR_SUCCESS;
}

} // namespace jitswap
