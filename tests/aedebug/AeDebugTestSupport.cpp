#include "tests/aedebug/AeDebugTestSupport.h"

#include "support/text/TextConversion.h"
#include "support/win32/UniqueHandle.h"
#include "support/win32/Win32Error.h"
#include "tests/common/ProcessOutput.h"

#include <sddl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace jitswap::test {
namespace {

UniqueHKey CreateAeDebugKey(REGSAM view)
{
    HKEY key = nullptr;
    ThrowIfFailed(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                                  &key, nullptr),
                  "Creating the AeDebug key");
    return UniqueHKey(key);
}

std::wstring Trimmed(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
    return text;
}

} // namespace

std::optional<StoredValues> AeDebugKeyValues(REGSAM view)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_READ | view, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    const UniqueHKey key(opened);
    StoredValues values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        StoredValue value{};
        DWORD size = 0;
        if (RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &value.type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        value.data.resize(size);
        RegQueryValueExW(key.get(), name, nullptr, &value.type, value.data.data(), &size);
        values.emplace(std::wstring(name, nameLength), std::move(value));
    }
    return values;
}

AeDebugKeyBackup::AeDebugKeyBackup(REGSAM view) : m_view(view), m_saved(AeDebugKeyValues(view)) {}

AeDebugKeyBackup::~AeDebugKeyBackup()
{
    RemoveAeDebugKey(m_view);
    if (!m_saved) return;
    const UniqueHKey key = CreateAeDebugKey(m_view);
    for (const auto& [name, value] : *m_saved)
        RegSetValueExW(key.get(), name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
}

void PlantAeDebugValue(const wchar_t* name, DWORD type, const void* data, DWORD size, REGSAM view)
{
    const UniqueHKey key = CreateAeDebugKey(view);
    ThrowIfFailed(RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), size),
                  "Planting an AeDebug value");
}

void PlantAeDebugText(const wchar_t* name, const std::wstring& text, DWORD type, REGSAM view)
{
    PlantAeDebugValue(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)), view);
}

void RemoveAeDebugValue(const wchar_t* name, REGSAM view)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_SET_VALUE | view, &opened) != ERROR_SUCCESS) return;
    const UniqueHKey key(opened);
    RegDeleteValueW(key.get(), name);
}

void RemoveAeDebugKey(REGSAM view)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, KEY_ALL_ACCESS | view, &opened) == ERROR_SUCCESS) {
        const UniqueHKey key(opened);
        RegDeleteTreeW(key.get(), nullptr);
    }
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, view, 0);
}

std::optional<RegQueryLine> RegQueryAeDebug(const wchar_t* name, REGSAM view)
{
    const wchar_t* viewSwitch = view == KEY_WOW64_32KEY ? L" /reg:32" : view == KEY_WOW64_64KEY ? L" /reg:64" : L"";
    const ProcessOutput ran =
        RunForOutput(std::wstring(L"reg.exe query \"HKLM\\") + kAeDebugKey + L"\" /v " + name + viewSwitch);
    if (ran.exitCode != 0) return std::nullopt;

    // "    <name>    <type>    <data>", each part after four blanks.
    const std::wstring prefix = std::wstring(L"    ") + name + L"    ";
    std::wistringstream lines(AnsiToWide(ran.output));
    for (std::wstring line; std::getline(lines, line);) {
        line = Trimmed(line);
        if (line.rfind(prefix, 0) != 0) continue;
        const size_t typeEnd = line.find(L"    ", prefix.size());
        if (typeEnd == std::wstring::npos) return RegQueryLine{line.substr(prefix.size()), L""};
        return RegQueryLine{line.substr(prefix.size(), typeEnd - prefix.size()), line.substr(typeEnd + 4)};
    }
    return std::nullopt;
}

std::optional<std::string> WinIniAeDebugLine(const char* key)
{
    wchar_t windows[MAX_PATH];
    if (GetWindowsDirectoryW(windows, MAX_PATH) == 0) ThrowLastError("Finding the Windows folder");
    std::ifstream file(std::filesystem::path(windows) / L"win.ini", std::ios::binary);
    const std::string wanted = std::string(key) + "=";
    bool inSection = false;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inSection = line == "[AeDebug]";
        } else if (inSection && line.rfind(wanted, 0) == 0) {
            return line.substr(wanted.size());
        }
    }
    return std::nullopt;
}

AeDebugKeyDacl::AeDebugKeyDacl(const wchar_t* sddl, REGSAM view)
{
    HKEY key = nullptr;
    ThrowIfFailed(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAeDebugKey, 0, READ_CONTROL | WRITE_DAC | view, &key),
                  "Opening the AeDebug key's security");
    m_key.reset(key);
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    m_saved.resize(size);
    ThrowIfFailed(RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, m_saved.data(), &size),
                  "Reading the AeDebug key's DACL");

    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        ThrowLastError("Building a DACL");
    const LSTATUS status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    ThrowIfFailed(status, "Setting the AeDebug key's DACL");
}

AeDebugKeyDacl::~AeDebugKeyDacl()
{
    // The handle was opened with WRITE_DAC before the DACL changed, so it may still restore it.
    RegSetKeySecurity(m_key.get(), DACL_SECURITY_INFORMATION, m_saved.data());
}

} // namespace jitswap::test
