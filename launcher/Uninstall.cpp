// The removal of the installed components.
#include "Uninstall.h"

#include "CompletionPage.h"
#include "Configuration.h"
#include "JoinText.h"
#include "MessageTexts.h"
#include "MsiFunctions.h"
#include "PackagePaths.h"
#include "Presets.h"
#include "ProductRemoval.h"
#include "ProgressPage.h"
#include "RecordedRows.h"
#include "RemovalCopy.h"
#include "RunLog.h"
#include "RunReport.h"
#include "Session.h"
#include "SetEntry.h"
#include "Unattended.h"

#include <memory>

namespace {

const PageTexts ProgressTexts = {
    "Removing Norvane Components",
    "Please wait while the install program removes the Norvane components. This may take "
    "several minutes.",
    nullptr};
const PageTexts CompletionTexts = {
    "Removal complete",
    "The removal has finished. Components that show \"Failed\" are still installed; the run log "
    "and the Windows event log tell why. Click Finish to exit the install program.",
    "Removal summary"};

std::string ExecutableFolder() {
    const std::string executable = ExecutablePath();
    return executable.substr(0, executable.find_last_of('\\'));
}

// Selects the chosen components whose product is installed; returns their descriptions.
// Required ones are chosen only when every component is.
std::string ChooseInstalled(const CommandLineOptions& options, const std::string& source) {
    std::string names;
    bool all = !options.ComponentList;
    if (!all) {
        all = true;
        for (int32_t i = 0; i < InstallSession.ComponentCount; ++i)
            all = all && InstallSession.Components[i].Selected;
    }
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        ComponentEntry& entry = InstallSession.Components[i];
        bool chosen = all || (entry.Selected && !entry.Required);
        if (!all && entry.Required && entry.Selected)
            LogLine(JoinText({"Kept: [", entry.SectionName, "] is required by the others"}));
        const std::optional<std::string> code = ComponentProductCode(source, entry);
        const bool installed = code && ProductIsPresent(Msi.MsiQueryProductStateA(code->c_str()));
        if (chosen && !installed)
            LogLine(JoinText({"Not installed: [", entry.SectionName, "] ", entry.Description,
                              code ? " " : " (its package cannot be read)", code ? *code : ""}));
        entry.Selected = chosen && installed;
        if (entry.Selected)
            names = JoinText({names, names.empty() ? "" : ", ", entry.Description});
    }
    return names;
}

// Deletes the run's files, then the folder when empty: never a whole tree, which could reach
// through a link into other folders.
void RemoveFolderOf(const std::string& folder, const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        const std::string path = JoinText({folder, "\\", file});
        // The original's file is held a moment after it ends (Wine shows it; harmless on Windows).
        for (int attempt = 0;
             attempt < 30 && !DeleteFileA(path.c_str()) &&
             (GetLastError() == ERROR_SHARING_VIOLATION || GetLastError() == ERROR_ACCESS_DENIED);
             ++attempt)
            Sleep(100);
    }
    if (RemoveDirectoryA(folder.c_str()))
        LogLine(JoinText({"Removed ", folder}));
    else if (GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        LogLine(JoinText({"Left ", folder, " (", WindowsErrorText(GetLastError()), ")"}));
}

// SetupFiles and Logs, once nothing of the catalogue is installed.
void CleanUp(const std::string& destination) {
    const std::string staging = StagingFolder(destination);
    std::vector<std::string> staged = {"Setup.exe", "Setup.INI"};
    std::vector<std::string> logs;
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        const ComponentEntry& entry = InstallSession.Components[i];
        if (!HasSafeNames(entry))
            continue;
        if (entry.SetupFileSubFolder)
            RemoveFolderOf(PackageFolder(staging, entry), {entry.MSIFileName});
        staged.push_back(entry.MSIFileName);
        if (CanNameLogFile(entry))
            logs.push_back(entry.Description + ".log");
    }
    RemoveFolderOf(staging, staged);
    RemoveFolderOf(GetLogFolder(), logs);
    RemoveDirectoryA(destination.c_str());
}

// The destination to clean: /dir, else the set's entry's, else the parent of the SetupFiles the
// packages are read from, else the default.
void ChooseDestination(const CommandLineOptions& options, const std::string& source) {
    if (options.Destination)
        return;
    std::optional<std::string> destination = SetEntryLocation();
    const size_t separator = source.find_last_of('\\');
    if (!destination && separator != std::string::npos &&
        SameProfileName(source.substr(separator + 1), "SetupFiles"))
        destination = source.substr(0, separator);
    SetDestinationFolder(destination.value_or(""));
}

int Remove(const CommandLineOptions& options, std::string& reason) {
    if (!LoadConfiguration()) {
        reason = "the configuration file is missing";
        return ExitCodes::BadConfiguration;
    }
    const std::string error = ApplyPresets(options);
    if (!error.empty()) {
        reason = "invalid command line: " + error;
        return ExitCodes::InvalidCommandLine;
    }
    const std::string source = options.RemovalSource.value_or(ExecutableFolder());
    ChooseDestination(options, source);
    LogLine(JoinText({"Destination: ", GetDestinationFolder()}));
    LogLine(JoinText({"Packages read from: ", source}));

    const bool pages = !options.Unattended();
    const std::string names = ChooseInstalled(options, source);
    int exitCode = ExitCodes::Success;
    if (names.empty()) {
        LogLine("Nothing to remove: none of the chosen components is installed");
        if (pages)
            MessageBoxA(nullptr, "None of the chosen Norvane components is installed.",
                        MessageTexts::Information, MB_ICONINFORMATION | MB_OK);
    } else if (pages &&
               MessageBoxA(nullptr,
                           JoinText({RemovalQuestion, names, " from this computer?"}).c_str(),
                           MessageTexts::Confirm, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        reason = "the removal was declined";
        return ERROR_INSTALL_USEREXIT;
    } else {
        std::unique_ptr<PassivePage> page;
        if (options.Passive || pages)
            page = std::make_unique<PassivePage>(&ProgressTexts);
        std::unique_ptr<RecordedRows> rows =
            page ? std::make_unique<RecordedRows>(*progressPage) : std::make_unique<RecordedRows>();
        RunRemoval(*rows, pages ? INSTALLUILEVEL_BASIC : ServiceLevel(options), source);
        ReportRemovals(*rows);
        exitCode = RunExitCode(*rows, false);
        if (pages)
            page->ShowCompletion(CompletionTexts);
    }

    UpdateSetEntryAfterRemoval(source);
    const bool left = AnyCatalogueProductInstalled(source);
    if (options.RemovalSource)
        ReleaseOriginal(exitCode);
    if (!left)
        CleanUp(GetDestinationFolder());
    return exitCode;
}

} // namespace

int RunUninstall(const CommandLineOptions& options) {
    if (!options.RemovalSource && RunsFromStagingFolder())
        return RunFromTemporaryCopy();
    ReportStart(options.Quiet     ? "uninstall, quiet, no window"
                : options.Passive ? "uninstall, passive, progress page only"
                                  : "uninstall");
    int exitCode = ExitCodes::InstallFailure;
    std::string reason;
    try {
        exitCode = Remove(options, reason);
    } catch (const std::exception& error) {
        exitCode = ExitCodes::InstallFailure;
        reason = std::string("unexpected error: ") + error.what();
    }
    FreeComponents();
    if (reason.empty())
        reason = exitCode == ExitCodes::Success ? "the chosen components are not installed"
                 : exitCode == ExitCodes::SuccessRestartRequired
                     ? "removed; a restart is needed to finish"
                 : exitCode == ExitCodes::AnotherInstallRunning
                     ? "another installation was running"
                     : "at least one component could not be removed";
    return ReportExit(exitCode, reason);
}
