// The destination, contact information and ready-to-install pages: what they
// show, what they store on which close, and the free-space check.
#include "Contactinfo.h"
#include "Destination.h"
#include "Readytoinstall.h"
#include "Selection.h"
#include "Success.h"

#include "InputPagesTesting.h"
#include "MessageTexts.h"
#include "PageRobot.h"
#include "WizardTesting.h"

#include <gmock/gmock.h>

namespace {

// The free space behind HasEnoughDiskSpace, and the volume asked for.
uint64_t freeBytes = 0;
std::string measuredRoot;

// The folder browser: each Change takes the next answer ("" cancels) and
// records the folder it was opened at.
std::vector<std::string> browserAnswers, browserStarts;

class InputPages : public WizardTest {
  protected:
    void SetUp() override {
        WizardTest::SetUp();
        freeBytes = 1000000;
        QueryVolumeFreeBytes = [](const char* root, uint64_t* bytes) {
            measuredRoot = root ? root : "";
            *bytes = freeBytes;
            return true;
        };
        browserAnswers.clear();
        browserStarts.clear();
        BrowseDestinationFolder = [](std::string& folder, HWND, const std::string& title) {
            EXPECT_EQ(title, "Select the destination directory.");
            browserStarts.push_back(folder);
            const std::string answer = browserAnswers.at(browserStarts.size() - 1);
            if (!answer.empty())
                folder = answer;
            return !answer.empty();
        };
    }
    void TearDown() override {
        QueryVolumeFreeBytes = PlatformVolumeFreeBytes;
        BrowseDestinationFolder = BrowseForFolder;
        WizardTest::TearDown();
    }
};

TEST_F(InputPages, DestinationShowsTheDefaultTakesTheBrowsersAnswerAndKeepsItOnBack) {
    UseCatalogue({{"Core"}});
    browserAnswers = {"", "D:\\"};
    const std::string defaultFolder = GetProgramFilesFolder() + "\\Norvane Components";
    TfrmDestination page;
    HWND focusAtShow = nullptr;
    std::string shownFirst, shownAfterCancel;
    int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        shownFirst = WindowText(page.lblDestinationFolder);
        robot.Click(page.cmdChange);
        robot.Flush(page.cmdBack);
        shownAfterCancel = WindowText(page.lblDestinationFolder);
        robot.AltKey('a');
        robot.WaitUntil("the root",
                        [&] { return WindowText(page.lblDestinationFolder) == "D:\\"; });
        robot.Click(page.cmdBack);
    });
    EXPECT_EQ(result, PageResults::Back);
    EXPECT_EQ(focusAtShow, page.cmdNext);
    EXPECT_EQ(shownFirst, defaultFolder);
    EXPECT_EQ(shownAfterCancel, defaultFolder);
    EXPECT_EQ(browserStarts, std::vector<std::string>(2, defaultFolder));
    EXPECT_EQ(InstallSession.DestinationFolder, "D:\\");

    // Next measures the root's drive; too little space keeps the page with
    // the folder already stored.
    UseCatalogue({{"Core"}, {"Charts", false}});
    InstallSession.Components[0].Size = 100;
    InstallSession.Components[1].Size = 5000; // not selected
    SetDestinationFolder("E:\\Apps");
    freeBytes = 99999;
    std::string notice, storedWhileOpen;
    result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Key(VK_RETURN);
        notice = robot.AnswerBox(MessageTexts::Information, IDOK);
        robot.WaitUntilShown(page);
        storedWhileOpen = InstallSession.DestinationFolder;
        freeBytes = 100000; // exactly enough
        robot.Click(page.cmdNext);
    });
    EXPECT_EQ(result, PageResults::Next);
    EXPECT_EQ(notice, MessageTexts::NotEnoughSpace);
    EXPECT_EQ(storedWhileOpen, "E:\\Apps");
    EXPECT_EQ(measuredRoot, "E:\\");
}

TEST_F(InputPages, OverlongDestinationIsShownWholeAndTheRealBrowserStartsWithoutIt) {
    BrowseDestinationFolder = BrowseForFolder;
    std::string overlong = "C:\\";
    while (overlong.size() < 300)
        overlong += "Overlong folder name\\";
    SetDestinationFolder(overlong);
    TfrmDestination page;
    const DWORD thread = GetCurrentThreadId();
    HWND browserOwner = nullptr;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Click(page.cmdChange);
        HWND browser = nullptr;
        robot.WaitUntil("the browser", [&] { return browser = VisibleDialog(thread, nullptr); });
        browserOwner = GetWindow(browser, GW_OWNER);
        PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        robot.WaitUntilShown(page);
        robot.Click(page.cmdBack);
    });
    EXPECT_EQ(result, PageResults::Back);
    EXPECT_EQ(browserOwner, page.Handle);
    EXPECT_EQ(WindowText(page.lblDestinationFolder), overlong);
    EXPECT_EQ(InstallSession.DestinationFolder, overlong);
    EXPECT_EQ(GetWindowLongA(page.lblDestinationFolder, GWL_STYLE) & SS_TYPEMASK,
              SS_LEFTNOWORDWRAP);
}

TEST_F(InputPages, ContactFieldsKeepWhatWasTypedAndStoreItOnlyOnARealClose) {
    TfrmContactInfo page;
    const std::string longText(40000, 'a');
    HWND focusAtShow = nullptr;
    std::string shownFirst = "?", storedAfterNo = "?";
    int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        shownFirst = WindowText(page.txtFirstName) + WindowText(page.txtLastName) +
                     WindowText(page.txtEmail);
        SendMessageA(page.txtFirstName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("  Ada "));
        SendMessageA(page.txtEmail, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longText.c_str()));
        PostMessageA(page.txtEmail, WM_CHAR, 'z', 1); // typed past the usual limit
        robot.WaitUntil("the letter", [&] { return GetWindowTextLengthA(page.txtEmail) == 40001; });
        robot.Key(VK_ESCAPE);
        robot.AnswerBox(MessageTexts::Confirm, IDNO);
        robot.WaitUntilShown(page);
        storedAfterNo = GetEmail() + GetFirstName() + GetLastName();
        robot.Click(page.cmdBack);
    });
    EXPECT_EQ(result, PageResults::Back);
    EXPECT_EQ(focusAtShow, page.txtFirstName);
    EXPECT_EQ(shownFirst, "");
    EXPECT_EQ(storedAfterNo, "");
    EXPECT_EQ(GetFirstName(), "  Ada ");
    EXPECT_EQ(GetLastName(), "");
    EXPECT_EQ(GetEmail().size(), 40001u);

    // Shown again from the session.
    SetLastName("Lovelace");
    std::string shownAgain;
    result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        shownAgain = WindowText(page.txtFirstName) + "|" + WindowText(page.txtLastName);
        robot.Click(page.cmdNext);
    });
    EXPECT_EQ(shownAgain, "  Ada |Lovelace");
}

TEST_F(InputPages, LogOptionFollowsTheSessionAndInstallChecksTheSpaceEachTime) {
    UseCatalogue({{"Core"}});
    InstallSession.Components[0].Size = 100;
    TfrmReadyToInstall page;
    auto ticked = [&] { return SendMessageA(page.chkLogFile, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    bool tickedAtFirstShow = true, storedAfterNo = true;
    int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        tickedAtFirstShow = ticked();
        robot.Click(page.chkLogFile);
        robot.WaitUntil("the option ticked", ticked);
        robot.Click(page.cmdCancel);
        robot.AnswerBox(MessageTexts::Confirm, IDNO);
        robot.WaitUntilShown(page);
        storedAfterNo = InstallSession.LogEnabled;
        robot.Click(page.cmdBack);
    });
    EXPECT_EQ(result, PageResults::Back);
    EXPECT_FALSE(tickedAtFirstShow) << "although the layout ticks it";
    EXPECT_FALSE(storedAfterNo);
    EXPECT_TRUE(InstallSession.LogEnabled);

    bool tickedOnReturn = false;
    std::vector<std::string> notices;
    std::vector<bool> storedWhileOpen;
    result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        tickedOnReturn = ticked();
        robot.Click(page.chkLogFile);
        robot.WaitUntil("the option cleared", [&] { return !ticked(); });
        freeBytes = 99999;
        for (int press = 0; press < 2; ++press) {
            robot.Click(page.cmdNext);
            notices.push_back(robot.AnswerBox(MessageTexts::Information, IDOK));
            robot.WaitUntilShown(page);
            storedWhileOpen.push_back(InstallSession.LogEnabled);
        }
        freeBytes = 100000;
        robot.Click(page.cmdNext);
    });
    EXPECT_EQ(result, PageResults::Next);
    EXPECT_TRUE(tickedOnReturn);
    EXPECT_EQ(notices, std::vector<std::string>(2, MessageTexts::NotEnoughSpace));
    EXPECT_EQ(storedWhileOpen, std::vector<bool>(2, true));
    EXPECT_FALSE(InstallSession.LogEnabled);
}

// The controls that have the focus when the page opens and after each Tab,
// one key at a time; then the page is left with the button leaveWith names.
std::vector<HWND> TabStops(Form& page, size_t tabs, const std::function<HWND()>& leaveWith) {
    std::vector<HWND> stops;
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        stops.push_back(robot.Focus());
        for (size_t i = 0; i < tabs; ++i) {
            const HWND before = robot.Focus();
            robot.Key(VK_TAB);
            robot.WaitUntil("the focus to move on", [&] { return robot.Focus() != before; });
            stops.push_back(robot.Focus());
        }
        robot.Click(leaveWith());
    });
    return stops;
}

TEST_F(InputPages, TabGoesRoundEveryPageInItsOrder) {
    using ::testing::ElementsAre;
    // The stops are taken first: the controls' windows, which the expected
    // lists name, exist only once the page has been shown.
    UseCatalogue({{"Core"}, {"Data"}});
    SetDestinationFolder("E:\\Apps");
    TfrmSelection selection;
    const std::vector<HWND> selectionStops =
        TabStops(selection, 4, [&] { return selection.cmdBack; });
    EXPECT_THAT(selectionStops,
                ElementsAre(selection.lsvComponent, selection.cmdBack, selection.cmdNext,
                            selection.cmdCancel, selection.lsvComponent));
    TfrmDestination destination;
    const std::vector<HWND> destinationStops =
        TabStops(destination, 4, [&] { return destination.cmdBack; });
    EXPECT_THAT(destinationStops,
                ElementsAre(destination.cmdNext, destination.cmdCancel, destination.cmdChange,
                            destination.cmdBack, destination.cmdNext));
    TfrmContactInfo contact;
    const std::vector<HWND> contactStops = TabStops(contact, 6, [&] { return contact.cmdBack; });
    EXPECT_THAT(contactStops, ElementsAre(contact.txtFirstName, contact.txtLastName,
                                          contact.txtEmail, contact.cmdBack, contact.cmdNext,
                                          contact.cmdCancel, contact.txtFirstName));
    TfrmReadyToInstall ready;
    const std::vector<HWND> readyStops = TabStops(ready, 4, [&] { return ready.cmdBack; });
    EXPECT_THAT(readyStops, ElementsAre(ready.chkLogFile, ready.cmdBack, ready.cmdNext,
                                        ready.cmdCancel, ready.chkLogFile));
    // Back and Cancel are disabled on the completion page: Finish and the list.
    TfrmSuccess completion;
    const std::vector<HWND> completionStops =
        TabStops(completion, 2, [&] { return completion.cmdNext; });
    EXPECT_THAT(completionStops,
                ElementsAre(completion.cmdNext, completion.lsvComponents, completion.cmdNext));
}

} // namespace
