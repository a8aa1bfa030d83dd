// The controller: start-up, the page sequence, the position carried between pages and the run.
#include "ContactPage.h"
#include "DestinationPage.h"
#include "LicencePage.h"
#include "ListViews.h"
#include "Wizard.h"
#include "MessageTexts.h"
#include "PageRobot.h"
#include "ProgressPage.h"
#include "ReadyPage.h"
#include "SelectionPage.h"
#include "CompletionPage.h"
#include "WelcomePage.h"
#include "WizardTesting.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Package steps that record their calls; the run marks every row.
struct RecordedSteps {
    std::vector<std::string> Calls;
    bool EarlierPackagesGone = true;
    // What the progress page showed when each step was called.
    bool ProgressShownAtStaging = false;
    POINT ProgressPlace = {};

    PackageSteps Steps() {
        return {[this] {
                    Calls.push_back("remove");
                    return EarlierPackagesGone;
                },
                [this] {
                    Calls.push_back("stage");
                    ProgressShownAtStaging = IsWindowVisible(progressPage->Handle) != FALSE;
                    ProgressPlace = {progressPage->Left(), progressPage->Top()};
                },
                [this](ProgressRows& rows) {
                    Calls.push_back("run " + std::to_string(rows.RowCount()));
                    for (int row = 0; row < rows.RowCount(); ++row) {
                        ComponentEntry& entry = rows.RowEntry(row);
                        entry.Succeeded = row % 2 == 0;
                        rows.SetRowImage(row, entry.Succeeded ? 1 : 2);
                        rows.SetRowStatus(row, entry.Succeeded ? MessageTexts::Succeeded
                                                               : MessageTexts::Failed);
                    }
                }};
    }
};

class Controller : public WizardTest {
  protected:
    void TearDown() override {
        DestroyPages();
        WizardTest::TearDown();
    }
};

// Moves a page from the robot's thread and waits until it stands there.
void MovePage(PageRobot& robot, const Form& page, int left, int top) {
    SetWindowPos(page.Handle, nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    robot.WaitUntil("the page to move", [&] { return page.Left() == left && page.Top() == top; });
}

POINT PlaceOf(const Form& page) {
    return {page.Left(), page.Top()};
}

bool operator==(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

// Runs the wizard while the script plays the user.
void RunWizardWith(const std::function<void(PageRobot&)>& script) {
    PageRobot robot(script);
    theWizard->Run();
}

// From the welcome page to the ready-to-install page, accepting the terms.
void WalkToReadyToInstall(PageRobot& r) {
    r.WaitUntilShown(*welcomePage);
    r.Click(welcomePage->nextButton);
    r.WaitUntilShown(*licencePage);
    r.Click(licencePage->acceptOption);
    r.Click(licencePage->nextButton);
    r.WaitUntilShown(*selectionPage);
    r.Click(selectionPage->nextButton);
    r.WaitUntilShown(*destinationPage);
    r.Click(destinationPage->nextButton);
    r.WaitUntilShown(*contactPage);
    r.Click(contactPage->nextButton);

    r.WaitUntilShown(*readyPage);
}

TEST_F(Controller, WalksForwardAndBackCarryingThePlaceFromPageToPage) {
    UseCatalogue({{"Core"}, {"Charts", false}, {"Data"}});
    RecordedSteps recorded;
    CreatePages(recorded.Steps());
    std::vector<POINT> places;
    std::vector<bool> acceptedOnReturn;
    RunWizardWith([&](PageRobot& r) {
        r.WaitUntilShown(*welcomePage);
        places.push_back(PlaceOf(*welcomePage)); // centred
        r.Click(welcomePage->nextButton);
        r.WaitUntilShown(*licencePage);
        places.push_back(PlaceOf(*licencePage));
        r.Click(licencePage->acceptOption);
        MovePage(r, *licencePage, 123, 77);
        r.Click(licencePage->nextButton);
        r.WaitUntilShown(*selectionPage);
        places.push_back(PlaceOf(*selectionPage));
        r.Click(selectionPage->backButton);
        r.WaitUntilShown(*licencePage);
        acceptedOnReturn.push_back(IsWindowEnabled(licencePage->nextButton) != FALSE);
        r.Click(licencePage->backButton);
        r.WaitUntilShown(*welcomePage);
        places.push_back(PlaceOf(*welcomePage)); // not centred again
        r.Click(welcomePage->nextButton);
        r.WaitUntilShown(*licencePage);
        acceptedOnReturn.push_back(IsWindowEnabled(licencePage->nextButton) != FALSE);
        r.Click(licencePage->nextButton);
        r.WaitUntilShown(*selectionPage);
        r.Click(selectionPage->nextButton);
        r.WaitUntilShown(*destinationPage);
        MovePage(r, *destinationPage, 140, 90);
        r.Click(destinationPage->nextButton);
        r.WaitUntilShown(*contactPage);
        places.push_back(PlaceOf(*contactPage));
        r.Click(contactPage->backButton);
        r.WaitUntilShown(*destinationPage);
        r.Click(destinationPage->nextButton);
        r.WaitUntilShown(*contactPage);
        r.Click(contactPage->nextButton);
        r.WaitUntilShown(*readyPage);
        MovePage(r, *readyPage, 150, 100);
        r.Click(readyPage->nextButton);
        r.WaitUntilShown(*completionPage);
        places.push_back(PlaceOf(*completionPage));
        r.Click(completionPage->nextButton);
    });

    EXPECT_TRUE(theWizard->Closed);
    ASSERT_EQ(places.size(), 6u);
    EXPECT_TRUE(places[1] == places[0]);
    EXPECT_TRUE(places[2] == (POINT{123, 77}));
    EXPECT_TRUE(places[3] == (POINT{123, 77}));
    EXPECT_TRUE(places[4] == (POINT{140, 90}));
    EXPECT_TRUE(places[5] == (POINT{150, 100}));
    EXPECT_EQ(acceptedOnReturn, (std::vector<bool>{true, true}));
    EXPECT_EQ(recorded.Calls, (std::vector<std::string>{"remove", "stage", "run 2"}));
    EXPECT_TRUE(recorded.ProgressShownAtStaging);
    EXPECT_TRUE(recorded.ProgressPlace == (POINT{150, 100}));
    EXPECT_FALSE(IsWindowVisible(progressPage->Handle));
    // The completion page listed what the run stored.
    ASSERT_EQ(ListRowCount(completionPage->summaryList), 2);
    EXPECT_EQ(ListText(completionPage->summaryList, 0, 1), "Succeeded");
    EXPECT_EQ(ListText(completionPage->summaryList, 1, 1), "Failed");
}

TEST_F(Controller, ConfirmedQuitOnTheReadyPageStagesAndInstallsNothing) {
    UseCatalogue({{"Core"}});
    RecordedSteps recorded;
    CreatePages(recorded.Steps());
    std::string question;
    RunWizardWith([&](PageRobot& r) {
        WalkToReadyToInstall(r);
        r.Click(readyPage->cancelButton);
        question = r.AnswerBox(MessageTexts::Confirm, IDYES);
    });
    EXPECT_EQ(question, MessageTexts::QuitQuestion);
    EXPECT_TRUE(theWizard->Closed);
    EXPECT_EQ(recorded.Calls, std::vector<std::string>{"remove"});
    EXPECT_FALSE(IsWindowVisible(progressPage->Handle));
}

TEST_F(Controller, EarlierPackagesLeftEndTheProgramBeforeAnyPage) {
    UseCatalogue({{"Core"}});
    RecordedSteps recorded;
    recorded.EarlierPackagesGone = false;
    CreatePages(recorded.Steps());
    std::string error;
    RunWizardWith([&](PageRobot& r) { error = r.AnswerBox(MessageTexts::Error, IDOK); });
    EXPECT_EQ(error, EarlierPackagesErrorText);
    EXPECT_TRUE(theWizard->Closed);
    EXPECT_EQ(recorded.Calls, std::vector<std::string>{"remove"});
    // Never shown: the welcome page still stands at its stored place.
    EXPECT_EQ(welcomePage->Left(), 285);
    EXPECT_EQ(welcomePage->Top(), 220);
}

TEST_F(Controller, MissingConfigurationShowsTheErrorAndNoPage) {
    ResetInstallSession(); // and no configuration file beside the test program
    RecordedSteps recorded;
    std::string error;
    int exitCode = -1;
    {
        PageRobot robot([&](PageRobot& r) { error = r.AnswerBox(MessageTexts::Error, IDOK); });
        exitCode = RunSetup(recorded.Steps());
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(error, "The setup failed to open the configuration file. Please alert "
                     "support@norvane.example");
    EXPECT_TRUE(recorded.Calls.empty());
    EXPECT_EQ(theWizard, nullptr);
}

TEST_F(Controller, UnexpectedErrorIsReportedAndTheProgramStillEnds) {
    UseCatalogue({{"Core"}});
    PackageSteps failing = RecordedSteps().Steps();
    failing.RemoveEarlierPackages = []() -> bool { throw std::runtime_error("disk on fire"); };
    std::string error;
    int exitCode = -1;
    {
        PageRobot robot([&](PageRobot& r) { error = r.AnswerBox(MessageTexts::Error, IDOK); });
        exitCode = RunSetup(failing);
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(error, "disk on fire");
    EXPECT_EQ(InstallSession.ComponentCount, 0) << "the catalogue is released at the end";
}

TEST_F(Controller, KeysPressedDuringTheRunDoNotPressFinish) {
    UseCatalogue({{"Core"}, {"Data"}});
    RecordedSteps recorded;
    PackageSteps steps = recorded.Steps();
    steps.RunInstallation = [](ProgressRows&) {
        // An impatient Enter during the run: real input goes to whatever has the focus when it
        // is read, so unless dropped it would press the completion page's Finish.
        INPUT keys[2] = {};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = VK_RETURN;
        }
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof keys[0]);
    };
    CreatePages(steps);
    RunWizardWith([&](PageRobot& r) {
        WalkToReadyToInstall(r);
        r.Click(readyPage->nextButton);
        r.WaitUntilShown(*completionPage);
        r.CloseBox(*completionPage);
    });
    EXPECT_EQ(completionPage->PageResult, PageResults::Cancel) << "ended by the close box";
    EXPECT_TRUE(theWizard->Closed);
}

} // namespace
