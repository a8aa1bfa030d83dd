// The installation run: each row's staged package handed to Windows Installer.
#include "PackageOperations.h"

#include "InstallProgress.h"
#include "MessageTexts.h"
#include "MsiFunctions.h"
#include "PackagePaths.h"

#include <cstring>
#include <optional>

namespace {

enum RowImage { RowBeingInstalled = 0, RowInstalled = 1, RowFailed = 2 };

// Reads the package's ProductCode property. Each step runs only when every
// earlier one succeeded; the three handles are closed whatever happened (0 for
// one never opened). None when the code cannot be read or does not fit.
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

// Installs one component's staged package; the service's result.
UINT InstallPackage(const std::string& destination, const ComponentEntry& entry, bool logReady) {
    // A name that would lead out of the staging folder is never used: that
    // component fails without a call to the service.
    if (!HasSafeNames(entry))
        return ERROR_INVALID_NAME;
    if (logReady) {
        // A description that cannot name a log file in the log folder costs
        // the package its log, not its installation. Logging is switched off
        // for it, or the previous package's log would take its entries.
        if (CanNameLogFile(entry))
            Msi.MsiEnableLogA(PackageLogMode, PackageLogFile(GetLogFolder(), entry).c_str(),
                              INSTALLLOGATTRIBUTES_APPEND);
        else
            Msi.MsiEnableLogA(0, nullptr, 0);
    }

    const std::string packagePath = StagedPackagePath(destination, entry);
    std::string commandLine = "INSTALLDIR=\"" + destination + "\" NVN_CAME_LAUNCHER=1";
    const std::optional<std::string> productCode = ReadProductCode(packagePath);
    if (productCode && ProductIsPresent(Msi.MsiQueryProductStateA(productCode->c_str())))
        commandLine += " REINSTALL=ALL REINSTALLMODE=vomus";

    return Msi.MsiInstallProductA(packagePath.c_str(), commandLine.c_str());
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
    // The service's own boxes are owned by the page, in front of it; the
    // service hands back its previous owner in `owner`, put back after the run,
    // when the page is gone.
    const HWND page = rows.OwnerWindow();
    HWND owner = page;
    Msi.MsiSetInternalUI(mode.UiLevel, page ? &owner : nullptr);
    const bool logReady = InstallSession.LogEnabled && MakeFolderPresent(GetLogFolder());

    // The row count is read anew before every row.
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
        UINT result;
        {
            ServiceMessages messages(rows);
            result = InstallPackage(destination, entry, logReady);
            // A package installed before the service heard the Cancel stays.
            cancelled = messages.CancelConfirmed() || result == ERROR_INSTALL_USEREXIT;
        }
        if (result == ERROR_INSTALL_USEREXIT) {
            rows.SetRowResult(row, result);
            MarkCancelled(rows, row);
            continue;
        }
        entry.Succeeded = result == ERROR_SUCCESS || (mode.RestartCountsAsInstalled &&
                                                      result == ERROR_SUCCESS_REBOOT_REQUIRED);
        rows.SetRowResult(row, result);
        rows.SetRowImage(row, entry.Succeeded ? RowInstalled : RowFailed);
        rows.SetRowStatus(row, entry.Succeeded ? MessageTexts::Succeeded : MessageTexts::Failed);
    }
    if (page)
        Msi.MsiSetInternalUI(mode.UiLevel, &owner);
}
