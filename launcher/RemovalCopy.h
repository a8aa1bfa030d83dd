// The removal's temporary copy: the removal deletes SetupFiles, so a removal started from there
// runs from a self-deleting copy of the program instead.
#pragma once

// True when this program runs from a folder named SetupFiles, which the removal deletes.
bool RunsFromStagingFolder();

// Runs the removal from a self-deleting temporary copy of the program and its configuration
// file; returns the copy's exit code once it has removed. This program must then end first so
// the copy can delete its file.
int RunFromTemporaryCopy();

// In the copy: hands the waiting original the exit code, then waits for it to end.
void ReleaseOriginal(int exitCode);
