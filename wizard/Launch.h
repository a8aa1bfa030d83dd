// What the installer does for its command line: the usage box, the wizard
// (its pages preset by the options, with a run log when one is named) or the
// unattended run.
#pragma once

#include "CommandLine.h"

// Returns the process's exit code: always 0 for the wizard and the usage
// box, 1639 for an invalid command line, the outcome for an unattended run.
int StartInstaller(const CommandLineOptions& options);
