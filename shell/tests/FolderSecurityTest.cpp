// The descriptors setup.exe gives its folders, read back through the system's own decoding: Wine keeps no
// descriptor given to CreateDirectory (reading one back returns a made-up one), so the descriptor itself is
// what is checked.
#include "shell/FolderSecurity.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWriteRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_WRITE_ATTRIBUTES |
                               FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

std::string SidText(PSID sid)
{
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text)) return "?";
    std::string result = text;
    LocalFree(text);
    return result;
}

std::string RunningUser()
{
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    unsigned char buffer[256] = {};
    DWORD size = sizeof buffer;
    GetTokenInformation(token, TokenUser, buffer, size, &size);
    CloseHandle(token);
    return SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid);
}

struct Ace {
    DWORD Mask;
    BYTE Flags;
};

// The allowing entries of the descriptor by SID; the test fails on any other kind of entry.
std::map<std::string, Ace> AllowedBySid(TFolderSecurity& security, bool& isProtected)
{
    const auto descriptor = security.Attributes()->lpSecurityDescriptor;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    EXPECT_TRUE(GetSecurityDescriptorControl(descriptor, &control, &revision));
    isProtected = (control & SE_DACL_PROTECTED) != 0;
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    EXPECT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted));
    std::map<std::string, Ace> allowed;
    if (!present || dacl == nullptr) return allowed;  // no list would let everyone in
    for (DWORD index = 0; index < dacl->AceCount; ++index) {
        void* entry = nullptr;
        EXPECT_TRUE(GetAce(dacl, index, &entry));
        const auto* ace = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        allowed[SidText(const_cast<DWORD*>(&ace->SidStart))] = {ace->Mask, ace->Header.AceFlags};
    }
    return allowed;
}

// Who may write in each kind of folder, and that nobody else may: not Users, not Everyone, not whoever created
// the parent. Administrators and SYSTEM always have full control; entries pass to files and folders inside.
TEST(FolderSecurity, OnlyTheNamedOnesMayWriteAndNothingIsInheritedFromAbove)
{
    const std::string system = "S-1-5-18";
    const std::string administrators = "S-1-5-32-544";
    const std::string users = "S-1-5-32-545";
    struct Case {
        TFolderAccess Access;
        std::vector<std::string> Writers;
        std::vector<std::string> Readers;
    };
    for (const Case& c : {Case{faPrivate, {system, administrators, RunningUser()}, {}},
                          Case{faProgram, {system, administrators}, {users}}}) {
        TFolderSecurity security(c.Access);
        bool isProtected = false;
        const std::map<std::string, Ace> allowed = AllowedBySid(security, isProtected);
        EXPECT_TRUE(isProtected) << FolderDescriptorText(c.Access) << ": the parent's entries would come in";
        EXPECT_EQ(allowed.size(), c.Writers.size() + c.Readers.size()) << FolderDescriptorText(c.Access);
        for (const std::string& writer : c.Writers) {
            ASSERT_EQ(allowed.count(writer), 1U) << writer;
            EXPECT_EQ(allowed.at(writer).Mask & FILE_ALL_ACCESS, static_cast<DWORD>(FILE_ALL_ACCESS)) << writer;
        }
        for (const std::string& reader : c.Readers) {
            ASSERT_EQ(allowed.count(reader), 1U) << reader;
            EXPECT_EQ(allowed.at(reader).Mask & kWriteRights, 0U) << reader << " may change something";
            EXPECT_EQ(allowed.at(reader).Mask & (FILE_READ_DATA | FILE_EXECUTE | FILE_TRAVERSE),
                      static_cast<DWORD>(FILE_READ_DATA | FILE_EXECUTE))
                << reader;
        }
        for (const auto& [sid, ace] : allowed)
            EXPECT_EQ(ace.Flags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE),
                      OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE)
                << sid << ": files and folders made inside must get the same";
    }
}

}  // namespace
