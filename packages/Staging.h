// Staging: the selected packages copied under the destination, and what that leaves for the
// installation run. Each staged package stays open, shared for
// reading only, from the end of its copy until its installation ends: nobody can change or
// replace it in between. An unstaged package keeps the reason; its row fails without calling the
// service, and an earlier staged copy stays as it was (it may be an installed product's source).
#pragma once

#include "PackageSignature.h"
#include "Session.h"

#include <string>
#include <vector>

struct StagingOutcome {
    const ComponentEntry* Entry = nullptr;
    std::string Path; // the staged package
    HANDLE Package = INVALID_HANDLE_VALUE;
    std::vector<HANDLE> Cabinets; // its external cabinets, held the same way
    std::string Problem;          // empty when staged
    DWORD Error = 0;              // the row's result when not staged
};

// Copies every selected component's package from the executable's folder into the staging
// folder under the destination. Failures are silent: the run reports what is not there.
void StageSetupFiles();

// The same, from the given distribution folder.
void StageSetupFilesFrom(const std::string& sourceFolder);

// Stages from the distribution folder, accepting only packages that the
// program's signer signed (every package when the program is unsigned).
void StageSetupFilesFrom(const std::string& sourceFolder, const FileSignature& program);

// The outcome for the component; null when staging did not try it (not
// selected, a name that is not safe, or no staging in this process).
const StagingOutcome* FindStagingOutcome(const ComponentEntry& entry);

// Closes the component's staged package, once its installation has ended.
void ReleaseStagedPackage(const ComponentEntry& entry);

// Closes every package and folder staging and the run hold, and forgets the outcomes.
void ReleaseStagedPackages();

// Makes the log folder protected (see OpenProtectedFolder), held until ReleaseStagedPackages.
// False, with the reason kept for LogFolderProblem, when it cannot be.
bool PrepareLogFolder(const std::string& folder);
const std::string& LogFolderProblem();

// True when a package log may be appended at the path: no file there, or a plain one. A hard
// link or reparse point there is removed first (name only, not target); false when that fails.
bool ReadyForPackageLog(const std::string& path);
