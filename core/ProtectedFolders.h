// Folders the installer writes into, and files it appends to, that no ordinary user prepared.
// Run as administrator or SYSTEM, a new folder would inherit its parent's entries (under "C:\"
// Authenticated Users may modify new subfolders) and a planted junction, symbolic link or hard
// link would redirect writes: so folders get a protected descriptor and links are refused.
#pragma once

#include <windows.h>

#include <string>

// Owner Administrators; a protected list (nothing inherited) giving SYSTEM and Administrators
// full control and Users read and execute, each inherited by what is created inside.
extern const char* const ProtectedFolderSddl;

// The descriptor built from ProtectedFolderSddl; free it with LocalFree. Null on failure.
PSECURITY_DESCRIPTOR NewProtectedFolderDescriptor();

// Creates the folder, or gives one already there the protected descriptor and Administrators
// as owner (taking ownership as an administrator may); missing parents are created plainly.
// A junction, symbolic link or file at the path is refused, never followed. Returns the folder
// held open (no rename or delete until CloseHandle); else INVALID_HANDLE_VALUE, why in `reason`.
HANDLE OpenProtectedFolder(const std::string& path, std::string& reason);

// Creates the path's missing folders, each with the protected descriptor; existing ones are
// left as they are. True when a folder is there afterwards.
bool CreateProtectedFolderPath(const std::string& path);

// True when the path names a junction, symbolic link or other reparse point,
// or the open handle (when given) does.
bool IsReparsePoint(const std::string& path, HANDLE open = INVALID_HANDLE_VALUE);

// True when the open file is a reparse point or has another name (a hard
// link) besides the path it was opened by.
bool IsLinkedFile(const std::string& path, HANDLE file);

// Opens the file for appending, creating it when missing, never writing through a link
// (IsLinkedFile): then `path` becomes a new file beside it (name-2.ext, ...) created
// exclusively, and `avoided` the link's path. INVALID_HANDLE_VALUE when nothing can be opened.
HANDLE OpenForAppendWithoutLinks(std::string& path, std::string& avoided);
