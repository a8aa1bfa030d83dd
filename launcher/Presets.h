// The command line's destination, components and per-package logs applied to the session: the
// wizard shows them (the user may still change them), an unattended run installs with them.
#pragma once

#include "CommandLine.h"

#include <string>

// Needs the loaded catalogue. /components selects the named sections (any case) and the required
// ones, and no others; without it the initial marks stay. Returns "" or the command line's error:
// an unknown name (nothing is changed) or, outside /uninstall, DestinationTooLong's.
std::string ApplyPresets(const CommandLineOptions& options);

// The error when a selected component's staged package or log under the destination would be
// longer than Windows paths hold; "" when every one fits.
std::string DestinationTooLong();
