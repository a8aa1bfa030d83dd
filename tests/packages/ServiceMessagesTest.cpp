// The run with the service's messages: the bar follows the documented progress protocol, and a
// confirmed Cancel stops the run with the current package rolled back.
#include "FakeProgressRows.h"
#include "InstallationRun.h"
#include "ScriptedMsi.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

enum { Reset = 0, ActionInfo = 1, Report = 2, AddToTotal = 3 };

ServiceMessage Progress(int kind, int value, int flag = 0) {
    return {INSTALLMESSAGE_PROGRESS, {kind, value, flag, 0}, ""};
}
ServiceMessage ActionStart(const std::string& description) {
    return {INSTALLMESSAGE_ACTIONSTART, {}, description};
}
ServiceMessage ActionData() {
    return {INSTALLMESSAGE_ACTIONDATA, {}, ""};
}
ServiceMessage CancelShown(bool shown) {
    return {INSTALLMESSAGE_COMMONDATA, {2, shown ? 1 : 0}, ""};
}

class PackagesServiceMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetInstallSession();
        SetDestinationFolder(root / "Dest");
    }
    void TearDown() override { ResetInstallSession(); }

    ScratchFolder root;
    ScriptedMsi msi;
};

TEST_F(PackagesServiceMessages, TheBarFollowsTheProgressProtocolForwardAndBackward) {
    SetSessionComponents({SelectedComponent("Core", "core.msi")});
    // Each message, and what the page shows after it (nothing when the position stays).
    const std::vector<std::pair<ServiceMessage, std::vector<std::string>>> steps = {
        {Progress(Reset, 1000), {}},
        {Progress(Report, 250), {"250"}},
        {Progress(AddToTotal, 1000), {"125"}}, // 250 of 2000
        {ActionStart("Copying new files"), {"action Copying new files"}},
        {ActionStart(""), {}}, // an action without a description keeps the line
        {Progress(ActionInfo, 500, 1), {}},
        {ActionData(), {"375"}},
        {ActionData(), {"625"}},
        {Progress(ActionInfo, 500, 0), {}},
        {ActionData(), {}}, // this action moves the bar itself
        {CancelShown(false), {"cancel 0"}},
        {Progress(Report, 5000), {"1000"}}, // never past the end
        {CancelShown(true), {"cancel 1"}},
        // Rolling back: from the end towards the start, never below it.
        {Progress(Reset, 400, 1), {}},
        {Progress(Report, 100), {"750"}},
        {Progress(Report, 900), {"0"}},
        {Progress(Reset, 0), {}}, // an empty total stays at the start
        {Progress(Report, 10), {}},
    };
    std::vector<std::string> expected = {"0", "action ", "cancel 1"};
    for (const auto& [message, shown] : steps) {
        Script.Messages.push_back(message);
        expected.insert(expected.end(), shown.begin(), shown.end());
    }
    expected.push_back("cancel 0");
    FakeProgressRows rows;

    RunInstallation(rows);

    EXPECT_THAT(rows.Shown, ElementsAreArray(expected));
    EXPECT_EQ(Script.Answers, std::vector<int>(steps.size(), 0))
        << "every message is left to the service's own UI too";
    // Registered for the package with the four kinds of message, then removed.
    EXPECT_THAT(Script.Handlers, ElementsAre("handler F00", "handler none"));
    EXPECT_THAT(rows.Statuses, ElementsAre("Succeeded"));
}

TEST_F(PackagesServiceMessages, ACancelStopsTheRunAndKeepsWhatWasInstalledBefore) {
    const struct {
        const char* what;
        int cancelOnRow;                      // the user confirms Cancel here
        std::vector<ServiceMessage> messages; // what each install sends
        UINT firstResult;                     // the first package's own result
        std::vector<std::string> statuses;
        std::vector<int> images;
        size_t installs;
    } cases[] = {
        {"cancelled during the second package, which the service rolls back",
         1,
         {Progress(Reset, 100), Progress(Report, 10), Progress(Report, 10)},
         ERROR_SUCCESS,
         {"Succeeded", "Cancelled", "Cancelled"},
         {1, 2, 2},
         2},
        {"cancelled when the service no longer listens: the package is installed",
         1,
         {CancelShown(false)},
         ERROR_SUCCESS,
         {"Succeeded", "Succeeded", "Cancelled"},
         {1, 1, 2},
         2},
        {"cancelled in the service's own box",
         -1,
         {},
         ERROR_INSTALL_USEREXIT,
         {"Cancelled", "Cancelled", "Cancelled"},
         {2, 2, 2},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetSessionComponents({SelectedComponent("A", "a.msi"), SelectedComponent("B", "b.msi"),
                              SelectedComponent("C", "c.msi")});
        Script.Calls.clear();
        Script.Messages = c.messages;
        int call = 0;
        Script.Install = [&](const std::string&, const std::string&) {
            return call++ == 0 ? c.firstResult : static_cast<UINT>(ERROR_SUCCESS);
        };
        FakeProgressRows rows;
        rows.CancelOnRow = c.cancelOnRow;

        RunInstallation(rows);

        EXPECT_THAT(rows.Statuses, ElementsAreArray(c.statuses));
        EXPECT_THAT(rows.Images, ElementsAreArray(c.images));
        EXPECT_EQ(Script.CallsStartingWith("install").size(), c.installs);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(InstallSession.Components[i].Succeeded, c.statuses[i] == "Succeeded") << i;
            EXPECT_EQ(InstallSession.Components[i].Cancelled, c.statuses[i] == "Cancelled") << i;
        }
    }
    EXPECT_THAT(Script.Answers, Contains(IDCANCEL));
}

TEST_F(PackagesServiceMessages, ThePageOwnsTheServiceBoxesDuringTheRunOnly) {
    SetSessionComponents({SelectedComponent("Core", "core.msi")});
    FakeProgressRows rows;
    rows.Owner = reinterpret_cast<HWND>(0x1234);

    RunInstallation(rows);

    EXPECT_THAT(Script.CallsStartingWith("ui"), ElementsAre("ui 3 owner 1234", "ui 3 owner 0"));
}

} // namespace
