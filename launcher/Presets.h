// The command line's choices applied to the install session: destination,
// components and per-package logs. The wizard shows them on its pages (the
// user may still change them); an unattended run installs with them.
#pragma once

#include "CommandLine.h"

#include <string>

// Needs the loaded catalogue. Components named with /components (by section
// name, without regard to case) are selected together with the required
// ones, the others are not; without the option every component keeps its
// initial mark. Returns the error of an invalid command line (a name that no
// section has), or "" when all is applied; on an error nothing is changed.
std::string ApplyPresets(const CommandLineOptions& options);

// The error when a path the run must write under the destination (a staged
// package of a selected component, its log) would be longer than Windows
// paths hold; "" when every one fits.
std::string DestinationTooLong();
