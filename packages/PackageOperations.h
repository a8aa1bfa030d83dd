// The package operations: removal of earlier packages, staging of the
// selected packages under the destination and the installation run.
#pragma once

#include "ProgressRows.h"

#include <msi.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

// Product codes of the earlier packages of the component family, in the order
// in which they are examined.
extern const std::array<const char*, 6> EarlierProductCodes;

// The question asked once before the first earlier package is removed.
extern const char* const EarlierPackagesQuestion;

// Removes every earlier package still on the machine after one consent
// prompt. True when none is left; false when the user declined or a removal
// failed (those removed before it stay removed).
bool RemoveEarlierPackages();

// The same, with choices: whether to ask (an unattended run does not: the
// administrator has decided), the service's user-interface level for the
// removals (its default when none), and a report of each product found with
// the service's result of its removal.
struct EarlierRemoval {
    bool Ask = true;
    std::optional<INSTALLUILEVEL> UiLevel;
    std::function<void(const char* productCode, UINT result)> Removed;
};
bool RemoveEarlierPackagesWith(const EarlierRemoval& removal);

// Copies the package of every selected component from the executable's folder
// into the staging folder under the destination. Failures are silent: the
// installation run reports the packages that are not there.
void StageSetupFiles();

// The same, from the given distribution folder.
void StageSetupFilesFrom(const std::string& sourceFolder);

// Installs the staged package of every row, top to bottom, and shows each
// outcome on its row and in its component's Succeeded.
void RunInstallation(ProgressRows& rows);

// How the run drives the service: its user-interface level for the whole run,
// and whether a package that asks for a restart (result 3010) counts as
// installed. The wizard's run: basic level, and 3010 shows "Failed".
struct InstallationMode {
    INSTALLUILEVEL UiLevel = INSTALLUILEVEL_BASIC;
    bool RestartCountsAsInstalled = false;
};
void RunInstallationWith(ProgressRows& rows, const InstallationMode& mode);
