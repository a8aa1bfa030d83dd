// Protected folders and link-free appends.
#include "ProtectedFolders.h"

#include "CharText.h"
#include "Folders.h"
#include "JoinText.h"

#include <aclapi.h>
#include <sddl.h>

// Descriptor language, not built entry by entry: one line that reads as its rule. FA full
// control; FRFX read and execute; OICI inherited inside; P cuts inheritance from the parent.
const char* const ProtectedFolderSddl = "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";

namespace {

// While alive, enables the privileges an administrator needs to take and set a folder's owner.
class OwnerPrivileges {
  public:
    OwnerPrivileges() {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_))
            return;
        struct {
            DWORD Count;
            LUID_AND_ATTRIBUTES Privileges[2];
        } wanted = {2, {}};
        LookupPrivilegeValueA(nullptr, SE_TAKE_OWNERSHIP_NAME, &wanted.Privileges[0].Luid);
        LookupPrivilegeValueA(nullptr, SE_RESTORE_NAME, &wanted.Privileges[1].Luid);
        wanted.Privileges[0].Attributes = wanted.Privileges[1].Attributes = SE_PRIVILEGE_ENABLED;
        DWORD size = sizeof previous_;
        adjusted_ = AdjustTokenPrivileges(
            token_, FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&wanted), sizeof previous_,
            reinterpret_cast<TOKEN_PRIVILEGES*>(&previous_), &size);
    }
    ~OwnerPrivileges() {
        if (adjusted_)
            AdjustTokenPrivileges(token_, FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&previous_), 0,
                                  nullptr, nullptr);
        if (token_)
            CloseHandle(token_);
    }
    OwnerPrivileges(const OwnerPrivileges&) = delete;
    OwnerPrivileges& operator=(const OwnerPrivileges&) = delete;

  private:
    HANDLE token_ = nullptr;
    BOOL adjusted_ = FALSE;
    struct {
        DWORD Count;
        LUID_AND_ATTRIBUTES Privileges[2];
    } previous_ = {0, {}};
};

// Gives the open folder the descriptor's owner and protected list; the
// entries it hands on reach the files and subfolders already inside.
DWORD ApplyDescriptor(HANDLE folder, PSECURITY_DESCRIPTOR descriptor) {
    PSID owner = nullptr;
    PACL list = nullptr;
    BOOL present = FALSE, defaulted = FALSE;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) ||
        !GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted))
        return GetLastError();
    return SetSecurityInfo(folder, SE_FILE_OBJECT,
                           OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                               PROTECTED_DACL_SECURITY_INFORMATION,
                           owner, nullptr, list, nullptr);
}

HANDLE OpenExisting(const std::string& path, DWORD access, DWORD share, DWORD flags) {
    return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr);
}

// Opened for appending when there, else created exclusively: never created through a link.
HANDLE OpenOrCreateForAppend(const std::string& path) {
    constexpr DWORD access = FILE_APPEND_DATA | FILE_READ_ATTRIBUTES;
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    for (int attempt = 0; attempt < 2; ++attempt) {
        HANDLE file = OpenExisting(path, access, share, FILE_FLAG_OPEN_REPARSE_POINT);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_NOT_FOUND)
            return file;
        file = CreateFileA(path.c_str(), access, share, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// name.ext -> name-N.ext, in the same folder.
std::string NumberedBeside(const std::string& path, int number) {
    // By character: in a double-byte code page a second byte may be 0x5C.
    const size_t separator = FindLastCharacterOf(path, "\\/");
    const size_t dot = FindLastCharacterOf(path, ".");
    const size_t split =
        dot != std::string::npos && (separator == std::string::npos || dot > separator + 1)
            ? dot
            : path.size();
    return JoinText({std::string_view(path).substr(0, split), "-", std::to_string(number),
                     std::string_view(path).substr(split)});
}

} // namespace

PSECURITY_DESCRIPTOR NewProtectedFolderDescriptor() {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(ProtectedFolderSddl, SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return nullptr;
    return descriptor;
}

bool IsReparsePoint(const std::string& path, HANDLE open) {
    // Both ways: Windows marks the handle of the link itself; Wine marks only
    // the attributes read by path.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    BY_HANDLE_FILE_INFORMATION info = {};
    return open != INVALID_HANDLE_VALUE && GetFileInformationByHandle(open, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsLinkedFile(const std::string& path, HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(file, &info))
        return true; // what cannot be examined is not trusted
    return info.nNumberOfLinks > 1 || IsReparsePoint(path, file);
}

HANDLE OpenProtectedFolder(const std::string& path, std::string& reason) {
    PSECURITY_DESCRIPTOR descriptor = NewProtectedFolderDescriptor();
    if (!descriptor) {
        reason = JoinText({"The permissions for the folder ", path, " cannot be prepared ",
                           ErrorNumberText(GetLastError()), "."});
        return INVALID_HANDLE_VALUE;
    }
    SECURITY_ATTRIBUTES security = {sizeof security, descriptor, FALSE};
    if (!CreateDirectoryA(path.c_str(), &security) && GetLastError() == ERROR_PATH_NOT_FOUND) {
        const size_t split = FindLastCharacterOf(path, "\\");
        if (split != std::string::npos && split > 0 && CreateFolderPath(path.substr(0, split)))
            CreateDirectoryA(path.c_str(), &security);
    }

    HANDLE folder = INVALID_HANDLE_VALUE;
    {
        OwnerPrivileges privileges;
        // Shared for reading only: nobody renames or deletes it while held.
        folder = OpenExisting(path, READ_CONTROL | WRITE_DAC | WRITE_OWNER, FILE_SHARE_READ,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT);
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    DWORD error = folder == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    const char* problem = nullptr;
    if (folder == INVALID_HANDLE_VALUE)
        problem = " cannot be created or opened ";
    else if (IsReparsePoint(path, folder))
        problem = " is a junction or symbolic link to another place: the installer does not write "
                  "through it. Remove it and start the installer again";
    else if (!GetFileInformationByHandle(folder, &info) ||
             !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        problem = " is a file, not a folder";
    else if ((error = ApplyDescriptor(folder, descriptor)) != ERROR_SUCCESS)
        problem = ": its permissions cannot be set, and the installer does not write into a folder "
                  "that other users may change ";
    reason.clear();
    if (problem)
        reason = JoinText({"The folder ", path, problem, error ? ErrorNumberText(error) : "", "."});
    LocalFree(descriptor);
    if (!reason.empty() && folder != INVALID_HANDLE_VALUE) {
        CloseHandle(folder);
        folder = INVALID_HANDLE_VALUE;
    }
    return folder;
}

bool CreateProtectedFolderPath(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = NewProtectedFolderDescriptor();
    if (!descriptor)
        return false;
    SECURITY_ATTRIBUTES security = {sizeof security, descriptor, FALSE};
    const bool created = CreateFolderPath(path, &security);
    LocalFree(descriptor);
    return created;
}

HANDLE OpenForAppendWithoutLinks(std::string& path, std::string& avoided) {
    const std::string wanted = path;
    for (int number = 1; number < 100; ++number) {
        const std::string candidate = number == 1 ? wanted : NumberedBeside(wanted, number);
        HANDLE file = OpenOrCreateForAppend(candidate);
        if (file == INVALID_HANDLE_VALUE)
            return file;
        if (!IsLinkedFile(candidate, file)) {
            if (number > 1)
                avoided = wanted;
            path = candidate;
            return file;
        }
        CloseHandle(file);
    }
    return INVALID_HANDLE_VALUE;
}
