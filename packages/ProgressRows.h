// The installation run's view of the progress page: its rows and the few
// operations the run performs on them.
#pragma once

#include "Session.h"

#include <windows.h>

#include <string>

// What the run learnt about a row beyond the service's result, for the run log: why it failed
// when the result does not say, the versions, the package's own log file.
struct RowFacts {
    std::string Reason; // empty unless the row failed for a reason of its own
    std::string PackageVersion;
    std::string InstalledVersion;
    std::string LogFile;
    bool ServiceCalled = false; // the package was handed to Windows Installer
};

class ProgressRows {
  public:
    virtual ~ProgressRows() = default;
    // The current number of rows; read anew before every row.
    virtual int RowCount() = 0;
    // The component row i shows (not owned).
    virtual ComponentEntry& RowEntry(int row) = 0;
    // 0 being installed, 1 installed, 2 failed, -1 none.
    virtual void SetRowImage(int row, int imageIndex) = 0;
    // Replaces the row's second-column text with this one text.
    virtual void SetRowStatus(int row, const std::string& status) = 0;
    // Scrolls the row fully into view.
    virtual void MakeRowVisible(int row) = 0;
    // The service's result for the row's package (ERROR_INVALID_NAME when never handed to it);
    // told once per row, after the install. Pages that show no codes ignore it.
    virtual void SetRowResult(int /*row*/, unsigned /*result*/) {}
    // The row's facts; told after its result, and again when a later package undoes it.
    virtual void SetRowFacts(int /*row*/, const RowFacts& /*facts*/) {}

    // ---- While the service installs a package (rows without a window ignore these) ----
    // The window that owns the service's own boxes; null for none.
    virtual HWND OwnerWindow() { return nullptr; }
    // How far the current package has come, 0 to 1000.
    virtual void SetPackageProgress(int /*perMille*/) {}
    // The service's description of the action it performs now.
    virtual void SetCurrentAction(const std::string& /*description*/) {}
    // Whether the user may cancel now (the service says when it may not).
    virtual void AllowCancel(bool /*allowed*/) {}
    // Handles waiting window messages without blocking; true once the user confirmed Cancel.
    virtual bool ServeWaitingMessages() { return false; }
};
