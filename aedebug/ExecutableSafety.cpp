#include "aedebug/ExecutableSafety.h"

#include "aedebug/SecurityDescriptorText.h"
#include "support/text/FilledText.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace jitswap {
namespace {

// File and folder rights (the bits mean the same for both; a folder's "write data" adds a file).
constexpr std::uint32_t kWriteData = 0x2;
constexpr std::uint32_t kAppendData = 0x4;
constexpr std::uint32_t kDeleteChild = 0x40;
constexpr std::uint32_t kDelete = 0x10000;
constexpr std::uint32_t kWriteDac = 0x40000;
constexpr std::uint32_t kWriteOwner = 0x80000;
constexpr std::uint32_t kReplaceOrRepermission = kDelete | kWriteDac | kWriteOwner;

// What a right means on the object itself, with generic rights in their file-system meaning.
std::uint32_t Specific(std::uint32_t rights)
{
    if (rights & 0x10000000) rights |= 0x1F01FF;  // GENERIC_ALL: FILE_ALL_ACCESS
    if (rights & 0x40000000) rights |= 0x120116;  // GENERIC_WRITE: FILE_GENERIC_WRITE
    return rights & 0x00FFFFFF;
}

// The rights that let an account change what runs: `position` 0 is the file, 1 its folder, and
// further up a folder matters only as a part of the path that can be swapped.
std::uint32_t DangerousAt(std::size_t position)
{
    if (position == 0) return kWriteData | kAppendData | kReplaceOrRepermission;
    if (position == 1) return kWriteData | kDeleteChild | kReplaceOrRepermission;
    return kDeleteChild | kReplaceOrRepermission;
}

// A deny entry for the account itself, or for a group every account meant here belongs to.
bool DenyHolds(std::wstring_view denied, std::wstring_view account)
{
    return denied == account || denied == kEveryoneSid || denied == kAuthenticatedUsersSid;
}

class Accounts {
public:
    Accounts(const SecurityDescriptorText& descriptor, std::wstring_view alsoTrusted)
        : m_descriptor(descriptor), m_alsoTrusted(alsoTrusted)
    {
    }

    bool Trusted(std::wstring_view account) const
    {
        return account == kAdministratorsSid || account == kLocalSystemSid || account == kTrustedInstallerSid ||
               (!m_alsoTrusted.empty() && account == m_alsoTrusted);
    }

    // Whom an entry that applies to the object itself is for: OWNER RIGHTS stand for the owner,
    // and CREATOR OWNER outside an inherit-only entry names no one.
    std::wstring_view Named(const AceText& ace) const
    {
        if (ace.flags & kAceInheritOnly || ace.account == kCreatorOwnerSid) return {};
        return ace.account == kOwnerRightsSid ? m_descriptor.owner : ace.account;
    }

    std::optional<std::wstring_view> Unsafe(std::uint32_t dangerous) const
    {
        const std::vector<AceText>& dacl = m_descriptor.dacl;
        if (m_descriptor.nullDacl) return kEveryoneSid;
        // An owner may always change the permissions, unless OWNER RIGHTS entries say what it may do.
        const bool ownerRightsListed = std::any_of(dacl.begin(), dacl.end(), [&](const AceText& ace) {
            return ace.account == kOwnerRightsSid && !Named(ace).empty();
        });
        const std::wstring_view owner = m_descriptor.owner;
        if (!owner.empty() && !Trusted(owner) && !ownerRightsListed) return owner;

        // Entries count in their stored order: a deny entry holds only against the allow entries after it.
        for (auto ace = dacl.begin(); ace != dacl.end(); ++ace) {
            const std::wstring_view account = Named(*ace);
            if (ace->kind != AceKind::Allow || account.empty() || Trusted(account)) continue;
            std::uint32_t granted = Specific(ace->rights);
            for (auto earlier = dacl.begin(); earlier != ace; ++earlier) {
                if (earlier->kind == AceKind::Deny && DenyHolds(Named(*earlier), account))
                    granted &= ~Specific(earlier->rights);
            }
            if (granted & dangerous) return account;
        }
        return std::nullopt;
    }

private:
    const SecurityDescriptorText& m_descriptor;
    std::wstring_view m_alsoTrusted;
};

} // namespace

std::optional<UnsafeWriter> FirstUnsafeWriter(const std::vector<SecuredObject>& chain, std::wstring_view alsoTrusted)
{
    for (std::size_t position = 0; position < chain.size(); ++position) {
        const std::optional<SecurityDescriptorText> descriptor = ReadSecurityDescriptorText(chain[position].sddl);
        if (!descriptor) continue;
        if (const auto account = Accounts(*descriptor, alsoTrusted).Unsafe(DangerousAt(position)))
            return UnsafeWriter{std::wstring(*account), chain[position].path};
    }
    return std::nullopt;
}

std::wstring UnsafeWriterWarning(const std::wstring& executable, const UnsafeWriter& writer)
{
    return FilledText(writer.path == executable
                          ? L"Программу «{}» может подменить не только администратор: «{}» может изменить сам файл{}"
                          : L"Программу «{}» может подменить не только администратор: «{}» может изменить папку «{}»",
                      {executable, writer.account, writer.path == executable ? L"" : writer.path}) +
           L", а отладчик запускается с правами упавшей программы, даже службы (SYSTEM). Перенесите его в папку, "
           L"которую меняют лишь администраторы (например, Program Files).";
}

} // namespace jitswap
