// /uninstall: removes the installed products (all or the named), in reverse catalogue order,
// then SetupFiles, Logs and the set's entry when none is left. Without /quiet or /passive it
// asks once and shows the progress and completion pages.
#pragma once

#include "CommandLine.h"

// The options must be valid and hold /uninstall. Returns the exit code.
int RunUninstall(const CommandLineOptions& options);

// The question asked before a removal with pages; the names follow it.
inline constexpr const char* RemovalQuestion = "Remove the Norvane components ";
