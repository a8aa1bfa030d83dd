// Runs what the command line asks for: the usage box, the wizard (preset by the options, with a
// run log when one is named), the unattended run or the removal.
#pragma once

#include "CommandLine.h"

// The process's exit code: 0 for the wizard and the usage box, 1639 for an invalid command line
// (or /? where no box may be shown), else the run's outcome.
int StartInstaller(const CommandLineOptions& options);

// The exit code when an uncaught error ends the process: 0 for the wizard, a failure for an
// unattended run, which must never report a broken-off installation as a success.
extern int ExitCodeIfTerminated;
