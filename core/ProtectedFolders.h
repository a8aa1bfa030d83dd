// Folders the installer writes into, and files it appends to, that an
// ordinary user of the machine cannot have prepared.
//
// The installer runs as administrator or as SYSTEM. A folder it creates would
// inherit its parent's entries (under "C:\" Authenticated Users may modify new
// subfolders), and a junction, symbolic link or hard link planted in advance
// would send its writes elsewhere. So its folders get a protected descriptor
// of their own and links are refused, never followed.
#pragma once

#include <windows.h>

#include <string>

// The descriptor in the security descriptor language: owner Administrators;
// a protected list (nothing inherited from the parent) that gives SYSTEM and
// Administrators full control and Users read and execute, each inherited by
// the files and subfolders created inside.
extern const char* const ProtectedFolderSddl;

// The descriptor built from ProtectedFolderSddl; free it with LocalFree. Null
// when it cannot be built.
PSECURITY_DESCRIPTOR NewProtectedFolderDescriptor();

// Creates the folder, or reuses the folder already there after giving it the
// protected descriptor and Administrators as owner (taking ownership as an
// administrator may). Missing parents are created as they would be without
// this rule. A junction or symbolic link at the path is refused, never
// followed, and so is a file. Returns the folder held open, so that it can be
// neither renamed nor deleted until CloseHandle; on failure
// INVALID_HANDLE_VALUE and why in `reason`.
HANDLE OpenProtectedFolder(const std::string& path, std::string& reason);

// Creates the missing folders of the path, each with the protected
// descriptor; folders already there are left as they are. True when a folder
// is there afterwards.
bool CreateProtectedFolderPath(const std::string& path);

// True when the path names a junction, symbolic link or other reparse point,
// or the open handle (when given) does.
bool IsReparsePoint(const std::string& path, HANDLE open = INVALID_HANDLE_VALUE);

// True when the open file is a reparse point or has another name (a hard
// link) besides the path it was opened by.
bool IsLinkedFile(const std::string& path, HANDLE file);

// Opens the file for appending, creating it when missing. A file that is a
// link (IsLinkedFile) is never written through: then `path` becomes a new
// file beside it (name-2.ext, name-3.ext, ...) created exclusively, and
// `avoided` the link's path. INVALID_HANDLE_VALUE when nothing can be opened.
HANDLE OpenForAppendWithoutLinks(std::string& path, std::string& avoided);
