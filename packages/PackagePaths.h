// Paths shared by staging and the installation run, and the folder presence test.
#pragma once

#include "Session.h"

#include <windows.h>

#include <string>

// destination + separator + "SetupFiles".
std::string StagingFolder(const std::string& destination);

// The folder that holds the component's staged package: the staging folder,
// or staging folder + "\" + Description for a component staged in a subfolder.
std::string PackageFolder(const std::string& stagingFolder, const ComponentEntry& entry);

// folder + separator + MSIFileName.
std::string PackageFile(const std::string& folder, const ComponentEntry& entry);

// The staged package the run installs: the file staging wrote.
std::string StagedPackagePath(const std::string& destination, const ComponentEntry& entry);

// log folder + separator + Description + ".log".
std::string PackageLogFile(const std::string& logFolder, const ComponentEntry& entry);

// True when the component's names keep its staged package inside the staging folder.
bool HasSafeNames(const ComponentEntry& entry);

// True when Description + ".log" names a file directly inside the log folder.
bool CanNameLogFile(const ComponentEntry& entry);

// Opens an existing folder for reading, shared for reading. INVALID_HANDLE_VALUE when no folder
// is at the path; a file of that name is no folder.
HANDLE OpenFolderForReading(const std::string& path);

// True when a folder is present at the path, or could be created with all its parents.
bool MakeFolderPresent(const std::string& path);
