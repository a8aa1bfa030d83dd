// /uninstall: removes the catalogue's installed products (all, or the named
// ones), in reverse catalogue order, then the SetupFiles and Logs folders and
// the set's entry when none is left. Without /quiet or /passive it asks once
// and shows the progress and completion pages.
#pragma once

#include "CommandLine.h"

// The options must be valid and hold /uninstall. Returns the exit code.
int RunUninstall(const CommandLineOptions& options);

// The question asked before a removal with pages; the names follow it.
inline constexpr const char* RemovalQuestion = "Remove the Norvane components ";

// ---- The temporary copy (RemovalCopy.cpp) -----------------------------------

// True when this program runs from a folder named SetupFiles: the folder the
// removal deletes, with the program's own file in it.
bool RunsFromStagingFolder();

// Runs the removal from a temporary copy of the program and its
// configuration file, which delete themselves when the copy ends; waits
// until the copy has done the removal and returns its exit code. This
// program ends first, so that the copy can delete its file.
int RunFromTemporaryCopy();

// In the copy: tells the waiting original the exit code, then waits until
// the original has ended.
void ReleaseOriginal(int exitCode);
