// The unattended run: the wizard's steps, in its order and through its operations, without pages.
#include "Unattended.h"

#include "Artwork.h"
#include "CompletionPage.h"
#include "Configuration.h"
#include "EarlierPackages.h"
#include "Folders.h"
#include "InstallOutcome.h"
#include "InstallationRun.h"
#include "JoinText.h"
#include "Presets.h"
#include "ProgressPage.h"
#include "RecordedRows.h"
#include "RunLog.h"
#include "RunReport.h"
#include "Session.h"
#include "SetEntry.h"
#include "Staging.h"

#include <commctrl.h>

#include <exception>
#include <memory>

// /passive: progress only, no Cancel, and no modal boxes (an error box would wait for a click
// that never comes).
INSTALLUILEVEL ServiceLevel(const CommandLineOptions& options) {
    if (options.Quiet)
        return INSTALLUILEVEL_NONE;
    return static_cast<INSTALLUILEVEL>(INSTALLUILEVEL_BASIC | INSTALLUILEVEL_PROGRESSONLY |
                                       INSTALLUILEVEL_HIDECANCEL);
}

PassivePage::PassivePage(const PageTexts* texts) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    progressPage = new ProgressPage;
    progressPage->CentreAtFirstShow = true;
    progressPage->Texts = texts;
    progressPage->CancelOffered = false;
    progressPage->Show();
}

void PassivePage::ShowCompletion(const PageTexts& texts) {
    completionPage = new CompletionPage;
    completionPage->Texts = &texts;
    completionPage->SetPosition(progressPage->Left(), progressPage->Top());
    progressPage->Hide();
    completionPage->ShowModal();
    delete completionPage;
    completionPage = nullptr;
}

PassivePage::~PassivePage() {
    progressPage->Hide();
    delete progressPage;
    progressPage = nullptr;
    ReleaseArtwork();
}

int RunExitCode(const RecordedRows& rows, bool restart) {
    bool failed = false, busy = false, cancelled = false;
    for (const RecordedRows::Row& row : rows.Rows()) {
        cancelled = cancelled || (row.Entry && row.Entry->Cancelled);
        failed = failed || !row.Entry || !row.Entry->Succeeded;
        busy = busy || row.Result == ERROR_INSTALL_ALREADY_RUNNING;
        restart = restart ||
                  (row.Result && NeedsRestart(*row.Result) && row.Entry && row.Entry->Succeeded);
    }
    if (cancelled)
        return ExitCodes::Cancelled;
    if (busy)
        return ExitCodes::AnotherInstallRunning;
    if (failed)
        return ExitCodes::InstallFailure;
    return restart ? ExitCodes::SuccessRestartRequired : ExitCodes::Success;
}

namespace {

// Why the destination cannot be reached (no such drive, share or server), or "": a missing
// volume is not a lack of space.
std::string UnreachableDestination() {
    std::string root = DrivePart(GetDestinationFolder());
    if (root.empty())
        return "";
    AddTrailingBackslash(root);
    ULARGE_INTEGER available = {}, total = {}, totalFree = {};
    if (GetDiskFreeSpaceExA(root.c_str(), &available, &total, &totalFree))
        return "";
    return "the destination's drive or share " + root + " cannot be reached (" +
           WindowsErrorText(GetLastError()) + ")";
}

// Stages and installs the selected components; the exit code of the outcome.
int Install(const CommandLineOptions& options, bool restart) {
    std::unique_ptr<PassivePage> page;
    if (options.Passive)
        page = std::make_unique<PassivePage>();
    StageSetupFiles();
    ReportStaging();
    // Plain rows when there is no window.
    std::unique_ptr<RecordedRows> rows =
        page ? std::make_unique<RecordedRows>(*progressPage) : std::make_unique<RecordedRows>();
    RunInstallationWith(*rows, InstallationMode{ServiceLevel(options), true, SuppressRestart});
    ReportOutcomes(*rows);
    const int exitCode = RunExitCode(*rows, restart);
    if (exitCode == ExitCodes::Success || exitCode == ExitCodes::SuccessRestartRequired)
        WriteSetEntry();
    else
        RemoveSetEntry();
    return ReportExit(exitCode, exitCode == ExitCodes::Success ? "every chosen component installed"
                                : exitCode == ExitCodes::SuccessRestartRequired
                                    ? "every chosen component installed; a restart is required"
                                : exitCode == ExitCodes::AnotherInstallRunning
                                    ? "another installation was running"
                                : exitCode == ExitCodes::Cancelled
                                    ? "the installation was cancelled"
                                    : "at least one component failed");
}

int Run(const CommandLineOptions& options) {
    if (!LoadConfiguration()) {
        const std::string folderNote = UnnamedExecutableFolderNote();
        return ReportExit(ExitCodes::BadConfiguration,
                          JoinText({"the configuration file is missing",
                                    folderNote.empty() ? "" : ". ", folderNote}));
    }
    if (InstallSession.ComponentCount == 0)
        return ReportExit(ExitCodes::BadConfiguration, "the configuration file lists no component");
    const std::string error = ApplyPresets(options);
    if (!error.empty())
        return ReportExit(ExitCodes::InvalidCommandLine, "invalid command line: " + error);
    ReportChoices();

    // Before anything is removed: a run that cannot install leaves the machine as it was.
    const std::string unreachable = UnreachableDestination();
    if (!unreachable.empty())
        return ReportExit(ExitCodes::InstallFailure, unreachable);
    if (!ReportFreeSpace(HasEnoughDiskSpace()))
        return ReportExit(ExitCodes::DiskFull, "not enough disk space on the destination's drive");

    int found = 0;
    bool restart = false;
    UINT failure = ERROR_SUCCESS;
    const bool removed = RemoveEarlierPackagesWith(
        EarlierRemoval{false, ServiceLevel(options),
                       [&](const char* code, UINT result) {
                           ++found;
                           restart = restart || NeedsRestart(result);
                           if (result != ERROR_SUCCESS && !NeedsRestart(result))
                               failure = result;
                           ReportRemoval(code, result);
                       },
                       SuppressRestart + 1});
    if (!removed)
        return ReportExit(failure == ERROR_INSTALL_ALREADY_RUNNING
                              ? ExitCodes::AnotherInstallRunning
                              : ExitCodes::InstallFailure,
                          "an earlier product could not be removed");
    if (found == 0)
        ReportNoEarlierProduct();
    return Install(options, restart);
}

} // namespace

int RunUnattended(const CommandLineOptions& options) {
    ReportStart(options.Quiet ? "quiet, no window" : "passive, progress page only");
    int exitCode = ExitCodes::InstallFailure;
    try {
        exitCode = Run(options);
    } catch (const std::exception& error) {
        exitCode =
            ReportExit(ExitCodes::InstallFailure, std::string("unexpected error: ") + error.what());
    } catch (...) {
        exitCode = ReportExit(ExitCodes::InstallFailure, "unexpected error");
    }
    FreeComponents();
    return exitCode;
}
