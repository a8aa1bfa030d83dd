// Installer results that a real package cannot produce on demand, through a
// scripted service: every failing result, unreadable product codes and
// failed removals. No failure may show as success, and every row is tried.
#include "FakeProgressRows.h"
#include "FaultTally.h"
#include "PackageOperations.h"
#include "ScriptedMsi.h"
#include "BoxAnswerer.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// User exit, another installation under way, restart required (still a
// failure here), bad package, file not found, restart started, cannot
// upgrade, a result no one knows.
const UINT FailingResults[] = {
    ERROR_INSTALL_FAILURE,          ERROR_INSTALL_USEREXIT,        ERROR_INSTALL_ALREADY_RUNNING,
    ERROR_SUCCESS_REBOOT_REQUIRED,  ERROR_INSTALL_PACKAGE_INVALID, ERROR_FILE_NOT_FOUND,
    ERROR_SUCCESS_REBOOT_INITIATED, ERROR_PRODUCT_VERSION,         0xFFFFFFFFu};

TEST(ScriptedFaults, EveryFailingResultIsAFailedRowAndEveryRowIsTried) {
    ResetInstallSession();
    ScratchFolder root;
    SetDestinationFolder(root / "dest");
    ScriptedMsi msi;
    // Each package's product code also fails to be read at a different step.
    std::vector<ComponentEntry> entries;
    for (size_t i = 0; i < std::size(FailingResults); ++i)
        entries.push_back(SelectedComponent("Component " + std::to_string(i),
                                            "c" + std::to_string(i) + ".msi", i % 2 == 1));
    entries.push_back(SelectedComponent("Last", "last.msi"));
    SetSessionComponents(entries);
    InstallSession.LogEnabled = true;
    size_t call = 0;
    Script.Install = [&](const std::string&, const std::string&) {
        const size_t row = call++;
        Script.OpenResult = row % 5 == 0 ? ERROR_OPEN_FAILED : ERROR_SUCCESS;
        Script.FetchResult = row % 5 == 3 ? ERROR_NO_MORE_ITEMS : ERROR_SUCCESS;
        return row < std::size(FailingResults) ? FailingResults[row] : ERROR_SUCCESS;
    };
    FakeProgressRows rows;

    RunInstallation(rows);

    ASSERT_EQ(rows.Statuses.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        ++Tally.Cases;
        const bool last = i + 1 == entries.size();
        EXPECT_EQ(rows.Statuses[i], last ? "Succeeded" : "Failed") << i;
        EXPECT_EQ(InstallSession.Components[i].Succeeded, last) << i;
        if (!last && rows.Statuses[i] != "Failed")
            ++Tally.FailuresShownAsSuccess;
    }
    EXPECT_EQ(call, entries.size());
    ResetInstallSession();
}

TEST(ScriptedFaults, AFailedRemovalEndsTheCheckWhateverItsResult) {
    for (UINT result : FailingResults) {
        ++Tally.Cases;
        ScriptedMsi msi;
        Script.States[EarlierProductCodes[0]] = INSTALLSTATE_DEFAULT;
        Script.States[EarlierProductCodes[5]] = INSTALLSTATE_DEFAULT;
        Script.RemoveResults[EarlierProductCodes[0]] = result;
        BoxAnswerer answerer("Confirm", IDYES);
        EXPECT_FALSE(RemoveEarlierPackages()) << result;
        EXPECT_TRUE(
            Script.CallsStartingWith("configure " + std::string(EarlierProductCodes[5])).empty());
    }
}

} // namespace
