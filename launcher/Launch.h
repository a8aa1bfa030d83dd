// What the installer does for its command line: the usage box, the wizard
// (its pages preset by the options, with a run log when one is named) or the
// unattended run.
#pragma once

#include "CommandLine.h"

// Returns the process's exit code: always 0 for the wizard and the usage
// box, 1639 for an invalid command line, the outcome for an unattended run.
int StartInstaller(const CommandLineOptions& options);

// The exit code of a process that ends on an error nothing caught: 0 for the
// wizard, whose exit code is always 0, but a failure for an unattended run,
// which must never report an installation that broke off as a success.
extern int ExitCodeIfTerminated;
