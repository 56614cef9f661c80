#include "aedebug/modAeDebug.h"

#include "aedebug/ProfileText.h"
#include "support/registry/RegistryAccessor.h"
#include "support/text/AnsiText.h"
#include "support/text/TextTrim.h"
#include "support/win32/HostFamily.h"

namespace jitswap {
namespace {

constexpr wchar_t kDebuggerValue[] = L"Debugger";
constexpr wchar_t kAutoValue[] = L"Auto";

constexpr char kProfileSection[] = "AeDebug";
constexpr char kDebuggerKey[] = "Debugger";
constexpr char kAutoKey[] = "Auto";

// The size offered to GetProfileStringA; the buffer has one more NUL, so whatever the call does
// at the limit, the text is terminated.
constexpr DWORD kProfileBufferSize = 1024;

std::wstring ReadProfileText(const char* key)
{
    std::string buffer(kProfileBufferSize + 1, '\0');
    GetProfileStringA(kProfileSection, key, "", buffer.data(), kProfileBufferSize);
    return qsGetStringFromPointerA(buffer.c_str());
}

// A null text removes the key from the section.
bool WriteProfileText(const char* key, const char* text)
{
    return WriteProfileStringA(kProfileSection, key, text) != 0;
}

std::wstring ReadAeDebugValue(const wchar_t* registryName, const char* profileKey)
{
    if (qsIsHostWinNT())
        return RegistryAccessor().ReadValue(HKEY_LOCAL_MACHINE, kAeDebugSubkey, registryName, ValueKind::Text);
    return ReadProfileText(profileKey);
}

} // namespace

bool SetSystemDebugger(const std::wstring& commandLine)
{
    if (qsIsHostWinNT()) {
        RegistryAccessor registry;
        if (commandLine.empty()) return registry.DeleteValue(HKEY_LOCAL_MACHINE, kAeDebugSubkey, kDebuggerValue);
        return registry.WriteValue(HKEY_LOCAL_MACHINE, kAeDebugSubkey, kDebuggerValue, ValueKind::Text, commandLine);
    }
    if (commandLine.empty()) return WriteProfileText(kDebuggerKey, nullptr);
    // A command line WIN.INI would give back changed is refused rather than stored damaged.
    const auto text = ProfileTextFor(commandLine);
    return text && WriteProfileText(kDebuggerKey, text->c_str());
}

std::wstring GetSystemDebugger()
{
    return ReadAeDebugValue(kDebuggerValue, kDebuggerKey);
}

bool SetSystemDebuggerAuto(bool autoStart)
{
    if (qsIsHostWinNT()) {
        return RegistryAccessor().WriteValue(HKEY_LOCAL_MACHINE, kAeDebugSubkey, kAutoValue, ValueKind::Text,
                                             autoStart ? L"1" : L"0");
    }
    return WriteProfileText(kAutoKey, autoStart ? "1" : "0");
}

bool IsAutoText(std::wstring_view stored)
{
    return qsTrimEx(stored) == L"1";
}

bool GetSystemDebuggerAuto()
{
    return IsAutoText(ReadAeDebugValue(kAutoValue, kAutoKey));
}

} // namespace jitswap
