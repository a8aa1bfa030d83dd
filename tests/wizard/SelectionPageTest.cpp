// The selection page: rows from the catalogue, required components, the at-least-one rule and
// when the marks are stored.
#include "SelectionPage.h"

#include "InputPagesTesting.h"
#include "ListViews.h"
#include "MessageTexts.h"
#include "PageRobot.h"
#include "WizardTesting.h"

#include <chrono>
#include <climits>

namespace {

using SelectionPageTest = WizardTest;

// A check mark set as a program sets it (LVM_SETITEMSTATE), without waiting: a notice may answer.
void SetCheckLater(HWND list, int row, bool checked) {
    static LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendNotifyMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// A mouse click on the row's check box.
void ClickCheckBox(HWND list, int row) {
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    LVHITTESTINFO hit = {{bounds.left, (bounds.top + bounds.bottom) / 2}, 0, 0, 0, 0};
    while (hit.pt.x < bounds.left + 40 &&
           (SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)),
            !(hit.flags & LVHT_ONITEMSTATEICON)))
        ++hit.pt.x;
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x + 2, hit.pt.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x + 2, hit.pt.y));
}

TEST_F(SelectionPageTest, RowsShowTheCatalogueWithoutANoticeWhileFilling) {
    // The last one is required but stored unchecked: filling stays silent.
    UseCatalogue({{"Core", true, false, true}, {"Charts", false}, {"Docs", false, false, true}});
    const int32_t images[] = {3, -1, 11};
    const int64_t sizes[] = {0, 999, 1234567};
    for (int i = 0; i < 3; ++i) {
        InstallSession.Components[i].ImageIndex = images[i];
        InstallSession.Components[i].Size = sizes[i];
        InstallSession.Components[i].Version = std::to_string(i) + ".0";
    }
    SelectionPage page;
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Click(page.nextButton);
    });
    char separator[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    const std::string sep = separator;
    const char* captions[] = {"Core (Required)", "Charts", "Docs (Required)"};
    const std::string sizeTexts[] = {"~0 KB", "~999 KB", "~1" + sep + "234" + sep + "567 KB"};
    const int shownImages[] = {3, I_IMAGENONE, I_IMAGENONE};
    ASSERT_EQ(ListRowCount(page.componentList), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(ListText(page.componentList, row, 0), captions[row]);
        EXPECT_EQ(ListText(page.componentList, row, 1), std::to_string(row) + ".0");
        EXPECT_EQ(ListText(page.componentList, row, 2), sizeTexts[row]);
        EXPECT_EQ(ListImage(page.componentList, row), shownImages[row]);
        EXPECT_EQ(RowChecked(page.componentList, row), row == 0);
        EXPECT_EQ(ListData(page.componentList, row),
                  reinterpret_cast<LPARAM>(&InstallSession.Components[row]));
    }
}

TEST_F(SelectionPageTest, RequiredRowIsCheckedAgainAfterOneNoticeByMouseOrSpaceBar) {
    UseCatalogue({{"Core", true, false, true}, {"Charts"}});
    SelectionPage page;
    const DWORD thread = GetCurrentThreadId();
    std::vector<std::string> notices;
    std::vector<bool> uncheckedWhileOpen, secondNotice;
    auto attempt = [&](PageRobot& robot, const std::function<void()>& uncheck) {
        uncheck();
        robot.WaitUntil("the notice", [&] { return VisibleDialog(thread, "Information"); });
        uncheckedWhileOpen.push_back(!RowChecked(page.componentList, 0));
        notices.push_back(robot.AnswerBox(MessageTexts::Information, IDOK));
        robot.WaitUntil("the row checked", [&] { return RowChecked(page.componentList, 0); });
        Sleep(300);
        secondNotice.push_back(VisibleDialog(thread, nullptr) != nullptr);
    };
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        attempt(robot, [&] { ClickCheckBox(page.componentList, 0); });
        attempt(robot, [&] {
            LVITEMA focus = {};
            focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
            SendMessageA(page.componentList, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focus));
            PostMessageA(page.componentList, WM_KEYDOWN, VK_SPACE, 1);
            PostMessageA(page.componentList, WM_KEYUP, VK_SPACE, 1 | (3u << 30));
        });
        attempt(robot, [&] { SetCheckLater(page.componentList, 0, false); });
        ClickCheckBox(page.componentList, 1); // an optional row goes without a word
        robot.WaitUntil("Charts unchecked", [&] { return !RowChecked(page.componentList, 1); });
        robot.Click(page.nextButton);
    });
    EXPECT_EQ(notices, std::vector<std::string>(3, RequiredComponentText));
    EXPECT_EQ(uncheckedWhileOpen, std::vector<bool>(3, true));
    EXPECT_EQ(secondNotice, std::vector<bool>(3, false));
    EXPECT_EQ(result, PageResults::Next);
    EXPECT_TRUE(InstallSession.Components[0].Selected);
    EXPECT_FALSE(InstallSession.Components[1].Selected);
}

// The list takes the focus on entry with its first row focused: Space alone toggles that row.
TEST_F(SelectionPageTest, SpaceTogglesTheFirstRowAsSoonAsThePageShows) {
    UseCatalogue({{"Core"}, {"Charts"}});
    SelectionPage page;
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Key(VK_SPACE);
        robot.WaitUntil("the first row unchecked",
                        [&] { return !RowChecked(page.componentList, 0); });
        robot.Click(page.backButton);
    });
    EXPECT_FALSE(InstallSession.Components[0].Selected);
    EXPECT_TRUE(InstallSession.Components[1].Selected);
}

TEST_F(SelectionPageTest, NothingCheckedStaysAndOnlyClosesThatGoThroughStoreTheMarks) {
    UseCatalogue({{"Core"}, {"Charts"}});
    SelectionPage page;
    std::vector<std::string> notices;
    bool storedAfterNo = true;
    int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        SetCheckLater(page.componentList, 0, false);
        SetCheckLater(page.componentList, 1, false);
        robot.WaitUntil("all unchecked", [&] { return !page.AnyComponentChecked(); });
        robot.Click(page.nextButton);
        notices.push_back(robot.AnswerBox(MessageTexts::Information, IDOK));
        robot.WaitUntilShown(page);
        robot.Key(VK_ESCAPE);
        robot.AnswerBox(MessageTexts::Confirm, IDNO);
        robot.WaitUntilShown(page);
        storedAfterNo = !InstallSession.Components[0].Selected;
        robot.Click(page.backButton);
    });
    EXPECT_EQ(result, PageResults::Back);
    EXPECT_EQ(notices, std::vector<std::string>{NothingSelectedText});
    EXPECT_FALSE(storedAfterNo);
    EXPECT_FALSE(InstallSession.Components[0].Selected || InstallSession.Components[1].Selected);

    // An empty catalogue: Next never goes on, Back does.
    UseCatalogue({});
    result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Key(VK_RETURN);
        notices.push_back(robot.AnswerBox(MessageTexts::Information, IDOK));
        robot.WaitUntilShown(page);
        robot.Click(page.backButton);
    });
    EXPECT_EQ(result, PageResults::Back);
    EXPECT_EQ(notices.size(), 2u);
}

TEST_F(SelectionPageTest, TwoThousandComponentsFillQuickly) {
    std::vector<TestComponent> many;
    for (int i = 0; i < 2000; ++i)
        many.push_back({"Component " + std::to_string(i), i % 2 == 0, false, i % 7 == 0});
    UseCatalogue(many);
    SelectionPage page;
    const auto start = std::chrono::steady_clock::now();
    page.Show();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    page.Hide();
    ASSERT_EQ(ListRowCount(page.componentList), 2000);
    EXPECT_EQ(ListData(page.componentList, 1999),
              reinterpret_cast<LPARAM>(&InstallSession.Components[1999]));
    EXPECT_TRUE(RowChecked(page.componentList, 1998));
    EXPECT_FALSE(RowChecked(page.componentList, 1999));
}

} // namespace
