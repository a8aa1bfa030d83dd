// The progress page while packages install: it answers other programs while
// the service reports progress, and its Cancel rolls a real package back.
#include "FakeProgressRows.h"
#include "InstallationRun.h"
#include "ListViews.h"
#include "MessageTexts.h"
#include "PageRobot.h"
#include "ProgressPage.h"
#include "RecordedRows.h"
#include "RoundTrip.h"
#include "ScriptedMsi.h"
#include "ServiceHelpers.h"
#include "Staging.h"
#include "TestFiles.h"
#include "WaitingMessages.h"
#include "core/SessionReset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>

namespace {

constexpr const char* BulkyProductCode = "{F97EA7E5-E3DA-41DF-A8E5-905A39D27A77}";

// The page's rows, telling another thread which row is being installed.
class WatchedRows : public RecordedRows {
  public:
    explicit WatchedRows(ProgressPage& page) : RecordedRows(page) {}
    void SetRowImage(int row, int imageIndex) override {
        RecordedRows::SetRowImage(row, imageIndex);
        if (imageIndex == 0)
            Installing = row;
    }
    std::atomic<int> Installing{-1};
};

class ProgressPageRun : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        ResetInstallSession();
        SetDestinationFolder(dest);
    }
    void TearDown() override { ResetInstallSession(); }

    InstallWatchdog watchdog{120000};
    ScratchFolder root;
    const std::string dest = root / "Dest";
};

TEST_F(ProgressPageRun, WhileAPackageInstallsOnlyCancelTheFrameAndTheSystemTakeInput) {
    ProgressPage page;
    ASSERT_TRUE(page.MakeWindow());
    const struct {
        HWND window;
        UINT message;
        WPARAM key;
        bool dropped;
    } cases[] = {
        {page.progressList, WM_LBUTTONDOWN, 0, true},
        {page.progressList, WM_KEYDOWN, VK_DOWN, true},
        {page.progressList, WM_KEYDOWN, VK_RETURN, true},
        {page.progressList, WM_CHAR, 'x', true},
        {page.Handle, WM_RBUTTONUP, 0, true},
        {page.progressList, WM_KEYDOWN, VK_ESCAPE, false}, // the page's Cancel
        {page.progressList, WM_KEYDOWN, VK_TAB, false},
        {page.progressList, WM_SYSKEYDOWN, 'C', false}, // access keys, Alt+Tab
        {page.cancelButton, WM_LBUTTONDOWN, 0, false},
        {page.cancelButton, WM_KEYDOWN, VK_SPACE, false},
        {page.Handle, WM_NCLBUTTONDOWN, HTCAPTION, false}, // moving the window
        {page.progressList, WM_MOUSEMOVE, 0, false},
        {page.progressList, WM_PAINT, 0, false},
        {nullptr, WM_LBUTTONDOWN, 0, false}, // not the page's
    };
    for (const auto& c : cases) {
        const MSG message = {c.window, c.message, c.key, 0, 0, {}};
        EXPECT_EQ(IsDroppedInput(message, page.Handle, page.cancelButton), c.dropped)
            << std::hex << c.message << " " << c.key;
    }
}

TEST_F(ProgressPageRun, ThePageAnswersOtherProgramsWhileTheServiceReportsProgress) {
    ScriptedMsi msi;
    SetSessionComponents({SelectedComponent("Core", "core.msi")});
    // About a second of progress reports, one every 20 ms, as Windows sends while copying files.
    Script.Messages.push_back({INSTALLMESSAGE_PROGRESS, {0, 50, 0, 0}, ""});
    for (int i = 0; i < 50; ++i)
        Script.Messages.push_back({INSTALLMESSAGE_PROGRESS, {2, 1, 0, 0}, ""});
    Script.MessageIntervalMs = 20;
    ProgressPage page;
    page.Show();
    WatchedRows rows(page);

    const support::RoundTrips trips =
        support::TimeRoundTrips(page.Handle, [&] { RunInstallation(rows); });

    EXPECT_GE(trips.Count, 20);
    EXPECT_LE(trips.LongestMs, 100.0) << "the longest WM_NULL round trip";
    EXPECT_EQ(SendMessageA(page.packageBar, PBM_GETPOS, 0, 0), 1000);
    EXPECT_EQ(rows.Rows()[0].Status, MessageTexts::Succeeded);
    page.Hide();
}

TEST_F(ProgressPageRun, CancelDuringARealInstallRollsThePackageBackAndStopsTheRun) {
    ProductCleanup fresh(FreshProductCode), bulky(BulkyProductCode), nested(NestedProductCode);
    ASSERT_EQ(ProductState(BulkyProductCode), INSTALLSTATE_UNKNOWN);
    SetSessionComponents({SelectedComponent("Fresh component", "Fresh.msi"),
                          SelectedComponent("Bulky component", "Bulky.msi"),
                          SelectedComponent("Nested component", "Nested.msi")});
    StageSetupFilesFrom(TestPackageFolder());
    ProgressPage page;
    page.Show();
    EXPECT_FALSE(IsWindowEnabled(page.cancelButton)) << "nothing to cancel before the run";
    WatchedRows rows(page);
    std::string question;
    {
        // The click is served at the handler's next call. Windows cancels on its next IDCANCEL;
        // Wine only at a package's own action start, which Bulky has between copy and registration.
        PageRobot robot([&](PageRobot& user) {
            user.WaitUntil("the second package to start", [&] {
                return rows.Installing == 1 && IsWindowEnabled(page.cancelButton);
            });
            user.Click(page.cancelButton);
            question = user.AnswerBox(MessageTexts::Confirm, IDYES);
        });
        RunInstallation(rows);
    }

    EXPECT_EQ(question, MessageTexts::CancelQuestion);
    ASSERT_EQ(rows.Rows().size(), 3u);
    EXPECT_EQ(rows.Rows()[0].Status, MessageTexts::Succeeded);
    EXPECT_EQ(rows.Rows()[1].Result, ERROR_INSTALL_USEREXIT);
    for (int row : {1, 2}) {
        EXPECT_EQ(ListText(page.progressList, row, 1), MessageTexts::Cancelled) << row;
        EXPECT_EQ(ListImage(page.progressList, row), 2) << row;
    }
    EXPECT_FALSE(rows.Rows()[2].Result) << "the package after it is never started";
    EXPECT_EQ(ProductState(FreshProductCode), INSTALLSTATE_DEFAULT);
    EXPECT_EQ(ProductState(BulkyProductCode), INSTALLSTATE_UNKNOWN);
    EXPECT_EQ(ProductState(NestedProductCode), INSTALLSTATE_UNKNOWN);
    EXPECT_FALSE(IsWindowEnabled(page.cancelButton));
    page.Hide();
}

} // namespace
