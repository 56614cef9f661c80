#include "support/registry/RegistryBoolean.h"

#include "support/text/TextTrim.h"

#include <algorithm>

namespace jitswap {
namespace {

bool EqualsIgnoringAsciiCase(std::wstring_view text, std::wstring_view lowerCase)
{
    return std::equal(text.begin(), text.end(), lowerCase.begin(), lowerCase.end(), [](wchar_t a, wchar_t b) {
        return (a >= L'A' && a <= L'Z' ? static_cast<wchar_t>(a - L'A' + L'a') : a) == b;
    });
}

std::optional<bool> BooleanFromText(std::wstring_view text)
{
    const std::wstring trimmed = qsTrimEx(text);
    if (trimmed == L"-1" || trimmed == L"1" || EqualsIgnoringAsciiCase(trimmed, L"true")) return true;
    if (trimmed.empty() || trimmed == L"0" || EqualsIgnoringAsciiCase(trimmed, L"false")) return false;
    return std::nullopt;
}

} // namespace

std::optional<bool> RegistryValueAsBoolean(RegistryType type, std::span<const std::byte> data)
{
    const auto text = RegistryValueAsText(type, data);
    if (!text) return std::nullopt;
    if (type == RegistryType::String || type == RegistryType::ExpandString) return BooleanFromText(*text);
    return *text != L"0";
}

} // namespace jitswap
