// Registry text values that other programs and the system itself read.
//
// Failures: reading a key or value that is absent gives the empty text, as does a value of a type
// that has no text form; any other failure of a read throws. Writes and deletes never throw: they
// say whether the stored state is now what the caller asked for, and a refusal (access denied, a
// full registry) is an expected outcome the caller turns into a message.
//
// Deleting a value that is already absent, or whose key is absent, succeeds: the caller asked for
// the value to be gone, and it is.
//
// Keys are opened with the least access each step needs, so that a user who may read but not
// change a key can still read it, and no WOW64 view flag is given: each build reads and changes
// the registry view native to its own bitness.
#include "support/registry/RegistryAccessor.h"

#include "support/registry/RegistryKey.h"
#include "support/registry/RegistryQuery.h"
#include "support/registry/RegistryValue.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"

namespace jitswap {

std::wstring RegistryAccessor::ReadValue(HKEY root, const std::wstring& subkey, const std::wstring& name,
                                         ValueKind /*kind: text is the only kind*/)
{
    UniqueHKey key;
    ThrowIfFailed(OpenKeyIfPresent(root, subkey.c_str(), KEY_QUERY_VALUE, key), "Opening a registry key to read");
    if (!key) return {};

    const auto raw = QueryRegistryValue(key.get(), name.c_str());
    if (!raw) return {};
    return RegistryValueAsText(raw->type, raw->data).value_or(std::wstring());
}

bool RegistryAccessor::WriteValue(HKEY root, const std::wstring& subkey, const std::wstring& name,
                                  ValueKind /*kind: text is the only kind*/, const std::wstring& value)
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS)
        return false;
    const UniqueHKey key(created);
    return WriteRegistryText(key.get(), name.c_str(), value) == ERROR_SUCCESS;
}

bool RegistryAccessor::DeleteValue(HKEY root, const std::wstring& subkey, const std::wstring& name)
{
    UniqueHKey key;
    if (OpenKeyIfPresent(root, subkey.c_str(), KEY_SET_VALUE, key) != ERROR_SUCCESS) return false;
    if (!key) return true;

    const LSTATUS status = RegDeleteValueW(key.get(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace jitswap
