// /uninstall: removes the installed products (all or the named), in reverse catalogue order,
// then SetupFiles, Logs and the set's entry when none is left. Without /quiet or /passive it
// asks once and shows the progress and completion pages.
#pragma once

#include "CommandLine.h"

// The options must be valid and hold /uninstall. Returns the exit code.
int RunUninstall(const CommandLineOptions& options);

// The question asked before a removal with pages; the names follow it.
inline constexpr const char* RemovalQuestion = "Remove the Norvane components ";

// ---- The temporary copy (RemovalCopy.cpp) -----------------------------------

// True when this program runs from a folder named SetupFiles, which the removal deletes.
bool RunsFromStagingFolder();

// Runs the removal from a self-deleting temporary copy of the program and its configuration
// file; returns the copy's exit code once it has removed. This program must then end first so
// the copy can delete its file.
int RunFromTemporaryCopy();

// In the copy: hands the waiting original the exit code, then waits for it to end.
void ReleaseOriginal(int exitCode);
