#pragma once
// A security descriptor in its string form (SDDL), read as far as the safety check of a debugger's
// executable needs it: the owner and the DACL, each entry with its type, flags, rights and account.
// Platform-free, so that the decision over it is tested with descriptors written as text; the
// Windows side converts a file's descriptor to this form and reads it with the same code.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jitswap {

// The ACE flags the check looks at, with the values of the platform's ACE header.
enum AceFlag : std::uint32_t {
    kAceObjectInherit = 0x01,     // OI
    kAceContainerInherit = 0x02,  // CI
    kAceNoPropagate = 0x04,       // NP
    kAceInheritOnly = 0x08,       // IO: for the children only, not for the object itself
    kAceInherited = 0x10,         // ID
};

enum class AceKind { Allow, Deny, Other };

// The accounts are views into the text read: "S-1-...", or a two-letter alias. The aliases of the
// accounts the safety rule tells apart are read as their SIDs (AccountSid).
struct AceText {
    AceKind kind = AceKind::Other;
    std::uint32_t flags = 0;   // AceFlag bits
    std::uint32_t rights = 0;  // the access mask, two-letter codes resolved
    std::wstring_view account;
};

struct SecurityDescriptorText {
    std::wstring_view owner;  // empty when the text has none
    bool nullDacl = false;    // no DACL at all: everyone has every right
    std::vector<AceText> dacl;
};

// std::nullopt for text that is not SDDL as the platform writes it, or empty (a descriptor that
// could not be read). A text without a DACL part reads as a null DACL: the platform writes one
// whenever the object has a DACL.
std::optional<SecurityDescriptorText> ReadSecurityDescriptorText(std::wstring_view sddl);

// "S-1-..." for Administrators, SYSTEM, Authenticated Users, Everyone, CREATOR OWNER and OWNER RIGHTS
// when SDDL names them by alias; any other account as written.
std::wstring_view AccountSid(std::wstring_view aliasOrSid);

// Well-known accounts the check names.
inline constexpr std::wstring_view kAdministratorsSid = L"S-1-5-32-544";
inline constexpr std::wstring_view kLocalSystemSid = L"S-1-5-18";
inline constexpr std::wstring_view kTrustedInstallerSid =
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
inline constexpr std::wstring_view kEveryoneSid = L"S-1-1-0";
inline constexpr std::wstring_view kAuthenticatedUsersSid = L"S-1-5-11";
inline constexpr std::wstring_view kCreatorOwnerSid = L"S-1-3-0";
inline constexpr std::wstring_view kOwnerRightsSid = L"S-1-3-4";

} // namespace jitswap
