#include "aedebug/modAeDebug.h"

#include "aedebug/AeDebugKey.h"
#include "aedebug/ProfileText.h"
#include "support/text/AnsiText.h"

#include <windows.h>

namespace jitswap {
namespace {

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

} // namespace

bool SetSystemDebugger(const std::wstring& commandLine)
{
    if (commandLine.empty()) return WriteProfileText(kDebuggerKey, nullptr);
    // A command line WIN.INI would give back changed is refused rather than stored damaged.
    const auto text = ProfileTextFor(commandLine);
    return text && WriteProfileText(kDebuggerKey, text->c_str());
}

std::wstring GetSystemDebugger()
{
    return ReadProfileText(kDebuggerKey);
}

bool SetSystemDebuggerAuto(bool autoStart)
{
    return WriteProfileText(kAutoKey, autoStart ? "1" : "0");
}

bool GetSystemDebuggerAuto()
{
    return IsAutoText(ReadProfileText(kAutoKey));
}

} // namespace jitswap
