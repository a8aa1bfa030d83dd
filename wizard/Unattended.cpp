// The unattended run: the wizard's steps without its pages, in the wizard's
// order, each reusing the operation the wizard calls.
#include "Unattended.h"

#include "Artwork.h"
#include "PackageOperations.h"
#include "Presets.h"
#include "Progress.h"
#include "RecordedRows.h"
#include "RunReport.h"

#include "Installmanager.h"

#include <commctrl.h>

#include <exception>
#include <memory>

namespace {

// The service's user-interface level for removals and installations alike.
// /quiet: none at all. /passive: basic progress only, without modal boxes
// (an error box would wait for a click that never comes) and without a
// Cancel button.
INSTALLUILEVEL ServiceLevel(const CommandLineOptions& options) {
    if (options.Quiet)
        return INSTALLUILEVEL_NONE;
    return static_cast<INSTALLUILEVEL>(INSTALLUILEVEL_BASIC | INSTALLUILEVEL_PROGRESSONLY |
                                       INSTALLUILEVEL_HIDECANCEL);
}

// The progress page of a /passive run, centred on the desktop for as long as
// the run lasts.
struct PassivePage {
    PassivePage() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        frmProgress = new TfrmProgress;
        frmProgress->CentreAtFirstShow = true;
        frmProgress->CancelOffered = false;
        frmProgress->Show();
    }
    ~PassivePage() {
        frmProgress->Hide();
        delete frmProgress;
        frmProgress = nullptr;
        ReleaseArtwork();
    }
    PassivePage(const PassivePage&) = delete;
    PassivePage& operator=(const PassivePage&) = delete;
};

// Stages and installs the selected components; the exit code of the outcome.
int Install(const CommandLineOptions& options) {
    std::unique_ptr<PassivePage> page;
    if (options.Passive)
        page = std::make_unique<PassivePage>();
    StageSetupFiles();
    ReportStaging();
    // The rows of the page, or plain rows when there is no window.
    std::unique_ptr<RecordedRows> rows =
        page ? std::make_unique<RecordedRows>(*frmProgress) : std::make_unique<RecordedRows>();
    RunInstallationWith(*rows, InstallationMode{ServiceLevel(options), true});
    ReportOutcomes(*rows);

    for (const RecordedRows::Row& row : rows->Rows())
        if (row.Entry && row.Entry->Cancelled)
            return ReportExit(ExitCodes::Cancelled, "the installation was cancelled");
    bool restart = false;
    for (const RecordedRows::Row& row : rows->Rows()) {
        if (!row.Entry || !row.Entry->Succeeded)
            return ReportExit(ExitCodes::InstallFailure, "at least one component failed");
        restart = restart || row.Result == ERROR_SUCCESS_REBOOT_REQUIRED;
    }
    if (restart)
        return ReportExit(ExitCodes::SuccessRestartRequired,
                          "every chosen component installed; a restart is required");
    return ReportExit(ExitCodes::Success, "every chosen component installed");
}

int Run(const CommandLineOptions& options) {
    if (!LoadConfiguration())
        return ReportExit(ExitCodes::BadConfiguration, "the configuration file is missing");
    if (InstallSession.ComponentCount == 0)
        return ReportExit(ExitCodes::BadConfiguration, "the configuration file lists no component");
    const std::string error = ApplyPresets(options);
    if (!error.empty())
        return ReportExit(ExitCodes::InvalidCommandLine, "invalid command line: " + error);
    ReportChoices();

    // Checked before anything is removed: a run that cannot install leaves
    // the machine as it was.
    if (!ReportFreeSpace(HasEnoughDiskSpace()))
        return ReportExit(ExitCodes::DiskFull, "not enough disk space on the destination's drive");

    int found = 0;
    const bool removed = RemoveEarlierPackagesWith(
        EarlierRemoval{false, ServiceLevel(options), [&found](const char* code, UINT result) {
                           ++found;
                           ReportRemoval(code, result);
                       }});
    if (!removed)
        return ReportExit(ExitCodes::InstallFailure, "an earlier product could not be removed");
    if (found == 0)
        ReportNoEarlierProduct();
    return Install(options);
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
