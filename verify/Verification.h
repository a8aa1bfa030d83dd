// The distribution check behind "Setup.exe /verify": reads the configuration
// file with the installer's own loader, compares it with what is written in
// it and with the packages beside it, and reports every fault it finds. It
// only reads: nothing on the machine changes, nothing is installed.
#pragma once

#include "Findings.h"

#include <string>

struct DistributionReport {
    std::string ConfigurationFile;
    int ComponentCount = 0;
    Findings Items;
};

// Checks the configuration file iniPath and the packages in folder (the
// executable's folder), and, when program names the Setup.exe that would
// install them, the signatures. Uses, and leaves empty, the session's
// catalogue.
DistributionReport CheckDistribution(const std::string& iniPath, const std::string& folder,
                                     const std::string& program = "");

// The plain report: a header with the counts, then one line per finding
// (severity, section, setting, what is wrong, what the run would do). CRLF
// line ends.
std::string FormatReport(const DistributionReport& report);

// The exit code when the report file cannot be written; 1 means errors found.
constexpr int ReportNotWritten = 2;

// Checks the distribution beside the running executable. Appends the report
// to logFile when one is given (creating its folder), else shows a summary in
// a message box. 0 when there is no error (warnings alone give 0), 1 with
// errors, ReportNotWritten when the report could not be written.
int RunVerify(const std::string& logFile);
