// Installer results a real package cannot produce on demand, through a scripted service:
// no failure may show as success, and every row is tried.
#include "BoxAnswerer.h"
#include "EarlierPackages.h"
#include "FakeProgressRows.h"
#include "FaultTally.h"
#include "InstallationRun.h"
#include "MessageTexts.h"
#include "ScriptedMsi.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Restart required counts as a failure here; the last is a result no one knows.
const UINT FailingResults[] = {
    ERROR_INSTALL_FAILURE,          ERROR_INSTALL_USEREXIT,        ERROR_INSTALL_ALREADY_RUNNING,
    ERROR_SUCCESS_REBOOT_REQUIRED,  ERROR_INSTALL_PACKAGE_INVALID, ERROR_FILE_NOT_FOUND,
    ERROR_SUCCESS_REBOOT_INITIATED, ERROR_PRODUCT_VERSION,         0xFFFFFFFFu};

// As each row starts, fails one step of its product-code read: open, view, execute, fetch, get,
// then none.
class RowsWithFailingReads : public FakeProgressRows {
  public:
    void SetRowStatus(int row, const std::string& status) override {
        if (status == MessageTexts::Installing) {
            UINT* steps[] = {&Script.OpenResult, &Script.ViewResult, &Script.ExecuteResult,
                             &Script.FetchResult, &Script.GetResult};
            for (size_t step = 0; step < std::size(steps); ++step)
                *steps[step] = ReadFails(row) && step == static_cast<size_t>(row) % 6
                                   ? ERROR_FUNCTION_FAILED
                                   : ERROR_SUCCESS;
        }
        FakeProgressRows::SetRowStatus(row, status);
    }
    static bool ReadFails(size_t row) { return row % 6 < 5; }
};

TEST(ScriptedFaults, EveryFailingResultIsAFailedRowAndEveryRowIsTried) {
    // A user exit is a cancel, which stops the run (tests/packages).
    std::vector<UINT> results;
    for (UINT result : FailingResults)
        if (result != ERROR_INSTALL_USEREXIT)
            results.push_back(result);
    ResetInstallSession();
    ScratchFolder root;
    const std::string dest = root / "dest";
    SetDestinationFolder(dest);
    ScriptedMsi msi;
    // The product is present: a row whose code is read installs over it, else afresh.
    Script.States[Script.ProductCode] = INSTALLSTATE_DEFAULT;
    std::vector<ComponentEntry> entries;
    for (size_t i = 0; i < results.size(); ++i)
        entries.push_back(SelectedComponent("Component " + std::to_string(i),
                                            "c" + std::to_string(i) + ".msi", i % 2 == 1));
    entries.push_back(SelectedComponent("Last", "last.msi"));
    SetSessionComponents(entries);
    // Every package names the one present product.
    for (const ComponentEntry& entry : entries)
        Script.ProductCodes[dest + "\\SetupFiles\\" +
                            (entry.SetupFileSubFolder ? entry.Description + "\\" : "") +
                            entry.MSIFileName] = Script.ProductCode;
    InstallSession.LogEnabled = true;
    size_t call = 0;
    Script.Install = [&](const std::string&, const std::string&) {
        const size_t row = call++;
        return row < results.size() ? results[row] : ERROR_SUCCESS;
    };
    RowsWithFailingReads rows;

    RunInstallation(rows);

    ASSERT_EQ(rows.Statuses.size(), entries.size());
    const std::vector<std::string> installs = Script.CallsStartingWith("install ");
    ASSERT_EQ(installs.size(), entries.size());
    const std::string fresh = "INSTALLDIR=\"" + dest + "\" NVN_CAME_LAUNCHER=1";
    for (size_t i = 0; i < entries.size(); ++i) {
        ++Tally.Cases;
        const bool last = i + 1 == entries.size();
        EXPECT_EQ(rows.Statuses[i], last ? "Succeeded" : "Failed") << i;
        EXPECT_EQ(InstallSession.Components[i].Succeeded, last) << i;
        if (!last && rows.Statuses[i] != "Failed")
            ++Tally.FailuresShownAsSuccess;
        const ComponentEntry& entry = InstallSession.Components[i];
        const std::string package = dest + "\\SetupFiles\\" +
                                    (entry.SetupFileSubFolder ? entry.Description + "\\" : "") +
                                    entry.MSIFileName;
        EXPECT_EQ(
            installs[i],
            "install " + package + " | " + fresh +
                (RowsWithFailingReads::ReadFails(i) ? "" : " REINSTALL=ALL REINSTALLMODE=vomus"))
            << i;
    }
    EXPECT_EQ(call, entries.size());
    // Every row's product code is read; the state is asked only for one that was read.
    EXPECT_EQ(Script.CallsStartingWith("open ").size(), entries.size());
    EXPECT_EQ(Script.CallsStartingWith("state ").size(), entries.size() / 6);
    ResetInstallSession();
}

// A removal asking for a restart (3010, 1641) has removed the product and the check goes on;
// every other result ends it.
TEST(ScriptedFaults, AFailedRemovalEndsTheCheckWhateverItsResult) {
    for (UINT result : FailingResults) {
        ++Tally.Cases;
        ScriptedMsi msi;
        Script.States[EarlierProductCodes[0]] = INSTALLSTATE_DEFAULT;
        Script.States[EarlierProductCodes[5]] = INSTALLSTATE_DEFAULT;
        Script.RemoveResults[EarlierProductCodes[0]] = result;
        BoxAnswerer answerer("Confirm", IDYES);
        const bool removed =
            result == ERROR_SUCCESS_REBOOT_REQUIRED || result == ERROR_SUCCESS_REBOOT_INITIATED;
        EXPECT_EQ(RemoveEarlierPackages(), removed) << result;
        EXPECT_EQ(
            Script.CallsStartingWith("configure " + std::string(EarlierProductCodes[5])).empty(),
            !removed)
            << result;
    }
}

} // namespace
