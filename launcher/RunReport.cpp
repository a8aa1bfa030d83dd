// Writing the run's story into the run log.
#include "RunReport.h"

#include "Configuration.h"
#include "Folders.h"
#include "InstallOutcome.h"
#include "JoinText.h"
#include "PackagePaths.h"
#include "RunLog.h"
#include "Session.h"
#include "Staging.h"

namespace {

int64_t SelectedKilobytes() {
    int64_t needed = 0;
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i)
        if (InstallSession.Components[i].Selected)
            needed += InstallSession.Components[i].Size;
    return needed;
}

std::string Named(const ComponentEntry& entry) {
    return "[" + entry.SectionName + "] " + entry.Description;
}

} // namespace

void ReportStart(const std::string& mode) {
    LogLine("Norvane Component Installer started: " + mode);
    LogLine("Command line: " + std::string(GetCommandLineA()));
    LogLine("Configuration file: " + ConfigurationFileName(ExecutablePath()));
}

void ReportChoices() {
    LogLine("Components in the configuration file: " +
            std::to_string(InstallSession.ComponentCount));
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        const ComponentEntry& entry = InstallSession.Components[i];
        if (entry.Selected)
            LogLine("Chosen: " + Named(entry) + (entry.Required ? " (required)" : ""));
    }
    LogLine("Destination: " + GetDestinationFolder());
    LogLine(InstallSession.LogEnabled ? "Package logs: " + GetLogFolder() : "Package logs: none");
}

bool ReportFreeSpace(bool enough) {
    const std::string drive = DrivePart(GetDestinationFolder());
    LogLine("Free-space check on " + (drive.empty() ? std::string("the current drive") : drive) +
            ": " + std::to_string(SelectedKilobytes()) + " KB needed, " +
            (enough ? "enough space" : "not enough space"));
    return enough;
}

void ReportRemoval(const char* productCode, unsigned result) {
    const bool removed = result == ERROR_SUCCESS || NeedsRestart(result);
    LogLine("Earlier product " + std::string(productCode) + " found; removal " +
            (removed ? "succeeded" : "failed") + " (result " + std::to_string(result) + ")" +
            (NeedsRestart(result) ? "; a restart is needed to finish it" : ""));
}

void ReportNoEarlierProduct() {
    LogLine("Earlier products: none found");
}

void ReportStaging() {
    const std::string destination = GetDestinationFolder();
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        const ComponentEntry& entry = InstallSession.Components[i];
        if (!entry.Selected)
            continue;
        const std::string staged = StagedPackagePath(destination, entry);
        const DWORD attributes = GetFileAttributesA(staged.c_str());
        const bool there =
            attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        const StagingOutcome* outcome = FindStagingOutcome(entry);
        if (outcome && !outcome->Problem.empty())
            LogLine("Staging " + Named(entry) + ": not staged: " + outcome->Problem);
        else
            LogLine("Staging " + Named(entry) + ": " + (there ? "staged as " : "not staged: ") +
                    staged);
    }
}

namespace {

// "<action> of [Section] Description: succeeded|cancelled|failed (...)", then the reason,
// versions and package log where known.
void ReportRows(const RecordedRows& rows, const char* action) {
    for (const RecordedRows::Row& row : rows.Rows()) {
        if (!row.Entry)
            continue;
        const RowFacts& facts = row.Facts;
        // A result is the service's only when the package was handed to it.
        const std::string result =
            row.Result && facts.ServiceCalled ? std::to_string(*row.Result) : "";
        auto item = [](const char* label, const std::string& value) {
            return value.empty() ? std::string() : JoinText({label, value});
        };
        LogLine(JoinText({action, " of ", Named(*row.Entry), ": ",
                          row.Entry->Succeeded   ? "succeeded"
                          : row.Entry->Cancelled ? "cancelled"
                                                 : "failed",
                          item(" (Windows Installer result ", result), result.empty() ? "" : ")",
                          item("; ", facts.Reason),
                          item("; registered version ", facts.InstalledVersion),
                          item("; package version ", facts.PackageVersion),
                          item("; package log ", facts.LogFile)}));
    }
}

} // namespace

void ReportOutcomes(const RecordedRows& rows) {
    if (!LogFolderProblem().empty())
        LogLine("Package logs: none written. " + LogFolderProblem());
    ReportRows(rows, "Installation");
}

void ReportRemovals(const RecordedRows& rows) {
    ReportRows(rows, "Removal");
}

int ReportExit(int exitCode, const std::string& reason) {
    LogLine("Exit code " + std::to_string(exitCode) + ": " + reason);
    return exitCode;
}
