// Folders, paths and disk space, shared by the pages and the package operations.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The longest path the fixed platform buffers hold (260 with the terminator).
constexpr size_t MaxPathLength = MAX_PATH - 1;

// %ProgramFiles% (when set and under 260 characters), else the registry's "ProgramFilesDir",
// else "C:\Program Files"; empty when the registry key cannot be opened.
std::string GetProgramFilesFolder();

// Appends "\" unless the text already ends with one.
void AddTrailingBackslash(std::string& text);

// Creates a folder and its missing parents with the given security (none: inherited). True
// only when a folder exists there afterwards; false for paths over 259 characters.
bool CreateFolderPath(const std::string& path, SECURITY_ATTRIBUTES* security = nullptr);

// True when a folder (not a file) exists at the path.
bool FolderExists(const std::string& path);

// "C:" for a drive path, "\\server\share" for a UNC path, else empty.
std::string DrivePart(const std::string& path);

// Free bytes of the volume holding the root ("C:\" or "\\server\share\"; null
// for the current drive). Replaceable so tests can script exact figures.
using FreeBytesQuery = bool (*)(const char* root, uint64_t* freeBytes);
extern FreeBytesQuery QueryVolumeFreeBytes;
bool PlatformVolumeFreeBytes(const char* root, uint64_t* freeBytes);

// True when the destination's volume has room for the selected components (1 KB = 1000 bytes).
bool HasEnoughDiskSpace();
