// "Setup.exe /verify": loads the configuration file as the installer does, compares it with the
// file's text and the packages beside it, and reports every fault. Read-only: changes nothing.
#pragma once

#include "Findings.h"

#include <string>

struct DistributionReport {
    std::string ConfigurationFile;
    int ComponentCount = 0;
    Findings Items;
};

// Checks iniPath and the packages in folder (the executable's), and the signatures when program
// names the Setup.exe that would install them. Uses, and leaves empty, the session's catalogue.
DistributionReport CheckDistribution(const std::string& iniPath, const std::string& folder,
                                     const std::string& program = "");

// A header with the counts, then one CRLF line per finding (severity, section, setting, what is
// wrong, what the run would do).
std::string FormatReport(const DistributionReport& report);

// The exit code when the report file cannot be written; 1 means errors found.
constexpr int ReportNotWritten = 2;

// Checks the distribution beside the running executable; appends the report to logFile (its
// folder created) or else shows a summary box. 0 without errors (warnings alone give 0), 1 with
// errors, ReportNotWritten when the report could not be written.
int RunVerify(const std::string& logFile);
