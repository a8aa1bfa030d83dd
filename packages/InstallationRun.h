// The installation run: each row's staged package through the service.
#pragma once

#include "ProgressRows.h"

#include <msi.h>

#include <string>

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
