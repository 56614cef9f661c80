#include "support/win32/Win32Error.h"

#include "support/text/NumberText.h"
#include "support/text/TextConversion.h"

namespace jitswap {
namespace {

std::string Describe(const std::string& operation, DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    std::string result = operation + ": ";
    result += message.empty() ? "error" : WideToUtf8(message);
    result += " (" + NarrowNumberText(code) + ")";
    return result;
}

} // namespace

Win32Error::Win32Error(const std::string& operation, DWORD code)
    : Failure(Describe(operation, code)), m_code(code)
{
}

void ThrowLastError(const std::string& operation)
{
    throw Win32Error(operation, GetLastError());
}

} // namespace jitswap
