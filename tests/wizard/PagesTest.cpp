// The licence agreement, progress and completion pages on their own.
#include "LicencePage.h"
#include "ListViews.h"
#include "MessageTexts.h"
#include "PageRobot.h"
#include "ProgressPage.h"
#include "CompletionPage.h"
#include "WizardTesting.h"

#include "Artwork.h"
#include "resource.h"

#include <richedit.h>

#include <algorithm>
#include <stdexcept>

namespace {

using PagesTest = WizardTest;

bool Checked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Next is enabled exactly while "I accept" is selected.
bool InvariantHolds(const LicencePage& page) {
    return (IsWindowEnabled(page.nextButton) != FALSE) == Checked(page.acceptOption) &&
           Checked(page.acceptOption) != Checked(page.declineOption);
}

// From the first control: Don't accept -> Back -> Cancel (Next is disabled) -> the agreement,
// one key at a time, each to the control focused then.
void TabIntoTheAgreement(PageRobot& robot, const LicencePage& page) {
    for (int i = 0; i < 3; ++i) {
        const HWND before = robot.Focus();
        robot.Key(VK_TAB);
        robot.WaitUntil("the focus to move on", [&] { return robot.Focus() != before; });
    }
    robot.WaitUntil("focus in the agreement", [&] { return robot.Focus() == page.agreementText; });
}

TEST_F(PagesTest, LicenceNextFollowsTheAcceptButtonAndSurvivesARefusedQuit) {
    LicencePage page;
    HWND focusAtShow = nullptr;
    bool declinedAtStart = false;
    std::vector<bool> invariant;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        declinedAtStart = Checked(page.declineOption) && !IsWindowEnabled(page.nextButton);
        robot.Key(VK_RETURN); // Next is disabled: stays
        robot.Click(page.nextButton);
        robot.Click(page.acceptOption);
        robot.WaitUntil("Next enabled", [&] { return IsWindowEnabled(page.nextButton) != FALSE; });
        invariant.push_back(InvariantHolds(page));
        robot.AltKey('d');
        robot.WaitUntil("Next disabled", [&] { return !IsWindowEnabled(page.nextButton); });
        invariant.push_back(InvariantHolds(page));
        robot.AltKey('a');
        robot.WaitUntil("Next enabled", [&] { return IsWindowEnabled(page.nextButton) != FALSE; });
        invariant.push_back(InvariantHolds(page));
        // No to the quit question keeps the choice and Next as they were.
        robot.Key(VK_ESCAPE);
        robot.AnswerBox(MessageTexts::Confirm, IDNO);
        robot.WaitUntilShown(page);
        invariant.push_back(InvariantHolds(page) && Checked(page.acceptOption));
        robot.Click(page.nextButton);
    });
    EXPECT_EQ(focusAtShow, page.declineOption);
    EXPECT_TRUE(declinedAtStart);
    EXPECT_EQ(invariant, std::vector<bool>(4, true));
    EXPECT_EQ(result, PageResults::Next);
    // The state lasts: shown again, the terms are still accepted.
    const int again = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Key(VK_RETURN);
    });
    EXPECT_EQ(again, PageResults::Next);
}

TEST_F(PagesTest, LicenceArrowKeysInTheRadioGroupKeepNextInStep) {
    LicencePage page;
    bool holds = false, accepted = false;
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Key(VK_UP);
        robot.WaitUntil("focus on accept", [&] { return robot.Focus() == page.acceptOption; });
        robot.WaitUntil("invariant", [&] { return InvariantHolds(page); });
        holds = InvariantHolds(page);
        accepted = Checked(page.acceptOption);
        robot.Click(page.backButton);
    });
    EXPECT_TRUE(holds);
    // The arrow key moved the selection, not only the focus.
    EXPECT_TRUE(accepted);
}

TEST_F(PagesTest, LicenceTextIsTheStoredAgreementReadOnlyAndTabLeavesIt) {
    LicencePage page;
    const std::string stored = LoadDataResource(IDR_LICENSE);
    ASSERT_FALSE(stored.empty());
    const std::string firstLine = stored.substr(0, stored.find("\r\n"));
    HWND focusAfterTab = nullptr;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        TabIntoTheAgreement(robot, page);
        PostMessageA(page.agreementText, WM_CHAR, 'x', 1);
        robot.Key(VK_TAB);
        robot.Flush(page.cancelButton);
        focusAfterTab = robot.Focus();
        robot.Click(page.backButton);
    });
    EXPECT_EQ(result, PageResults::Back);
    // A keyboard user is never held in the box: Tab goes round to the selected answer.
    EXPECT_EQ(focusAfterTab, page.declineOption);
    const std::string shown = WindowText(page.agreementText);
    EXPECT_EQ(shown.substr(0, firstLine.size()), firstLine);
    EXPECT_EQ(shown.find('x'), stored.find('x')); // nothing typed into it
    EXPECT_NE(shown.find('\xA9'), std::string::npos) << "the copyright sign of code page 1252";
    EXPECT_TRUE(GetWindowLongA(page.agreementText, GWL_STYLE) & ES_READONLY);
}

// Each agreement line fits the box's text area in the page font, so none wraps a second time
// into a ragged remainder.
TEST_F(PagesTest, LicenceLinesFitTheBox) {
    LicencePage page;
    RECT area = {};
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        SendMessageA(page.agreementText, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        robot.Click(page.backButton);
    });
    const std::string stored = LoadDataResource(IDR_LICENSE);
    HDC dc = GetDC(page.agreementText);
    HGDIOBJ old = SelectObject(dc, PageFont());
    for (size_t start = 0; start < stored.size();) {
        const size_t end = std::min(stored.find("\r\n", start), stored.size());
        const std::string line = stored.substr(start, end - start);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &extent);
        EXPECT_LE(extent.cx, area.right - area.left) << line;
        start = end + 2;
    }
    SelectObject(dc, old);
    ReleaseDC(page.agreementText, dc);
}

TEST_F(PagesTest, TabbingIntoTheAgreementSelectsNothingInIt) {
    LicencePage page;
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        TabIntoTheAgreement(robot, page);
        robot.Click(page.backButton);
    });
    CHARRANGE selection = {-1, -1};
    SendMessageA(page.agreementText, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, selection.cpMax);
}

TEST_F(PagesTest, ProgressRowsAreTheSelectedComponentsInCatalogueOrder) {
    UseCatalogue({{"Alpha"}, {"Beta", false}, {"Gamma"}, {"Delta"}});
    ProgressPage page;
    page.Show();
    ASSERT_EQ(page.RowCount(), 3);
    const char* expected[] = {"Alpha", "Gamma", "Delta"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(ListText(page.progressList, row, 0), expected[row]);
        EXPECT_EQ(ListText(page.progressList, row, 1), "");
        // No image, said as such: -1 would ask the page for one.
        EXPECT_EQ(ListImage(page.progressList, row), I_IMAGENONE);
        EXPECT_EQ(&page.RowEntry(row), &InstallSession.Components[row == 0 ? 0 : row + 1]);
    }
    EXPECT_THROW(page.RowEntry(3), std::out_of_range);
    EXPECT_THROW(page.RowEntry(-1), std::out_of_range);

    // One status at a time: each replaces the last.
    page.SetRowImage(1, 0);
    page.SetRowStatus(1, MessageTexts::Installing);
    page.SetRowImage(1, 2);
    page.SetRowStatus(1, MessageTexts::Failed);
    EXPECT_EQ(ListText(page.progressList, 1, 1), "Failed");
    EXPECT_EQ(ListImage(page.progressList, 1), 2);
    EXPECT_EQ(ListText(page.progressList, 0, 1), "");

    // Shown again: rebuilt from the catalogue, no status survives.
    InstallSession.Components[1].Selected = true;
    page.Hide();
    page.Show();
    ASSERT_EQ(page.RowCount(), 4);
    EXPECT_EQ(ListText(page.progressList, 1, 0), "Beta");
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(ListText(page.progressList, row, 1), "");
        EXPECT_EQ(ListImage(page.progressList, row), I_IMAGENONE);
    }
    page.SetRowImage(2, -1);
    EXPECT_EQ(ListImage(page.progressList, 2), I_IMAGENONE);
    page.Hide();
}

TEST_F(PagesTest, ProgressMakesALowRowFullyVisible) {
    std::vector<TestComponent> many;
    for (int i = 0; i < 30; ++i)
        many.push_back({"Component " + std::to_string(i)});
    UseCatalogue(many);
    ProgressPage page;
    page.Show();
    RECT client;
    GetClientRect(page.progressList, &client);
    for (int row : {29, 0, 17}) {
        page.MakeRowVisible(row);
        RECT item = {LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(page.progressList, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        EXPECT_GE(item.top, client.top) << row;
        EXPECT_LE(item.bottom, client.bottom) << row;
    }
    page.Hide();
}

TEST_F(PagesTest, ProgressPageOffersNoWayOut) {
    ProgressPage page;
    ASSERT_TRUE(page.MakeWindow());
    const LONG style = GetWindowLongA(page.Handle, GWL_STYLE);
    EXPECT_FALSE(style & WS_SYSMENU);
    for (HWND button : {page.backButton, page.nextButton, page.cancelButton})
        EXPECT_FALSE(IsWindowEnabled(button));
    EXPECT_TRUE(GetWindowLongA(page.progressList, GWL_STYLE) & LVS_NOCOLUMNHEADER);
}

TEST_F(PagesTest, CompletionListsTheOutcomeOfEverySelectedComponent) {
    UseCatalogue({{"Core", true, true, true},
                  {"Charts", false, true},
                  {"Data", true, false},
                  {"Docs", true, true},
                  {"Extras", true, false}});
    InstallSession.Components[4].Cancelled = true;
    CompletionPage page;
    HWND focusAtShow = nullptr;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        robot.Key(VK_ESCAPE); // Finish is also the cancel button
    });
    EXPECT_EQ(result, PageResults::Next);
    EXPECT_EQ(focusAtShow, page.nextButton);
    ASSERT_EQ(ListRowCount(page.summaryList), 4);
    const struct {
        const char* caption;
        const char* outcome;
        int image;
        int entry;
    } rows[] = {{"Core", "Succeeded", 1, 0},
                {"Data", "Failed", 2, 2},
                {"Docs", "Succeeded", 1, 3},
                {"Extras", "Cancelled", 2, 4}};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(ListText(page.summaryList, row, 0), rows[row].caption);
        EXPECT_EQ(ListText(page.summaryList, row, 1), rows[row].outcome);
        EXPECT_EQ(ListImage(page.summaryList, row), rows[row].image);
        EXPECT_EQ(ListData(page.summaryList, row),
                  reinterpret_cast<LPARAM>(&InstallSession.Components[rows[row].entry]));
    }
}

TEST_F(PagesTest, CompletionEndsOnEnterAndOnTheCloseBoxWithoutAsking) {
    UseCatalogue({{"Core"}});
    CompletionPage page;
    // Back and Cancel have no handlers here; these would show if a disabled button went off.
    page.MakeWindow();
    page.BindClick(page.backButton, [&] { page.PageResult = PageResults::Back; });
    page.BindClick(page.cancelButton, [&] { page.PageResult = PageResults::Back; });
    EXPECT_EQ(ShowModalWith(page,
                            [&](PageRobot& robot) {
                                robot.WaitUntilShown(page);
                                robot.Click(page.cancelButton); // disabled
                                robot.Click(page.backButton);   // disabled
                                robot.Key(VK_RETURN);
                            }),
              PageResults::Next);
    EXPECT_EQ(ShowModalWith(page,
                            [&](PageRobot& robot) {
                                robot.WaitUntilShown(page);
                                robot.CloseBox(page);
                            }),
              PageResults::Cancel);
}

} // namespace
