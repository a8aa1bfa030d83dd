// The run's story in the run log (through LogLine): what was chosen, found and removed, staged
// and installed, and how the run ended.
#pragma once

#include "RecordedRows.h"

#include <string>

// The first lines: the program, its command line and the configuration file.
void ReportStart(const std::string& mode);

// The chosen components (section, description, required), destination and per-package logs.
void ReportChoices();

// The free-space check on the destination's drive; returns its result.
bool ReportFreeSpace(bool enough);

// One earlier product found and the service's result of its removal.
void ReportRemoval(const char* productCode, unsigned result);
// None was found.
void ReportNoEarlierProduct();

// Whether each selected component's package is in the staging folder now.
void ReportStaging();

// Each row's outcome, service result, a failure's reason the result does not tell, the versions
// and the package's log.
void ReportOutcomes(const RecordedRows& rows);
// The same for a removal.
void ReportRemovals(const RecordedRows& rows);

// The last line: the exit code and why.
int ReportExit(int exitCode, const std::string& reason);
