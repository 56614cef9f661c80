#pragma once
// Whether a debugger's executable is safe to start at a crash. The system starts it with the
// rights of the program that crashed, a service's (SYSTEM) included: an account that can change
// the file, or replace or re-permission a folder above it, becomes SYSTEM at the next crash of a
// service. Only Administrators, SYSTEM and TrustedInstaller may hold such rights. Platform-free:
// the decision is made over the descriptors' SDDL text (aedebug/SecurityDescriptorText.h).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jitswap {

// An account that can change what the debugger runs, and the file or folder where it can.
struct UnsafeWriter {
    std::wstring account;
    std::wstring path;
};

// A file or folder with its security descriptor in SDDL (owner and DACL).
struct SecuredObject {
    std::wstring path;
    std::wstring sddl;
};

// `chain` is the executable first, then each folder above it up to the root. The first account
// found, from the file upwards, other than Administrators, SYSTEM, TrustedInstaller and
// `alsoTrusted` (a SID, or empty), that can:
// - write the file, delete (and so replace) it, or change its permissions or owner;
// - add a file to its folder (a library it would load), or delete or rename what is in it;
// - delete or rename a folder further up, or what is in it, or change its permissions or owner.
// Its account is a SID ("S-1-..."). A descriptor that cannot be read as SDDL is passed over.
std::optional<UnsafeWriter> FirstUnsafeWriter(const std::vector<SecuredObject>& chain,
                                              std::wstring_view alsoTrusted = {});

// What the user is told of it, in the program's words: who can change what, why it matters and
// what to do.
std::wstring UnsafeWriterWarning(const std::wstring& executable, const UnsafeWriter& writer);

// Windows' own side: the executable's descriptors read and decided on, the account named as the
// system names it ("NT AUTHORITY\Authenticated Users"). std::nullopt when no such account can,
// or when the descriptors cannot be read.
std::optional<UnsafeWriter> FindUnsafeWriter(const std::wstring& executablePath);

} // namespace jitswap
