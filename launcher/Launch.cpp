// Dispatching on the command line.
#include "Launch.h"

#include "Configuration.h"
#include "EarlierPackages.h"
#include "Folders.h"
#include "InstallationRun.h"
#include "Presets.h"
#include "RecordedRows.h"
#include "RunLog.h"
#include "RunReport.h"
#include "Session.h"
#include "SetEntry.h"
#include "SingleInstance.h"
#include "Staging.h"
#include "Unattended.h"
#include "Uninstall.h"
#include "Wizard.h"

namespace {

std::string ModeName(const CommandLineOptions& options) {
    if (options.Uninstall)
        return "uninstall";
    if (options.Quiet)
        return "quiet, no window";
    if (options.Passive)
        return "passive, progress page only";
    return "wizard";
}

// A box may wait only where a person can answer: on the interactive desktop, and when the line
// asks for no silent run (of this installer or, by habit, of another kind).
bool MayShowBox(const CommandLineOptions& options) {
    return !options.Unattended() && !options.SilentSwitch && OnInteractiveDesktop();
}

// Stops before anything is changed; the run log, and a box where one may wait, say why.
int RefuseCommandLine(const CommandLineOptions& options, const std::string& error) {
    ReportExit(ExitCodes::InvalidCommandLine, "invalid command line: " + error);
    if (MayShowBox(options))
        MessageBoxA(nullptr, (error + "\n\n" + UsageText).c_str(), InstallerCaption,
                    MB_ICONERROR | MB_OK);
    return ExitCodes::InvalidCommandLine;
}

// The wizard's package steps, each telling the run log what it did.
PackageSteps LoggedSteps(bool& installing) {
    return {
        [] {
            int found = 0;
            const bool none =
                RemoveEarlierPackagesWith(EarlierRemoval{true, std::nullopt,
                                                         [&found](const char* code, UINT result) {
                                                             ++found;
                                                             ReportRemoval(code, result);
                                                         },
                                                         ""});
            if (!none)
                LogLine("Earlier products were not removed: the wizard ends");
            else if (found == 0)
                ReportNoEarlierProduct();
            return none;
        },
        [&installing] {
            installing = true;
            ReportChoices();
            ReportFreeSpace(HasEnoughDiskSpace());
            StageSetupFiles();
            ReportStaging();
        },
        [](ProgressRows& page) {
            RecordedRows rows(page);
            RunInstallation(rows);
            ReportOutcomes(rows);
            // The wizard counts a restart request as a failure.
            if (RunExitCode(rows, false) == ExitCodes::Success)
                WriteSetEntry();
            else
                RemoveSetEntry();
        },
    };
}

int RunWizard(const CommandLineOptions& options) {
    // Loaded before the controller so the options can preset its pages; a missing file is left
    // to the controller's own error box.
    const bool presets = options.Destination || options.ComponentList || options.MsiLogs;
    if (presets && LoadConfiguration()) {
        const std::string error = ApplyPresets(options);
        if (!error.empty()) {
            FreeComponents();
            return RefuseCommandLine(options, error);
        }
    }
    bool installing = false;
    RunSetup(LoggedSteps(installing));
    return ReportExit(ExitCodes::Success, installing ? "the wizard installed and ended"
                                                     : "the wizard ended without installing");
}

} // namespace

int ExitCodeIfTerminated = ExitCodes::Success;

int StartInstaller(const CommandLineOptions& options) {
    if (options.RunLogFile)
        StartRunLog(*options.RunLogFile);
    // Where nobody can read a box, the usage goes to the log, whatever else the line holds.
    if (options.Help && !MayShowBox(options)) {
        ReportStart("usage");
        LogLine(UsageText);
        return ReportExit(ExitCodes::InvalidCommandLine,
                          "the usage was asked for where no box may be shown");
    }
    if (!options.Valid()) {
        ReportStart(ModeName(options));
        return RefuseCommandLine(options, options.Error);
    }
    if (options.Help) {
        ReportStart("usage");
        if (!MayShowBox(options)) {
            LogLine(UsageText);
            return ReportExit(ExitCodes::InvalidCommandLine,
                              "the usage was asked for where no box may be shown");
        }
        MessageBoxA(nullptr, UsageText, InstallerCaption, MB_ICONINFORMATION | MB_OK);
        return ReportExit(ExitCodes::Success, "the usage was shown");
    }
    // The temporary copy of a removal runs while its original holds the lock.
    if (!options.RemovalSource && !TakeInstanceLock()) {
        if (!options.Unattended() && !options.Uninstall) {
            ReportStart(ModeName(options));
            BringOtherInstallerToFront();
            return ReportExit(ExitCodes::Success,
                              "another installer is running: its page was brought to the front");
        }
        ReportStart(ModeName(options));
        return ReportExit(ExitCodes::AnotherInstallRunning, "another installer is running");
    }
    if (options.Uninstall) {
        ExitCodeIfTerminated = ExitCodes::InstallFailure;
        return RunUninstall(options);
    }
    if (options.Unattended()) {
        ExitCodeIfTerminated = ExitCodes::InstallFailure;
        return RunUnattended(options);
    }
    ReportStart(ModeName(options));
    return RunWizard(options);
}
