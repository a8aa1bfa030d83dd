// The install manager: the one installation this process performs.
//
// Holds the component catalogue read from the configuration file beside the
// executable and everything the user decides on the wizard pages, plus the
// folder rules (program-files folder, folder creation, free space, folder
// browser) that the pages and the package operations share.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One component of the catalogue: one section of the configuration file.
struct ComponentEntry {
    int32_t ImageIndex = -1;         // icon on the selection page; -1 for none
    std::string Description;         // display name; also names its log file and staging subfolder
    std::string Version;             // version text shown on the selection page
    int64_t Size = 0;                // installed size in kilobytes
    std::string MSIFileName;         // package file, relative to the executable's folder
    bool Required = false;           // cannot be deselected
    bool Selected = false;           // to be installed; changed only by the selection page
    bool Succeeded = false;          // outcome, written by the installation run
    bool Cancelled = false;          // the user cancelled the run before this one was installed
    bool SetupFileSubFolder = false; // staged in a subfolder named after Description
    std::string SectionName;         // the section's name, by which the command line chooses it
};

// The process-wide installation state. Texts are reached through the
// accessors below; the catalogue and the log flag are used directly.
struct InstallSessionState {
    // The catalogue: absent (null) until loaded, then exactly ComponentCount
    // entries that are never resized or reordered, so references to entries
    // stay valid until FreeComponents.
    std::unique_ptr<ComponentEntry[]> Components;
    int32_t ComponentCount = 0;
    std::string DestinationFolder;
    std::string Email;
    std::string FirstName;
    std::string LastName;
    bool LogEnabled = false;
};

extern InstallSessionState InstallSession;

// Session accessors; every one copies.
std::string GetEmail();
void SetEmail(const std::string& text);
std::string GetFirstName();
void SetFirstName(const std::string& text);
std::string GetLastName();
void SetLastName(const std::string& text);

// The destination; fills in (and keeps) the default, the program-files folder
// followed by "\Norvane Components", when none is set.
std::string GetDestinationFolder();
void SetDestinationFolder(const std::string& text);

// The destination followed by "Logs" (with the separator rule); the default
// destination is not filled in here.
std::string GetLogFolder();

// Fills the catalogue from the configuration file beside the executable.
// False when the file is missing; a second call after a load returns true at
// once without reading anything.
bool LoadConfiguration();

// The same, from a named file (the executable's own file in production).
bool LoadConfigurationFrom(const std::string& iniPath);

// Releases the catalogue; ComponentCount becomes 0.
void FreeComponents();

// ---- Configuration file details -------------------------------------------

// The executable's path with its extension replaced by ".INI": the extension
// starts at the last "." not followed by "\" or ":"; without one ".INI" is
// appended.
std::string ConfigurationFileName(const std::string& executablePath);

// All section names of the file in file order, as the profile functions list
// them: the catalogue's entries in the same order.
std::vector<std::string> ReadSectionNames(const std::string& file);

// Section and setting names compared as the profile functions compare them:
// character by character in the ANSI code page, without regard to case.
bool SameProfileName(const std::string& a, const std::string& b);

// The full path of the running executable (any length).
std::string ExecutablePath();

// Value rules of the configuration file. Each returns the default for an
// unreadable value.
int32_t ParseIntegerSetting(const std::string& text, int32_t defaultValue);
bool ParseFlagSetting(const std::string& text);
// Sizes: read with the given (the user's) decimal separator and, only when
// that fails, with a point; whole numbers exactly over the 64-bit range.
int64_t ParseSizeSetting(const std::string& text, char decimalSeparator);

// The decimal separator of the user's regional settings.
char UserDecimalSeparator();

// ---- Folders, paths and disk space -----------------------------------------

// The longest path the fixed platform buffers hold (260 with the terminator).
constexpr size_t MaxPathLength = MAX_PATH - 1;

// The environment's ProgramFiles (when set and under 260 characters), else the
// registry's "ProgramFilesDir", else "C:\Program Files"; empty when the
// registry key cannot be opened.
std::string GetProgramFilesFolder();

// Appends "\" unless the text already ends with one.
void AddTrailingBackslash(std::string& text);

// Creates a folder with all its missing parents. True only when a folder
// exists at the path afterwards; false for paths over 259 characters.
bool CreateFolderPath(const std::string& path);

// True when a folder (not a file) exists at the path.
bool FolderExists(const std::string& path);

// "C:" for a drive path, "\\server\share" for a UNC path, else empty.
std::string DrivePart(const std::string& path);

// The volume query behind HasEnoughDiskSpace: total free bytes of the volume
// holding the given root ("C:\" or "\\server\share\"; null for the current
// drive). Replaceable so tests can script exact figures.
using FreeBytesQuery = bool (*)(const char* root, uint64_t* freeBytes);
extern FreeBytesQuery QueryVolumeFreeBytes;
bool PlatformVolumeFreeBytes(const char* root, uint64_t* freeBytes);

// True when the destination's volume has room for the selected components,
// counting a kilobyte as 1000 bytes.
bool HasEnoughDiskSpace();

// The shell's folder browser, modal to owner, starting at folder. True when
// the user picked a folder, whose path is then in folder; false on cancel
// (folder unchanged).
bool BrowseForFolder(std::string& folder, HWND owner, const std::string& title);
