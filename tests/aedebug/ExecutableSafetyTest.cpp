// The safety rule over descriptors as Windows writes them (SDDL): who, besides Administrators,
// SYSTEM and TrustedInstaller, can change what the debugger runs.

#include "aedebug/ExecutableSafety.h"
#include "aedebug/SecurityDescriptorText.h"

#include <gtest/gtest.h>

using namespace jitswap;

namespace {

#define TI L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"
#define USER L"S-1-5-21-1-2-3-1001"

// Windows 10's own descriptors, as dumped from a fresh installation.
constexpr wchar_t kDriveC[] = L"O:" TI L"D:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)"
                              L"(A;OICIIO;SDGXGWGR;;;AU)(A;;LC;;;AU)S:P(ML;OINPIO;NW;;;HI)";
constexpr wchar_t kProgramFiles[] =
    L"O:" TI L"D:PAI(A;;FA;;;" TI L")(A;CIIO;GA;;;" TI L")(A;;0x1301bf;;;SY)(A;OICIIO;GA;;;SY)(A;;0x1301bf;;;BA)"
    L"(A;OICIIO;GA;;;BA)(A;;0x1200a9;;;BU)(A;OICIIO;GXGR;;;BU)(A;OICIIO;GA;;;CO)(A;;0x1200a9;;;AC)"
    L"(A;OICIIO;GXGR;;;AC)(A;;0x1200a9;;;S-1-15-2-2)(A;OICIIO;GXGR;;;S-1-15-2-2)";
// What an installer running elevated creates below Program Files, and its files.
constexpr wchar_t kInstalledFolder[] = L"O:BAD:AI(A;ID;FA;;;" TI L")(A;ID;0x1301bf;;;SY)(A;OICIIOID;GA;;;SY)"
                                       L"(A;ID;0x1301bf;;;BA)(A;OICIIOID;GA;;;BA)(A;OICIID;0x1200a9;;;BU)"
                                       L"(A;OICIIOID;GA;;;CO)";
constexpr wchar_t kInstalledFile[] = L"O:BAD:AI(A;ID;FA;;;SY)(A;ID;FA;;;BA)(A;ID;0x1200a9;;;BU)";
// A folder made under C:\ by an administrator: it inherits the Authenticated Users' modify right.
constexpr wchar_t kFolderUnderC[] = L"O:BAD:AI(A;ID;FA;;;BA)(A;OICIIOID;GA;;;BA)(A;ID;FA;;;SY)(A;OICIID;0x1200a9;;;BU)"
                                    L"(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)";
constexpr wchar_t kProtectedFile[] = L"O:BAD:PAI(A;;FA;;;BA)(A;;FA;;;SY)(A;;0x1200a9;;;BU)";
// A user's profile and what the user puts in it.
constexpr wchar_t kProfile[] = L"O:" USER L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;" USER L")";
constexpr wchar_t kProfileFile[] = L"O:" USER L"D:AI(A;ID;FA;;;SY)(A;ID;FA;;;BA)(A;ID;FA;;;" USER L")";
constexpr wchar_t kUsers[] = L"O:SYD:PAI(A;OICIIO;GA;;;SY)(A;;FA;;;SY)(A;OICIIO;GA;;;BA)(A;;FA;;;BA)"
                             L"(A;;0x1200a9;;;BU)(A;OICIIO;GXGR;;;BU)(A;;0x1200a9;;;WD)";

struct Case {
    const char* name;
    std::vector<SecuredObject> chain;  // the file, then each folder up to the root
    std::wstring_view account;         // empty: safe
    const wchar_t* where = nullptr;
    const wchar_t* alsoTrusted = L"";
};

const Case kCases[] = {
    {"installed below Program Files",
     {{L"C:\\Program Files\\Dbg\\dbg.exe", kInstalledFile},
      {L"C:\\Program Files\\Dbg", kInstalledFolder},
      {L"C:\\Program Files", kProgramFiles},
      {L"C:\\", kDriveC}},
     {}},
    {"a file Authenticated Users may modify, inherited from a folder under C:\\",
     {{L"C:\\Tools\\dbg.exe", L"O:BAD:AI(A;ID;FA;;;BA)(A;ID;FA;;;SY)(A;ID;0x1301bf;;;AU)"},
      {L"C:\\Tools", kFolderUnderC},
      {L"C:\\", kDriveC}},
     kAuthenticatedUsersSid, L"C:\\Tools\\dbg.exe"},
    {"a protected file in a folder under C:\\: the folder still lets a library in",
     {{L"C:\\Tools\\dbg.exe", kProtectedFile}, {L"C:\\Tools", kFolderUnderC}, {L"C:\\", kDriveC}},
     kAuthenticatedUsersSid, L"C:\\Tools"},
    {"a folder further up that can be renamed away",
     {{L"C:\\Tools\\Bin\\dbg.exe", kProtectedFile},
      {L"C:\\Tools\\Bin", L"O:BAD:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)"},
      {L"C:\\Tools", kFolderUnderC},
      {L"C:\\", kDriveC}},
     kAuthenticatedUsersSid, L"C:\\Tools"},
    {"the user's own profile",
     {{L"C:\\Users\\me\\Tools\\dbg.exe", kProfileFile},
      {L"C:\\Users\\me\\Tools", kProfileFile},
      {L"C:\\Users\\me", kProfile},
      {L"C:\\Users", kUsers},
      {L"C:\\", kDriveC}},
     USER, L"C:\\Users\\me\\Tools\\dbg.exe"},
    {"an owner who is a user may change the permissions",
     {{L"C:\\Dbg\\dbg.exe", L"O:" USER L"D:PAI(A;;FA;;;BA)(A;;FA;;;SY)"}}, USER, L"C:\\Dbg\\dbg.exe"},
    {"unless OWNER RIGHTS say the owner may only read",
     {{L"C:\\Dbg\\dbg.exe", L"O:" USER L"D:PAI(A;;0x1200a9;;;OW)(A;;FA;;;BA)(A;;FA;;;SY)"}}, {}},
    {"a deny entry before the allow entry takes the dangerous rights away",
     {{L"C:\\Dbg\\dbg.exe", L"O:BAD:P(D;;0xD0006;;;AU)(A;;FA;;;BA)(A;;0x1301bf;;;AU)"}}, {}},
    {"a deny entry for Everyone holds for every account",
     {{L"C:\\Dbg\\dbg.exe", L"O:BAD:P(D;;0xD0006;;;WD)(A;;0x1301bf;;;BU)"}}, {}},
    {"a deny entry after the allow entry comes too late",
     {{L"C:\\Dbg\\dbg.exe", L"O:BAD:P(A;;0x1301bf;;;AU)(D;;0xD0006;;;AU)"}}, kAuthenticatedUsersSid,
     L"C:\\Dbg\\dbg.exe"},
    {"a deny entry for another account does not hold",
     {{L"C:\\Dbg\\dbg.exe", L"O:BAD:P(D;;0xD0006;;;BU)(A;;SD;;;IU)"}}, L"IU", L"C:\\Dbg\\dbg.exe"},
    {"a generic right counts as what it means for a file",
     {{L"C:\\Dbg\\dbg.exe", L"O:BAD:P(A;;GW;;;BU)"}}, L"BU", L"C:\\Dbg\\dbg.exe"},
    {"reading and running are no danger, nor CREATOR OWNER outside inheritance",
     {{L"C:\\Dbg\\dbg.exe", L"O:BAD:P(A;;FRFX;;;WD)(A;;FA;;;CO)"}, {L"C:\\Dbg", L"O:SYD:P(A;;0x1200a9;;;AU)"}}, {}},
    {"no DACL at all lets everyone in",
     {{L"C:\\Dbg\\dbg.exe", L"O:BAD:NO_ACCESS_CONTROL"}}, kEveryoneSid, L"C:\\Dbg\\dbg.exe"},
    {"a second drive's root gives its folders to Authenticated Users",
     {{L"D:\\Dbg\\dbg.exe", L"O:BAD:AI(A;ID;0x1301bf;;;AU)(A;ID;FA;;;SY)(A;ID;FA;;;BA)"},
      {L"D:\\Dbg", L"O:BAD:AI(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)"},
      {L"D:\\", L"O:SYG:SYD:(A;OICIIO;SDGXGWGR;;;AU)(A;;0x1301bf;;;AU)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)"}},
     kAuthenticatedUsersSid, L"D:\\Dbg\\dbg.exe"},
    {"Wine: the one account every program runs as is trusted there, a world-writable folder is not",
     {{L"C:\\Dbg\\dbg.exe", L"O:S-1-5-21-0-0-0-1000D:(A;;FA;;;SY)(A;;FA;;;S-1-5-21-0-0-0-1000)(A;;0x1200a9;;;WD)"},
      {L"C:\\Dbg", L"O:S-1-5-21-0-0-0-1000D:(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-0-0-0-1000)(A;OICI;0x1301ff;;;WD)"}},
     kEveryoneSid, L"C:\\Dbg", L"S-1-5-21-0-0-0-1000"},
    {"a descriptor that is no SDDL, or could not be read, is passed over",
     {{L"C:\\Dbg\\dbg.exe", L"O:BAD:P(A;;XX;;;AU)"}, {L"C:\\Dbg", L"D:P(A;;FA;;;BA"}, {L"C:\\", L""}}, {}},
};

} // namespace

TEST(ExecutableSafety, FindsTheFirstAccountBesideTheSystemsThatCanChangeWhatRuns)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::optional<UnsafeWriter> writer = FirstUnsafeWriter(c.chain, c.alsoTrusted);
        if (c.account.empty()) {
            EXPECT_FALSE(writer) << ::testing::PrintToString(writer ? writer->account + L" " + writer->path : L"");
            continue;
        }
        ASSERT_TRUE(writer);
        EXPECT_EQ(writer->account, c.account);
        EXPECT_EQ(writer->path, c.where);
    }
}

TEST(SecurityDescriptorText, ReadsOwnerAndDaclAsThePlatformWritesThem)
{
    const auto read = ReadSecurityDescriptorText(L"O:S-1-5-21-9-1001G:SYD:PAI(A;OICIIO;SDGXGWGR;;;AU)(D;ID;0x1301BF;;;"
                                                 L"S-1-5-32-545)(XA;;FA;;;WD;(@USER.x == 1))S:AI(AU;SA;FA;;;WD)");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->owner, L"S-1-5-21-9-1001");
    EXPECT_FALSE(read->nullDacl);
    ASSERT_EQ(read->dacl.size(), 3u);
    EXPECT_EQ(read->dacl[0].kind, AceKind::Allow);
    EXPECT_EQ(read->dacl[0].flags, kAceObjectInherit | kAceContainerInherit | kAceInheritOnly);
    EXPECT_EQ(read->dacl[0].rights, 0x10000u | 0x20000000u | 0x40000000u | 0x80000000u);
    EXPECT_EQ(read->dacl[0].account, kAuthenticatedUsersSid);
    EXPECT_EQ(read->dacl[1].kind, AceKind::Deny);
    EXPECT_EQ(read->dacl[1].flags, kAceInherited);
    EXPECT_EQ(read->dacl[1].rights, 0x1301bfu);
    EXPECT_EQ(read->dacl[1].account, L"S-1-5-32-545");
    EXPECT_EQ(read->dacl[2].kind, AceKind::Other);

    EXPECT_TRUE(ReadSecurityDescriptorText(L"O:BA")->nullDacl) << "no DACL part: no DACL";
    EXPECT_TRUE(ReadSecurityDescriptorText(L"D:")->dacl.empty());
    for (const wchar_t* malformed : {L"", L"X:BA", L"D:(A;;FA;;;BA", L"D:(A;ZZ;FA;;;BA)", L"D:(A;;0xZ;;;BA)", L"D:(A;;FA;;;)"})
        EXPECT_FALSE(ReadSecurityDescriptorText(malformed)) << ::testing::PrintToString(std::wstring(malformed));
}
