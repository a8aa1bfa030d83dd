// The installation run: each row's staged package handed to Windows Installer.
#include "InstallationRun.h"

#include "InstallOutcome.h"
#include "InstallProgress.h"
#include "MessageTexts.h"
#include "MsiFunctions.h"
#include "PackagePaths.h"
#include "Staging.h"

#include <cstring>
#include <optional>

namespace {

enum RowImage { RowBeingInstalled = 0, RowInstalled = 1, RowFailed = 2 };

// The package's ProductCode property; none when it cannot be read or does not fit.
std::optional<std::string> ReadProductCode(const std::string& packagePath) {
    char code[ProductCodeBufferLength] = {};
    DWORD length = ProductCodeBufferLength;
    MSIHANDLE database = 0, view = 0, record = 0;
    const bool read =
        Msi.MsiOpenDatabaseA(packagePath.c_str(), MSIDBOPEN_READONLY, &database) == ERROR_SUCCESS &&
        Msi.MsiDatabaseOpenViewA(database, ProductCodeQuery, &view) == ERROR_SUCCESS &&
        Msi.MsiViewExecute(view, 0) == ERROR_SUCCESS &&
        Msi.MsiViewFetch(view, &record) == ERROR_SUCCESS &&
        Msi.MsiRecordGetStringA(record, 1, code, &length) == ERROR_SUCCESS;
    Msi.MsiCloseHandle(database);
    Msi.MsiCloseHandle(view);
    Msi.MsiCloseHandle(record);
    if (!read)
        return std::nullopt;
    // Never read past the buffer, whatever the service left in it.
    return std::string(code, strnlen(code, ProductCodeBufferLength));
}

// One package's way through the run: what the service was given and said.
struct PackageRun {
    std::optional<std::string> ProductCode;
    std::string PackagePath;
    RowFacts Facts;
};

// Installs one component's staged package; the service's result.
UINT InstallPackage(const std::string& destination, const ComponentEntry& entry, bool logReady,
                    const InstallationMode& mode, const InstallOutcomes& outcomes,
                    PackageRun& run) {
    // A name leading out of the staging folder fails the component without calling the service.
    if (!HasSafeNames(entry)) {
        run.Facts.Reason = "its names lead out of the staging folder";
        return ERROR_INVALID_NAME;
    }
    // Nor a package staging refused or could not copy: what lies at its path is not this run's.
    if (const StagingOutcome* staged = FindStagingOutcome(entry);
        staged && !staged->Problem.empty()) {
        run.Facts.Reason = "not staged: " + staged->Problem;
        return staged->Error;
    }
    if (logReady) {
        // A description that cannot name a log file costs the package its log, not its install.
        // Logging is switched off, or the previous package's log would take its entries.
        if (CanNameLogFile(entry) && ReadyForPackageLog(PackageLogFile(GetLogFolder(), entry))) {
            run.Facts.LogFile = PackageLogFile(GetLogFolder(), entry);
            Msi.MsiEnableLogA(PackageLogMode, run.Facts.LogFile.c_str(),
                              INSTALLLOGATTRIBUTES_APPEND);
        } else
            Msi.MsiEnableLogA(0, nullptr, 0);
    }

    run.PackagePath = StagedPackagePath(destination, entry);
    std::string commandLine = "INSTALLDIR=\"" + destination + "\" NVN_CAME_LAUNCHER=1";
    run.ProductCode = ReadProductCode(run.PackagePath);
    if (run.ProductCode && ProductIsPresent(Msi.MsiQueryProductStateA(run.ProductCode->c_str())))
        commandLine += " REINSTALL=ALL REINSTALLMODE=vomus";
    commandLine += mode.ExtraProperties;
    if (run.ProductCode) {
        run.Facts.Reason = outcomes.Refusal(*run.ProductCode);
        if (!run.Facts.Reason.empty())
            return ERROR_INSTALL_FAILURE;
    }
    run.Facts.ServiceCalled = true;
    const UINT result = Msi.MsiInstallProductA(run.PackagePath.c_str(), commandLine.c_str());
    ReleaseStagedPackage(entry);
    // A staging failure is told apart from the service's own failures.
    if (result != ERROR_SUCCESS && !NeedsRestart(result) &&
        GetFileAttributesA(run.PackagePath.c_str()) == INVALID_FILE_ATTRIBUTES)
        run.Facts.Reason = "its package was not staged: " + run.PackagePath + " is missing";
    return result;
}

void ShowOutcome(ProgressRows& rows, int row, bool succeeded) {
    rows.SetRowImage(row, succeeded ? RowInstalled : RowFailed);
    rows.SetRowStatus(row, succeeded ? MessageTexts::Succeeded : MessageTexts::Failed);
}

// A row the run did not install because the user cancelled it: the package
// being installed was rolled back, the later ones were never started.
void MarkCancelled(ProgressRows& rows, int row) {
    ComponentEntry& entry = rows.RowEntry(row);
    entry.Succeeded = false;
    entry.Cancelled = true;
    rows.SetRowImage(row, RowFailed);
    rows.SetRowStatus(row, MessageTexts::Cancelled);
}

} // namespace

void RunInstallation(ProgressRows& rows) {
    RunInstallationWith(rows, InstallationMode{});
}

void RunInstallationWith(ProgressRows& rows, const InstallationMode& mode) {
    const std::string destination = GetDestinationFolder();
    // The page owns the service's boxes, keeping them in front; the previous owner handed back
    // in `owner` is restored after the run, when the page is gone.
    const HWND page = rows.OwnerWindow();
    HWND owner = page;
    Msi.MsiSetInternalUI(mode.UiLevel, page ? &owner : nullptr);
    const bool logReady = InstallSession.LogEnabled && PrepareLogFolder(GetLogFolder());

    InstallOutcomes outcomes;
    bool cancelled = false;
    for (int row = 0; row < rows.RowCount(); ++row) {
        if (cancelled) {
            MarkCancelled(rows, row);
            continue;
        }
        rows.SetRowImage(row, RowBeingInstalled);
        rows.SetRowStatus(row, MessageTexts::Installing);
        rows.MakeRowVisible(row);

        ComponentEntry& entry = rows.RowEntry(row);
        PackageRun run;
        UINT result;
        {
            ServiceMessages messages(rows);
            result = InstallPackage(destination, entry, logReady, mode, outcomes, run);
            // A package installed before the service heard the Cancel stays.
            cancelled = messages.CancelConfirmed() || result == ERROR_INSTALL_USEREXIT;
        }
        if (result == ERROR_INSTALL_USEREXIT) {
            rows.SetRowResult(row, result);
            MarkCancelled(rows, row);
            continue;
        }
        entry.Succeeded =
            run.Facts.Reason.empty() &&
            (result == ERROR_SUCCESS || (mode.RestartCountsAsInstalled && NeedsRestart(result)));
        // The service's word is checked against what it has registered.
        if (entry.Succeeded && run.ProductCode) {
            RowFacts confirmed = outcomes.Confirm(row, entry, *run.ProductCode, run.PackagePath);
            confirmed.LogFile = run.Facts.LogFile;
            confirmed.ServiceCalled = true;
            run.Facts = confirmed;
            entry.Succeeded = run.Facts.Reason.empty();
        }
        rows.SetRowResult(row, result);
        rows.SetRowFacts(row, run.Facts);
        ShowOutcome(rows, row, entry.Succeeded);
        if (run.Facts.ServiceCalled)
            for (const auto& [earlier, facts] : outcomes.Lost(entry)) {
                rows.RowEntry(earlier).Succeeded = false;
                rows.SetRowFacts(earlier, facts);
                ShowOutcome(rows, earlier, false);
            }
    }
    ReleaseStagedPackages();
    if (page)
        Msi.MsiSetInternalUI(mode.UiLevel, &owner);
}
