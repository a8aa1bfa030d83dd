// The licence agreement, progress and completion pages on their own.
#include "Licenseagreement.h"
#include "ListViews.h"
#include "MessageTexts.h"
#include "PageRobot.h"
#include "Progress.h"
#include "Success.h"
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
bool InvariantHolds(const TfrmLicenseAgreement& page) {
    return (IsWindowEnabled(page.cmdNext) != FALSE) == Checked(page.rdbAccept) &&
           Checked(page.rdbAccept) != Checked(page.rdbDontAccept);
}

// From the page's first control: Don't accept -> Back -> Cancel (Next is
// disabled) -> the agreement. One key at a time: each goes to the control
// that has the focus then.
void TabIntoTheAgreement(PageRobot& robot, const TfrmLicenseAgreement& page) {
    for (int i = 0; i < 3; ++i) {
        const HWND before = robot.Focus();
        robot.Key(VK_TAB);
        robot.WaitUntil("the focus to move on", [&] { return robot.Focus() != before; });
    }
    robot.WaitUntil("focus in the agreement", [&] { return robot.Focus() == page.rtbLicense; });
}

TEST_F(PagesTest, LicenceNextFollowsTheAcceptButtonAndSurvivesARefusedQuit) {
    TfrmLicenseAgreement page;
    HWND focusAtShow = nullptr;
    bool declinedAtStart = false;
    std::vector<bool> invariant;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        declinedAtStart = Checked(page.rdbDontAccept) && !IsWindowEnabled(page.cmdNext);
        robot.Key(VK_RETURN); // Next is disabled: stays
        robot.Click(page.cmdNext);
        robot.Click(page.rdbAccept);
        robot.WaitUntil("Next enabled", [&] { return IsWindowEnabled(page.cmdNext) != FALSE; });
        invariant.push_back(InvariantHolds(page));
        robot.AltKey('d');
        robot.WaitUntil("Next disabled", [&] { return !IsWindowEnabled(page.cmdNext); });
        invariant.push_back(InvariantHolds(page));
        robot.AltKey('a');
        robot.WaitUntil("Next enabled", [&] { return IsWindowEnabled(page.cmdNext) != FALSE; });
        invariant.push_back(InvariantHolds(page));
        // No to the quit question keeps the choice and Next as they were.
        robot.Key(VK_ESCAPE);
        robot.AnswerBox(MessageTexts::Confirm, IDNO);
        robot.WaitUntilShown(page);
        invariant.push_back(InvariantHolds(page) && Checked(page.rdbAccept));
        robot.Click(page.cmdNext);
    });
    EXPECT_EQ(focusAtShow, page.rdbDontAccept);
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
    TfrmLicenseAgreement page;
    bool holds = false, accepted = false;
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Key(VK_UP);
        robot.WaitUntil("focus on accept", [&] { return robot.Focus() == page.rdbAccept; });
        robot.WaitUntil("invariant", [&] { return InvariantHolds(page); });
        holds = InvariantHolds(page);
        accepted = Checked(page.rdbAccept);
        robot.Click(page.cmdBack);
    });
    EXPECT_TRUE(holds);
    // The arrow key moved the selection, not only the focus.
    EXPECT_TRUE(accepted);
}

TEST_F(PagesTest, LicenceTextIsTheStoredAgreementReadOnlyAndTabLeavesIt) {
    TfrmLicenseAgreement page;
    const std::string stored = LoadDataResource(IDR_LICENSE);
    ASSERT_FALSE(stored.empty());
    const std::string firstLine = stored.substr(0, stored.find("\r\n"));
    HWND focusAfterTab = nullptr;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        TabIntoTheAgreement(robot, page);
        PostMessageA(page.rtbLicense, WM_CHAR, 'x', 1);
        robot.Key(VK_TAB);
        robot.Flush(page.cmdCancel);
        focusAfterTab = robot.Focus();
        robot.Click(page.cmdBack);
    });
    EXPECT_EQ(result, PageResults::Back);
    // A keyboard user is never held in the box: Tab goes round to the
    // selected answer.
    EXPECT_EQ(focusAfterTab, page.rdbDontAccept);
    const std::string shown = WindowText(page.rtbLicense);
    EXPECT_EQ(shown.substr(0, firstLine.size()), firstLine);
    EXPECT_EQ(shown.find('x'), stored.find('x')); // nothing typed into it
    EXPECT_NE(shown.find('\xA9'), std::string::npos) << "the copyright sign of code page 1252";
    EXPECT_TRUE(GetWindowLongA(page.rtbLicense, GWL_STYLE) & ES_READONLY);
}

// Each line of the agreement fits the box's text area in the page font, so
// the box never wraps a line a second time into a ragged remainder.
TEST_F(PagesTest, LicenceLinesFitTheBox) {
    TfrmLicenseAgreement page;
    RECT area = {};
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        SendMessageA(page.rtbLicense, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        robot.Click(page.cmdBack);
    });
    const std::string stored = LoadDataResource(IDR_LICENSE);
    HDC dc = GetDC(page.rtbLicense);
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
    ReleaseDC(page.rtbLicense, dc);
}

TEST_F(PagesTest, TabbingIntoTheAgreementSelectsNothingInIt) {
    TfrmLicenseAgreement page;
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        TabIntoTheAgreement(robot, page);
        robot.Click(page.cmdBack);
    });
    CHARRANGE selection = {-1, -1};
    SendMessageA(page.rtbLicense, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, selection.cpMax);
}

TEST_F(PagesTest, ProgressRowsAreTheSelectedComponentsInCatalogueOrder) {
    UseCatalogue({{"Alpha"}, {"Beta", false}, {"Gamma"}, {"Delta"}});
    TfrmProgress page;
    page.Show();
    ASSERT_EQ(page.RowCount(), 3);
    const char* expected[] = {"Alpha", "Gamma", "Delta"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(ListText(page.lsvProgress, row, 0), expected[row]);
        EXPECT_EQ(ListText(page.lsvProgress, row, 1), "");
        // No image, said as such: -1 would ask the page for one.
        EXPECT_EQ(ListImage(page.lsvProgress, row), I_IMAGENONE);
        EXPECT_EQ(&page.RowEntry(row), &InstallSession.Components[row == 0 ? 0 : row + 1]);
    }
    EXPECT_THROW(page.RowEntry(3), std::out_of_range);
    EXPECT_THROW(page.RowEntry(-1), std::out_of_range);

    // One status at a time: each replaces the last.
    page.SetRowImage(1, 0);
    page.SetRowStatus(1, MessageTexts::Installing);
    page.SetRowImage(1, 2);
    page.SetRowStatus(1, MessageTexts::Failed);
    EXPECT_EQ(ListText(page.lsvProgress, 1, 1), "Failed");
    EXPECT_EQ(ListImage(page.lsvProgress, 1), 2);
    EXPECT_EQ(ListText(page.lsvProgress, 0, 1), "");

    // Shown again: rebuilt from the catalogue, no status survives.
    InstallSession.Components[1].Selected = true;
    page.Hide();
    page.Show();
    ASSERT_EQ(page.RowCount(), 4);
    EXPECT_EQ(ListText(page.lsvProgress, 1, 0), "Beta");
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(ListText(page.lsvProgress, row, 1), "");
        EXPECT_EQ(ListImage(page.lsvProgress, row), I_IMAGENONE);
    }
    page.SetRowImage(2, -1);
    EXPECT_EQ(ListImage(page.lsvProgress, 2), I_IMAGENONE);
    page.Hide();
}

TEST_F(PagesTest, ProgressMakesALowRowFullyVisible) {
    std::vector<TestComponent> many;
    for (int i = 0; i < 30; ++i)
        many.push_back({"Component " + std::to_string(i)});
    UseCatalogue(many);
    TfrmProgress page;
    page.Show();
    RECT client;
    GetClientRect(page.lsvProgress, &client);
    for (int row : {29, 0, 17}) {
        page.MakeRowVisible(row);
        RECT item = {LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(page.lsvProgress, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        EXPECT_GE(item.top, client.top) << row;
        EXPECT_LE(item.bottom, client.bottom) << row;
    }
    page.Hide();
}

TEST_F(PagesTest, ProgressPageOffersNoWayOut) {
    TfrmProgress page;
    ASSERT_TRUE(page.HandleNeeded());
    const LONG style = GetWindowLongA(page.Handle, GWL_STYLE);
    EXPECT_FALSE(style & WS_SYSMENU);
    for (HWND button : {page.cmdBack, page.cmdNext, page.cmdCancel})
        EXPECT_FALSE(IsWindowEnabled(button));
    EXPECT_TRUE(GetWindowLongA(page.lsvProgress, GWL_STYLE) & LVS_NOCOLUMNHEADER);
}

TEST_F(PagesTest, CompletionListsTheOutcomeOfEverySelectedComponent) {
    UseCatalogue({{"Core", true, true, true},
                  {"Charts", false, true},
                  {"Data", true, false},
                  {"Docs", true, true},
                  {"Extras", true, false}});
    InstallSession.Components[4].Cancelled = true;
    TfrmSuccess page;
    HWND focusAtShow = nullptr;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        robot.Key(VK_ESCAPE); // Finish is also the cancel button
    });
    EXPECT_EQ(result, PageResults::Next);
    EXPECT_EQ(focusAtShow, page.cmdNext);
    ASSERT_EQ(ListRowCount(page.lsvComponents), 4);
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
        EXPECT_EQ(ListText(page.lsvComponents, row, 0), rows[row].caption);
        EXPECT_EQ(ListText(page.lsvComponents, row, 1), rows[row].outcome);
        EXPECT_EQ(ListImage(page.lsvComponents, row), rows[row].image);
        EXPECT_EQ(ListData(page.lsvComponents, row),
                  reinterpret_cast<LPARAM>(&InstallSession.Components[rows[row].entry]));
    }
}

TEST_F(PagesTest, CompletionEndsOnEnterAndOnTheCloseBoxWithoutAsking) {
    UseCatalogue({{"Core"}});
    TfrmSuccess page;
    // Back and Cancel have no handlers on this page; these would show if a
    // disabled button went off.
    page.HandleNeeded();
    page.BindClick(page.cmdBack, [&] { page.PageResult = PageResults::Back; });
    page.BindClick(page.cmdCancel, [&] { page.PageResult = PageResults::Back; });
    EXPECT_EQ(ShowModalWith(page,
                            [&](PageRobot& robot) {
                                robot.WaitUntilShown(page);
                                robot.Click(page.cmdCancel); // disabled
                                robot.Click(page.cmdBack);   // disabled
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
