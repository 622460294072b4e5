#include "shell/FolderSecurity.h"

#include <sddl.h>

#include <vector>

#include "port/Exception.h"

namespace {

// The SID of the user the process runs as, in text.
std::string RunningUserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) throw Exception("Cannot read the running user");
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> user(size);
    char* text = nullptr;
    const bool known = size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
                       ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text);
    CloseHandle(token);
    if (!known) throw Exception("Cannot read the running user");
    std::string sid = text;
    LocalFree(text);
    return sid;
}

}  // namespace

std::string FolderDescriptorText(TFolderAccess access)
{
    // "P": nothing inherited from the parent; "OICI": handed on to the files and folders inside.
    const std::string system = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
    if (access == faPrivate) return system + "(A;OICI;FA;;;" + RunningUserSid() + ")";
    return system + "(A;OICI;FRFX;;;BU)";
}

TFolderSecurity::TFolderSecurity(TFolderAccess access)
{
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(FolderDescriptorText(access).c_str(), SDDL_REVISION_1,
                                                              &descriptor_, nullptr))
        throw Exception("Cannot make the security of a folder");
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = descriptor_;
    attributes_.bInheritHandle = FALSE;
}

TFolderSecurity::~TFolderSecurity()
{
    LocalFree(descriptor_);
}
