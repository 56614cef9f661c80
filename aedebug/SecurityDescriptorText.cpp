#include "aedebug/SecurityDescriptorText.h"

#include <cwctype>

namespace jitswap {
namespace {

struct Code {
    wchar_t text[3];
    std::uint32_t value;
};

// The rights' two-letter codes (ACE Strings, ADS_RIGHTS_ENUM, file and key rights).
constexpr Code kRights[] = {
    {L"GA", 0x10000000}, {L"GR", 0x80000000}, {L"GW", 0x40000000}, {L"GX", 0x20000000}, {L"RC", 0x20000},
    {L"SD", 0x10000},    {L"WD", 0x40000},    {L"WO", 0x80000},    {L"RP", 0x10},       {L"WP", 0x20},
    {L"CC", 0x1},        {L"DC", 0x2},        {L"LC", 0x4},        {L"SW", 0x8},        {L"LO", 0x80},
    {L"DT", 0x40},       {L"CR", 0x100},      {L"FA", 0x1F01FF},   {L"FR", 0x120089},   {L"FW", 0x120116},
    {L"FX", 0x1200A0},   {L"KA", 0xF003F},    {L"KR", 0x20019},    {L"KW", 0x20006},    {L"KX", 0x20019},
    {L"NR", 0x1},        {L"NW", 0x2},        {L"NX", 0x4},
};

constexpr Code kFlags[] = {
    {L"OI", kAceObjectInherit}, {L"CI", kAceContainerInherit}, {L"NP", kAceNoPropagate},
    {L"IO", kAceInheritOnly},   {L"ID", kAceInherited},        {L"SA", 0x40},
    {L"FA", 0x80},              {L"TP", 0},                    {L"CR", 0},
};

struct Alias {
    wchar_t text[3];
    std::wstring_view sid;
};

// The accounts the safety rule tells apart; any other keeps the name it is written with.
constexpr Alias kAliases[] = {
    {L"AU", kAuthenticatedUsersSid}, {L"BA", kAdministratorsSid}, {L"CO", kCreatorOwnerSid},
    {L"OW", kOwnerRightsSid},        {L"SY", kLocalSystemSid},    {L"WD", kEveryoneSid},
};

// Reads concatenated two-letter codes; false for one the table lacks.
template <std::size_t N>
bool ReadCodes(std::wstring_view text, const Code (&table)[N], std::uint32_t& value)
{
    if (text.size() % 2 != 0) return false;
    for (std::size_t at = 0; at < text.size(); at += 2) {
        const Code* code = table;
        while (code != table + N && (code->text[0] != text[at] || code->text[1] != text[at + 1])) ++code;
        if (code == table + N) return false;
        value |= code->value;
    }
    return true;
}

bool ReadRights(std::wstring_view text, std::uint32_t& rights)
{
    if (!text.starts_with(L"0x") && !text.starts_with(L"0X")) return ReadCodes(text, kRights, rights);
    if (text.size() == 2) return false;
    for (std::size_t at = 2; at < text.size(); ++at) {
        const wchar_t c = text[at];
        if (!std::iswxdigit(c)) return false;
        rights = rights * 16 + static_cast<std::uint32_t>(std::iswdigit(c) ? c - L'0' : (c | 0x20) - L'a' + 10);
    }
    return true;
}

// The length of the SID at the start of `text`: "S-1-..." or a two-letter alias.
std::size_t SidLength(std::wstring_view text)
{
    if (!text.starts_with(L"S-")) return text.size() < 2 ? 0 : 2;
    std::size_t end = 2;
    while (end < text.size() && (std::iswdigit(text[end]) || text[end] == L'-')) ++end;
    return end;
}

// One "type;flags;rights;object;inherited object;account[;attribute]", parentheses excluded.
bool ReadAce(std::wstring_view text, AceText& ace)
{
    std::wstring_view fields[6];
    for (std::wstring_view& field : fields) {
        const std::size_t end = text.find(L';');
        field = text.substr(0, end);
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
    }
    ace.kind = fields[0] == L"A" ? AceKind::Allow : fields[0] == L"D" ? AceKind::Deny : AceKind::Other;
    ace.account = AccountSid(fields[5]);
    return ReadCodes(fields[1], kFlags, ace.flags) && ReadRights(fields[2], ace.rights) && !fields[5].empty();
}

bool Skip(std::wstring_view& text, std::wstring_view prefix)
{
    if (!text.starts_with(prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

} // namespace

std::wstring_view AccountSid(std::wstring_view aliasOrSid)
{
    for (const Alias& alias : kAliases) {
        if (aliasOrSid == alias.text) return alias.sid;
    }
    return aliasOrSid;
}

std::optional<SecurityDescriptorText> ReadSecurityDescriptorText(std::wstring_view sddl)
{
    // Nothing at all is a descriptor that could not be read, not one without a DACL.
    if (sddl.empty()) return std::nullopt;
    SecurityDescriptorText descriptor;
    descriptor.nullDacl = true;
    while (!sddl.empty()) {
        const wchar_t part = sddl[0];
        if (sddl.size() < 2 || sddl[1] != L':') return std::nullopt;
        sddl.remove_prefix(2);
        if (part == L'O' || part == L'G') {
            const std::size_t length = SidLength(sddl);
            if (length == 0) return std::nullopt;
            if (part == L'O') descriptor.owner = AccountSid(sddl.substr(0, length));
            sddl.remove_prefix(length);
            continue;
        }
        if (part != L'D' && part != L'S') return std::nullopt;
        const bool nullList = Skip(sddl, L"NO_ACCESS_CONTROL");
        while (Skip(sddl, L"P") || Skip(sddl, L"AI") || Skip(sddl, L"AR")) {
        }
        if (part == L'D') descriptor.nullDacl = nullList;
        while (!sddl.empty() && sddl[0] == L'(') {
            // A conditional entry nests parentheses: the entry ends where they balance.
            std::size_t end = 0;
            for (int depth = 0; end < sddl.size(); ++end) {
                depth += sddl[end] == L'(' ? 1 : sddl[end] == L')' ? -1 : 0;
                if (depth == 0) break;
            }
            if (end == sddl.size()) return std::nullopt;
            AceText ace;
            if (part == L'D') {
                if (!ReadAce(sddl.substr(1, end - 1), ace)) return std::nullopt;
                descriptor.dacl.push_back(ace);
            }
            sddl.remove_prefix(end + 1);
        }
    }
    return descriptor;
}

} // namespace jitswap
