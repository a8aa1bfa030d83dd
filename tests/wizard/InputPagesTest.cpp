// The destination, contact and ready-to-install pages: what they show, store on which close,
// and the free-space check.
#include "BrowseForFolder.h"
#include "ContactPage.h"
#include "DestinationPage.h"
#include "Folders.h"
#include "ReadyPage.h"
#include "SelectionPage.h"
#include "CompletionPage.h"

#include "InputPagesTesting.h"
#include "MessageTexts.h"
#include "PageRobot.h"
#include "WizardTesting.h"

#include <gmock/gmock.h>

namespace {

// The free space behind HasEnoughDiskSpace, and the volume asked for.
uint64_t freeBytes = 0;
std::string measuredRoot;

// The folder browser: each Change takes the next answer ("" cancels) and records its start.
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
    DestinationPage page;
    HWND focusAtShow = nullptr;
    std::string shownFirst, shownAfterCancel;
    int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        shownFirst = WindowText(page.folderText);
        robot.Click(page.changeButton);
        robot.Flush(page.backButton);
        shownAfterCancel = WindowText(page.folderText);
        robot.AltKey('a');
        robot.WaitUntil("the root", [&] { return WindowText(page.folderText) == "D:\\"; });
        robot.Click(page.backButton);
    });
    EXPECT_EQ(result, PageResults::Back);
    EXPECT_EQ(focusAtShow, page.nextButton);
    EXPECT_EQ(shownFirst, defaultFolder);
    EXPECT_EQ(shownAfterCancel, defaultFolder);
    EXPECT_EQ(browserStarts, std::vector<std::string>(2, defaultFolder));
    EXPECT_EQ(InstallSession.DestinationFolder, "D:\\");

    // Next measures the root's drive; too little space keeps the page, the folder already stored.
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
        robot.Click(page.nextButton);
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
    DestinationPage page;
    const DWORD thread = GetCurrentThreadId();
    HWND browserOwner = nullptr;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Click(page.changeButton);
        HWND browser = nullptr;
        robot.WaitUntil("the browser", [&] { return browser = VisibleDialog(thread, nullptr); });
        browserOwner = GetWindow(browser, GW_OWNER);
        PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        robot.WaitUntilShown(page);
        robot.Click(page.backButton);
    });
    EXPECT_EQ(result, PageResults::Back);
    EXPECT_EQ(browserOwner, page.Handle);
    EXPECT_EQ(WindowText(page.folderText), overlong);
    EXPECT_EQ(InstallSession.DestinationFolder, overlong);
    EXPECT_EQ(GetWindowLongA(page.folderText, GWL_STYLE) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
}

TEST_F(InputPages, ContactFieldsKeepWhatWasTypedAndStoreItOnlyOnARealClose) {
    ContactPage page;
    const std::string longText(40000, 'a');
    HWND focusAtShow = nullptr;
    std::string shownFirst = "?", storedAfterNo = "?";
    int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        shownFirst = WindowText(page.firstNameBox) + WindowText(page.lastNameBox) +
                     WindowText(page.emailBox);
        SendMessageA(page.firstNameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("  Ada "));
        SendMessageA(page.emailBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longText.c_str()));
        PostMessageA(page.emailBox, WM_CHAR, 'z', 1); // typed past the usual limit
        robot.WaitUntil("the letter", [&] { return GetWindowTextLengthA(page.emailBox) == 40001; });
        robot.Key(VK_ESCAPE);
        robot.AnswerBox(MessageTexts::Confirm, IDNO);
        robot.WaitUntilShown(page);
        storedAfterNo = GetEmail() + GetFirstName() + GetLastName();
        robot.Click(page.backButton);
    });
    EXPECT_EQ(result, PageResults::Back);
    EXPECT_EQ(focusAtShow, page.firstNameBox);
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
        shownAgain = WindowText(page.firstNameBox) + "|" + WindowText(page.lastNameBox);
        robot.Click(page.nextButton);
    });
    EXPECT_EQ(shownAgain, "  Ada |Lovelace");
}

TEST_F(InputPages, LogOptionFollowsTheSessionAndInstallChecksTheSpaceEachTime) {
    UseCatalogue({{"Core"}});
    InstallSession.Components[0].Size = 100;
    ReadyPage page;
    auto ticked = [&] { return SendMessageA(page.logCheck, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    bool tickedAtFirstShow = true, storedAfterNo = true;
    int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        tickedAtFirstShow = ticked();
        robot.Click(page.logCheck);
        robot.WaitUntil("the option ticked", ticked);
        robot.Click(page.cancelButton);
        robot.AnswerBox(MessageTexts::Confirm, IDNO);
        robot.WaitUntilShown(page);
        storedAfterNo = InstallSession.LogEnabled;
        robot.Click(page.backButton);
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
        robot.Click(page.logCheck);
        robot.WaitUntil("the option cleared", [&] { return !ticked(); });
        freeBytes = 99999;
        for (int press = 0; press < 2; ++press) {
            robot.Click(page.nextButton);
            notices.push_back(robot.AnswerBox(MessageTexts::Information, IDOK));
            robot.WaitUntilShown(page);
            storedWhileOpen.push_back(InstallSession.LogEnabled);
        }
        freeBytes = 100000;
        robot.Click(page.nextButton);
    });
    EXPECT_EQ(result, PageResults::Next);
    EXPECT_TRUE(tickedOnReturn);
    EXPECT_EQ(notices, std::vector<std::string>(2, MessageTexts::NotEnoughSpace));
    EXPECT_EQ(storedWhileOpen, std::vector<bool>(2, true));
    EXPECT_FALSE(InstallSession.LogEnabled);
}

// The focus on opening and after each Tab, one key at a time; then leaves by leaveWith's button.
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
    UseCatalogue({{"Core"}, {"Data"}});
    SetDestinationFolder("E:\\Apps");
    // The pages' controls exist only once shown: the stops are compared after each page ran.
    SelectionPage selection;
    const auto selectionStops = TabStops(selection, 4, [&] { return selection.backButton; });
    EXPECT_THAT(selectionStops,
                ElementsAre(selection.componentList, selection.backButton, selection.nextButton,
                            selection.cancelButton, selection.componentList));
    DestinationPage destination;
    const auto destinationStops = TabStops(destination, 4, [&] { return destination.backButton; });
    EXPECT_THAT(destinationStops, ElementsAre(destination.nextButton, destination.cancelButton,
                                              destination.changeButton, destination.backButton,
                                              destination.nextButton));
    ContactPage contact;
    const auto contactStops = TabStops(contact, 6, [&] { return contact.backButton; });
    EXPECT_THAT(contactStops, ElementsAre(contact.firstNameBox, contact.lastNameBox,
                                          contact.emailBox, contact.backButton, contact.nextButton,
                                          contact.cancelButton, contact.firstNameBox));
    ReadyPage ready;
    const auto readyStops = TabStops(ready, 4, [&] { return ready.backButton; });
    EXPECT_THAT(readyStops, ElementsAre(ready.logCheck, ready.backButton, ready.nextButton,
                                        ready.cancelButton, ready.logCheck));
    // Back and Cancel are disabled on the completion page: Finish and the list.
    CompletionPage completion;
    const auto completionStops = TabStops(completion, 2, [&] { return completion.nextButton; });
    EXPECT_THAT(completionStops,
                ElementsAre(completion.nextButton, completion.summaryList, completion.nextButton));
}

} // namespace
