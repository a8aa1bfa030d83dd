// The package operations: removal of earlier packages, staging of the
// selected packages under the destination and the installation run.
#pragma once

#include "ProgressRows.h"

#include <msi.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

// Product codes of the family's earlier packages, in the order they are examined.
extern const std::array<const char*, 6> EarlierProductCodes;

// The question asked once before the first earlier package is removed.
extern const char* const EarlierPackagesQuestion;

// Removes every earlier package still on the machine after one consent prompt. True when none
// is left; false when the user declined or a removal failed (earlier removals stand).
bool RemoveEarlierPackages();

// The same, with choices: whether to ask (not unattended: the administrator has decided), the
// service's UI level for the removals (its default when none), a report of each product found
// with its removal's result, and properties for the removals (none: the plain configure call).
// A result of 3010 or 1641 counts as removed: only the restart is still to come.
struct EarlierRemoval {
    bool Ask = true;
    std::optional<INSTALLUILEVEL> UiLevel;
    std::function<void(const char* productCode, UINT result)> Removed;
    std::string Properties = {};
};
bool RemoveEarlierPackagesWith(const EarlierRemoval& removal);

// Copies every selected component's package from the executable's folder into the staging
// folder under the destination. Failures are silent: the run reports what is not there.
void StageSetupFiles();

// The same, from the given distribution folder.
void StageSetupFilesFrom(const std::string& sourceFolder);

// Installs the staged package of every row, top to bottom, and shows each
// outcome on its row and in its component's Succeeded.
void RunInstallation(ProgressRows& rows);

// How the run drives the service: its UI level for the whole run, whether a package asking for
// a restart (3010 or 1641) counts as installed, and properties added to every command line
// (each starting with a space). The wizard's run: basic level, and 3010 shows "Failed".
struct InstallationMode {
    INSTALLUILEVEL UiLevel = INSTALLUILEVEL_BASIC;
    bool RestartCountsAsInstalled = false;
    std::string ExtraProperties = {};
};

// The property that keeps the service from restarting the machine: an
// unattended run reports the need with its exit code instead.
inline constexpr const char* SuppressRestart = " REBOOT=ReallySuppress";
void RunInstallationWith(ProgressRows& rows, const InstallationMode& mode);

// Removes each row's product, last row first, with restarts suppressed. Each package is looked
// for in the source folder: beside it, or in a subfolder named after its description, as
// staging holds it. A removal counts when the result is 0, 3010 or 1641 and the product is
// no longer registered.
void RunRemoval(ProgressRows& rows, INSTALLUILEVEL uiLevel, const std::string& sourceFolder);

// The package of the component in the source folder (see RunRemoval).
std::string SourcePackagePath(const std::string& sourceFolder, const ComponentEntry& entry);

// The product code the component's package names; none when unreadable.
std::optional<std::string> ComponentProductCode(const std::string& sourceFolder,
                                                const ComponentEntry& entry);

// The row status while a product is removed.
inline constexpr const char* Removing = "Removing...";
