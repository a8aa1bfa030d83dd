// The form layer and page frame on the welcome page and a test page: closing, keys, placement.
#include "Artwork.h"
#include "Layout.h"
#include "MessageTexts.h"
#include "PageRobot.h"
#include "WelcomePage.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A page with an edit box, access keys, a disabled Cancel and a button whose handler throws.
class TestPage : public Form {
  public:
    TestPage();
    HWND nameBox = nullptr;
    HWND goButton = nullptr;
    HWND boomButton = nullptr;
    HWND nextButton = nullptr;
    HWND cancelButton = nullptr;
    std::vector<std::string> Events;

    void OnGo() { Events.push_back("go"); }
    void OnBoom() { throw std::runtime_error("boom"); }
    void OnNext() { PageResult = PageResults::Next; }
    void OnCancel() { PageResult = PageResults::Cancel; }
    void OnShow() override { Events.push_back("show"); }
    void OnClose() override { Events.push_back("close"); }
};

using enum ControlKind;
// clang-format off
const ControlLayout<TestPage> TestLayout[] = {
    {Button, &TestPage::nextButton,   408, 368,  89, 25, "&Next >", Flag::Default, 3, &TestPage::OnNext},
    {Button, &TestPage::cancelButton, 504, 368,  89, 25, "&Cancel",
             Flag::Cancel | Flag::Disabled,                                     4, &TestPage::OnCancel},
    {Edit,   &TestPage::nameBox,      128, 150, 200, 21, "",       Flag::None,     0, nullptr},
    {Button, &TestPage::goButton,     128, 200,  89, 25, "&Go",    Flag::None,     1, &TestPage::OnGo},
    {Button, &TestPage::boomButton,   228, 200,  89, 25, "Boom",   Flag::None,     2, &TestPage::OnBoom},
};
// clang-format on

TestPage::TestPage() : Form(100, 100) {
    BuildLayout(*this, TestLayout);
}

class FormLayer : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

TEST_F(FormLayer, EveryWayOutOfTheWelcomePageAsksBeforeQuitting) {
    WelcomePage page;
    // Cancel, Esc and the close box each ask; No keeps the page, Yes ends it.
    const std::vector<std::function<void(PageRobot&)>> ways = {
        [&](PageRobot& robot) { robot.Click(page.cancelButton); },
        [&](PageRobot& robot) { robot.Key(VK_ESCAPE); },
        [&](PageRobot& robot) { robot.CloseBox(page); },
    };
    for (const auto& way : ways) {
        std::vector<std::string> questions;
        const int result = ShowModalWith(page, [&](PageRobot& robot) {
            robot.WaitUntilShown(page);
            way(robot);
            questions.push_back(robot.AnswerBox(MessageTexts::Confirm, IDNO));
            robot.WaitUntilShown(page);
            way(robot);
            questions.push_back(robot.AnswerBox(MessageTexts::Confirm, IDYES));
        });
        EXPECT_EQ(result, PageResults::Cancel);
        EXPECT_EQ(questions, std::vector<std::string>(2, MessageTexts::QuitQuestion));
        EXPECT_FALSE(IsWindowVisible(page.Handle));
    }
}

TEST_F(FormLayer, WelcomeNextNeverAsksAndItsDisabledBackDoesNothing) {
    WelcomePage page;
    // The page gives Back no handler; this one would show if Back went off.
    bool backRan = false;
    page.MakeWindow();
    page.BindClick(page.backButton, [&] { backRan = true; });
    HWND focusAtShow = nullptr;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        robot.Click(page.backButton);
        robot.AltKey('b');
        robot.Key(VK_RETURN);
    });
    EXPECT_EQ(result, PageResults::Next);
    EXPECT_EQ(focusAtShow, page.nextButton);
    EXPECT_FALSE(backRan);
}

// Also run on two screens of different sizes (tests/wizard/two-screens.sh), where the desktop
// is larger than the primary monitor.
TEST_F(FormLayer, WelcomeIsCentredOnItsMonitorsWorkAreaAtItsFirstShowOnly) {
    WelcomePage page;
    page.SetPosition(10, 20);
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Click(page.nextButton);
    });
    RECT frame;
    GetWindowRect(page.Handle, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // 10, 20 lies on the primary monitor.
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(page.Left(), work.left + (work.right - work.left - width) / 2);
    EXPECT_EQ(page.Top(), work.top + (work.bottom - work.top - height) / 2);

    page.SetPosition(10, 20);
    ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Click(page.nextButton);
    });
    EXPECT_EQ(page.Left(), 10);
    EXPECT_EQ(page.Top(), 20);
}

TEST_F(FormLayer, PageWindowHasTheFixedFrameAndClientArea) {
    WelcomePage page;
    ASSERT_TRUE(page.MakeWindow());
    RECT client;
    GetClientRect(page.Handle, &client);
    EXPECT_EQ(client.right, PageClientWidth);
    EXPECT_EQ(client.bottom, PageClientHeight);
    const LONG style = GetWindowLongA(page.Handle, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(WindowText(page.Handle), "Norvane Component Installer");
    EXPECT_NE(SendMessageA(page.Handle, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(page.Handle, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(FormLayer, TheIconComesAtTheSizeAskedForAndGoesWithTheArtwork) {
    // Each size after another: a shared icon would stay at the first size.
    for (int size : {32, 48, 16, 24, 20}) {
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(InstallerIcon(size), &info)) << size;
        BITMAP colour = {};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    HICON icon = InstallerIcon(48);
    ReleaseArtwork();
    ICONINFO info = {};
    EXPECT_FALSE(GetIconInfo(icon, &info)) << "destroyed with the artwork";
}

TEST_F(FormLayer, EnterPressesTheFocusedButtonOrElseTheDefaultOne) {
    TestPage page;
    HWND focusAtShow = nullptr;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        focusAtShow = robot.Focus();
        robot.Key(VK_TAB);
        robot.WaitUntil("Tab to reach Go", [&] { return robot.Focus() == page.goButton; });
        robot.Key(VK_RETURN); // presses Go
        robot.Key(VK_ESCAPE); // Cancel is disabled: nothing
        robot.Click(page.cancelButton);
        robot.AltKey('c');
        robot.AltKey('g'); // presses Go again
        robot.Key(VK_TAB);
        robot.WaitUntil("Tab to reach Boom", [&] { return robot.Focus() == page.boomButton; });
        robot.Key(VK_TAB);
        robot.WaitUntil("Tab to reach Next", [&] { return robot.Focus() == page.nextButton; });
        robot.Key(VK_TAB); // wraps round to the edit box, skipping disabled Cancel
        robot.WaitUntil("Tab to wrap", [&] { return robot.Focus() == page.nameBox; });
        robot.Key(VK_RETURN); // not a button: the default button
    });
    EXPECT_EQ(focusAtShow, page.nameBox);
    EXPECT_EQ(result, PageResults::Next);
    EXPECT_EQ(page.Events, (std::vector<std::string>{"show", "go", "go", "close"}));
}

TEST_F(FormLayer, HandlerExceptionIsReportedInABoxAndThePageStaysOpen) {
    TestPage page;
    std::string message;
    const int result = ShowModalWith(page, [&](PageRobot& robot) {
        robot.WaitUntilShown(page);
        robot.Click(page.boomButton);
        message = robot.AnswerBox(MessageTexts::Error, IDOK);
        robot.WaitUntilShown(page);
        robot.Click(page.nextButton);
    });
    EXPECT_EQ(message, "boom");
    EXPECT_EQ(result, PageResults::Next);
    EXPECT_FALSE(IsWindowVisible(page.Handle));
}

} // namespace
