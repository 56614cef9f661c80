#include "aedebug/AeDebugRegistry.h"

#include "support/registry/RegistryKey.h"
#include "support/registry/RegistryValue.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"

namespace jitswap {
namespace {

constexpr REGSAM kReadWrite = KEY_QUERY_VALUE | KEY_SET_VALUE;

// Null when the key is absent; any other failure throws.
UniqueHKey OpenExisting(RegistryView view, REGSAM access, const char* operation)
{
    UniqueHKey key;
    ThrowIfFailed(OpenKeyIfPresent(HKEY_LOCAL_MACHINE, kAeDebugSubkey, access | view, key), operation);
    return key;
}

std::wstring TextOf(const std::optional<RawRegistryValue>& value)
{
    if (!value) return {};
    return RegistryValueAsText(value->type, value->data).value_or(std::wstring());
}

bool PutBack(RegistryView view, const std::wstring& name, const std::optional<RawRegistryValue>& value) noexcept
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugSubkey, 0, KEY_SET_VALUE | view, &opened) != ERROR_SUCCESS)
        return false;
    const UniqueHKey key(opened);
    if (!value) return DeleteRegistryValue(key.get(), name.c_str()) == ERROR_SUCCESS;
    return RegSetValueExW(key.get(), name.c_str(), 0, static_cast<DWORD>(value->type),
                          reinterpret_cast<const BYTE*>(value->data.data()),
                          static_cast<DWORD>(value->data.size())) == ERROR_SUCCESS;
}

} // namespace

AeDebugView ReadAeDebugKey(RegistryView view)
{
    const UniqueHKey key = OpenExisting(view, KEY_QUERY_VALUE, "Opening the AeDebug key to read");
    if (!key) return {};
    const auto debugger = QueryRegistryValue(key.get(), kDebuggerValue);
    std::optional<std::wstring> text = std::wstring();
    // A number is no command line either: the system reads Debugger as text only.
    if (debugger && debugger->type != RegistryType::String && debugger->type != RegistryType::ExpandString)
        text = std::nullopt;
    else if (debugger)
        text = RegistryValueAsText(debugger->type, debugger->data);
    return AeDebugView{text.value_or(std::wstring()), IsAutoText(TextOf(QueryRegistryValue(key.get(), kAutoValue))),
                       !text};
}

void AeDebugChanges::WriteText(RegistryView view, const wchar_t* name, const std::wstring& text)
{
    HKEY created = nullptr;
    DWORD disposition = 0;
    ThrowIfFailed(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAeDebugSubkey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  kReadWrite | view, nullptr, &created, &disposition),
                  "Opening the AeDebug key to write");
    const UniqueHKey key(created);
    // Recorded before the write, so that a key created here goes again even if the write fails.
    m_replaced.push_back({view, name, QueryRegistryValue(key.get(), name), disposition == REG_CREATED_NEW_KEY});
    ThrowIfFailed(WriteRegistryText(key.get(), name, text), "Writing an AeDebug value");
}

void AeDebugChanges::Delete(RegistryView view, const wchar_t* name)
{
    const UniqueHKey key = OpenExisting(view, kReadWrite, "Opening the AeDebug key to write");
    if (!key) return;
    auto value = QueryRegistryValue(key.get(), name);
    if (!value) return;
    m_replaced.push_back({view, name, std::move(value), false});
    ThrowIfFailed(DeleteRegistryValue(key.get(), name), "Deleting an AeDebug value");
}

bool AeDebugChanges::Undo() noexcept
{
    bool complete = true;
    for (auto change = m_replaced.rbegin(); change != m_replaced.rend(); ++change) {
        complete = PutBack(change->view, change->name, change->value) && complete;
        if (change->keyCreated)
            complete = RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kAeDebugSubkey, change->view, 0) == ERROR_SUCCESS &&
                       complete;
    }
    m_replaced.clear();
    return complete;
}

} // namespace jitswap
