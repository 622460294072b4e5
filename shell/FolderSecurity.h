#pragma once
// Who may change the folders setup.exe creates. A new folder inherits its parent's permissions, and setup.exe
// runs as administrator below parents that let every user in: the Windows temporary folder (anyone may create
// there) and a drive root (every user may modify what is created below it). So its folders get a descriptor
// of their own, closed to what the parent would pass down, and passed on to what is created inside them.
#include <windows.h>

#include <string>

enum TFolderAccess {
    faPrivate,  // the run's scratch folders: Administrators, SYSTEM and the running user, nobody else
    faProgram,  // a per-machine installation's folders, as Program Files: Administrators and SYSTEM full
                // control, Users read and execute
};

// The descriptor in the system's text form (SDDL). Raises Exception when the running user is unknown.
std::string FolderDescriptorText(TFolderAccess access);

// A folder's security attributes for CreateDirectoryA.
class TFolderSecurity {
public:
    // Raises Exception with the system's reason when the descriptor cannot be made.
    explicit TFolderSecurity(TFolderAccess access);
    ~TFolderSecurity();
    TFolderSecurity(const TFolderSecurity&) = delete;
    TFolderSecurity& operator=(const TFolderSecurity&) = delete;

    SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    SECURITY_ATTRIBUTES attributes_{};
};
