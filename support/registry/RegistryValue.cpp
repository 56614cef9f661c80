#include "support/registry/RegistryValue.h"

#include "support/text/NumberText.h"

namespace jitswap {
namespace {

std::wstring DecodeUtf16(std::span<const std::byte> data)
{
    std::wstring text;
    text.reserve(data.size() / 2);
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(static_cast<unsigned>(data[i]) |
                                               (static_cast<unsigned>(data[i + 1]) << 8));
        if (unit == L'\0') break;
        text.push_back(unit);
    }
    return text;
}

std::uint64_t ReadNumber(std::span<const std::byte> data, bool bigEndian)
{
    std::uint64_t value = 0;
    for (size_t i = 0; i < data.size(); ++i) {
        const size_t at = bigEndian ? i : data.size() - 1 - i;
        value = (value << 8) | static_cast<unsigned>(data[at]);
    }
    return value;
}

} // namespace

std::optional<std::wstring> RegistryValueAsText(RegistryType type, std::span<const std::byte> data)
{
    switch (type) {
    case RegistryType::String:
    case RegistryType::ExpandString:
        return DecodeUtf16(data);
    case RegistryType::Dword:
    case RegistryType::DwordBigEndian:
        if (data.size() != 4) return std::nullopt;
        return NumberText(ReadNumber(data, type == RegistryType::DwordBigEndian));
    case RegistryType::Qword:
        if (data.size() != 8) return std::nullopt;
        return NumberText(ReadNumber(data, false));
    default:
        return std::nullopt;
    }
}

} // namespace jitswap
