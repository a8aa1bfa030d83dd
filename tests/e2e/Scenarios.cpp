// The real Setup.exe, started from a scratch distribution and driven as a user would.
#include "Driver.h"
#include "ScenarioPackages.h"
#include "TestFiles.h"

#include <msi.h>

#include <gtest/gtest.h>

#include <memory>

using namespace e2e;

namespace {

// Page titles and control captions as the installer shows them.
const char* const Welcome = "Welcome to the Norvane Component Installer!";
const char* const License = "License agreement";
const char* const Selection = "Select Norvane components to install";
const char* const Destination = "Confirm installation folder";
const char* const Contact = "Please provide your name and email address";
const char* const Ready = "Ready to install!";
const char* const Completion = "Installation complete";

const char* const NextButton = "&Next >";
const char* const BackButton = "< &Back";
const char* const CancelButton = "&Cancel";
const char* const InstallButton = "&Install";
const char* const FinishButton = "&Finish";
const char* const Accept = "I &accept the terms of the license agreement";
const char* const DontAccept = "I &do not accept the terms of the license agreement";
const char* const LogOption = "Generate MSI log files for the installations";

class Scenario : public DistributionTest {
  protected:
    DWORD Start(const std::string& arguments = "") {
        setup_ = std::make_unique<SetupProcess>(dist_.Path(), programFiles_, arguments);
        return setup_->Id();
    }
    DWORD Pid() const { return setup_->Id(); }
    HWND Page(const char* title) { return WaitForPage(Pid(), title); }
    std::string DestinationFolder() const { return programFiles_ + "\\Norvane Components"; }
    DWORD Finish() { return setup_->WaitForExit(); }

    // Presses a button and waits for the page to close; waits first, as a user would, for a
    // button an earlier click is about to enable.
    void Leave(HWND page, const char* button) {
        WaitUntilEnabled(Control(page, button));
        Click(Control(page, button));
        WaitUntilGone(page);
    }
    HWND WalkToSelection() {
        Leave(Page(Welcome), NextButton);
        HWND license = Page(License);
        Click(Control(license, Accept));
        Leave(license, NextButton);
        return Page(Selection);
    }
    HWND WalkToReady() {
        Leave(WalkToSelection(), NextButton);
        Leave(Page(Destination), NextButton);
        Leave(Page(Contact), NextButton);
        return Page(Ready);
    }
    // Answers the quit question with Yes and expects the program to end.
    void QuitWithYes(HWND page) {
        Click(Control(page, CancelButton));
        AnswerMessageBox(WaitForMessageBox(Pid(), "Confirm"), IDYES);
        EXPECT_EQ(Finish(), 0u);
    }
    static HWND List(HWND page) {
        const auto lists = ControlsOfClass(page, "SysListView32");
        if (lists.empty())
            throw DriverError("no list view on the page");
        return lists[0];
    }
};

TEST_F(Scenario, WithoutConfigurationFileOnlyTheErrorIsShown) {
    Start();
    HWND box = WaitForMessageBox(Pid(), "Error");
    EXPECT_EQ(MessageBoxText(box).rfind(
                  "The setup failed to open the configuration file. Please alert ", 0),
              0u)
        << MessageBoxText(box);
    EXPECT_EQ(CurrentPageTitle(Pid()), "");
    AnswerMessageBox(box, IDOK);
    EXPECT_EQ(Finish(), 0u);
    EXPECT_FALSE(FolderIsThere(DestinationFolder()));
}

TEST_F(Scenario, HappyPathInstallsTheCheckedComponents) {
    Configure(Section("Alpha", "Alpha.msi", "Required=1\r\n") + Section("Beta", "Beta.msi") +
              Section("Gamma", "Gamma.msi", "SetupFileSubFolder=1\r\n"));
    Start();
    HWND selection = WalkToSelection();
    HWND list = List(selection);
    auto rows = ListRows(list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.at(0).caption, "Alpha (Required)");
    EXPECT_EQ(rows.at(1).caption, "Beta");
    EXPECT_TRUE(rows.at(1).checked);
    SetRowChecked(list, 1, false);
    EXPECT_FALSE(ListRows(list).at(1).checked);
    Leave(selection, NextButton);

    HWND destination = Page(Destination);
    EXPECT_NO_THROW(Control(destination, DestinationFolder()));
    Leave(destination, NextButton);

    HWND contact = Page(Contact);
    const auto edits = ControlsOfClass(contact, "Edit");
    ASSERT_EQ(edits.size(), 3u);
    SetEditText(edits.at(0), "Ada");
    Leave(contact, NextButton);

    HWND ready = Page(Ready);
    HWND log = Control(ready, LogOption);
    EXPECT_FALSE(IsChecked(log));
    Click(log);
    Leave(ready, InstallButton);

    HWND completion = WaitForPage(Pid(), Completion, 60000);
    rows = ListRows(List(completion));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.at(0).caption, "Alpha");
    EXPECT_EQ(rows.at(0).second, "Succeeded");
    EXPECT_EQ(rows.at(0).image, 1);
    EXPECT_EQ(rows.at(1).caption, "Gamma");
    EXPECT_EQ(rows.at(1).second, "Succeeded");
    Leave(completion, FinishButton);
    EXPECT_EQ(Finish(), 0u);

    const std::string dest = DestinationFolder();
    EXPECT_TRUE(FileIsThere(dest + "\\SetupFiles\\Alpha.msi"));
    EXPECT_TRUE(FileIsThere(dest + "\\SetupFiles\\Gamma\\Gamma.msi"));
    EXPECT_FALSE(FileIsThere(dest + "\\SetupFiles\\Beta.msi"));
    EXPECT_TRUE(FileIsThere(dest + "\\Alpha\\Alpha.txt"));
    EXPECT_TRUE(FileIsThere(dest + "\\Logs\\Alpha.log"));
    EXPECT_TRUE(FileIsThere(dest + "\\Logs\\Gamma.log"));
    EXPECT_FALSE(FileIsThere(dest + "\\Logs\\Beta.log"));
    EXPECT_TRUE(Installed(Alpha));
    EXPECT_TRUE(Installed(Gamma));
    EXPECT_FALSE(Installed(Beta));
    EXPECT_EQ(RegistryText("Alpha", "CameLauncher"), "1");
    EXPECT_EQ(RegistryText("Alpha", "Reinstall"), "");
    std::string installDir = RegistryText("Alpha", "InstallDir");
    if (!installDir.empty() && installDir.back() == '\\')
        installDir.pop_back();
    EXPECT_EQ(installDir, dest);
}

TEST_F(Scenario, PresentProductIsReinstalledInPlace) {
    const std::string dest = DestinationFolder();
    const std::string commandLine = "INSTALLDIR=\"" + dest + "\"";
    ASSERT_EQ(MsiInstallProductA((dist_ / "Alpha.msi").c_str(), commandLine.c_str()), 0u);
    ASSERT_TRUE(Installed(Alpha));
    Configure(Section("Alpha", "Alpha.msi"));
    Start();
    Leave(WalkToReady(), InstallButton);
    HWND completion = WaitForPage(Pid(), Completion, 60000);
    const auto rows = ListRows(List(completion));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.at(0).second, "Succeeded");
    Leave(completion, FinishButton);
    EXPECT_EQ(Finish(), 0u);
    EXPECT_EQ(RegistryText("Alpha", "Reinstall"), "ALL");
    EXPECT_EQ(RegistryText("Alpha", "CameLauncher"), "1");
}

TEST_F(Scenario, MissingPackageFailsAloneAndNoStaleCopyIsInstalled) {
    // An earlier run staged a package under the name of the component now missing one.
    const std::string staging = DestinationFolder() + "\\SetupFiles";
    ASSERT_TRUE(CreateDirectoryA(DestinationFolder().c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(staging.c_str(), nullptr));
    ASSERT_TRUE(
        CopyFileA((dist_ / "Beta.msi").c_str(), (staging + "\\Missing.msi").c_str(), FALSE));
    Configure(Section("Alpha", "Alpha.msi") + Section("Missing", "Missing.msi") +
              Section("Gamma", "Gamma.msi"));
    Start();
    Leave(WalkToReady(), InstallButton);
    HWND completion = WaitForPage(Pid(), Completion, 60000);
    const auto rows = ListRows(List(completion));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.at(0).second, "Succeeded");
    EXPECT_EQ(rows.at(1).second, "Failed");
    EXPECT_EQ(rows.at(1).image, 2);
    EXPECT_EQ(rows.at(2).second, "Succeeded");
    Leave(completion, FinishButton);
    EXPECT_EQ(Finish(), 0u);
    // The earlier copy is kept (it may be an installed product's registered source), never
    // installed in its place.
    EXPECT_FALSE(Installed(Beta));
    EXPECT_EQ(ReadTextFile(staging + "\\Missing.msi"), ReadTextFile(dist_ / "Beta.msi"));
}

class EarlierPackages : public Scenario {
  protected:
    void InstallEarlierProducts() {
        for (const TestPackage& package : {EarlierTwo, EarlierFive}) {
            const std::string commandLine = "INSTALLDIR=\"" + (dist_ / package.name) + "\"";
            ASSERT_EQ(MsiInstallProductA((dist_ / (std::string(package.name) + ".msi")).c_str(),
                                         commandLine.c_str()),
                      0u);
            ASSERT_TRUE(Installed(package));
        }
        Configure(Section("Alpha", "Alpha.msi"));
    }
    static constexpr const char* Question =
        "An older Norvane Components package has been detected. To install this new one, the older "
        "package must first be uninstalled. Do you wish to uninstall the old package? ";
};

TEST_F(EarlierPackages, OnePromptRemovesThemAllAndTheWizardStarts) {
    InstallEarlierProducts();
    Start();
    HWND box = WaitForMessageBox(Pid(), "Confirm");
    EXPECT_EQ(MessageBoxText(box), Question);
    AnswerMessageBox(box, IDYES);
    HWND welcome = WaitForPage(Pid(), Welcome, 60000);
    EXPECT_FALSE(Installed(EarlierTwo));
    EXPECT_FALSE(Installed(EarlierFive));
    QuitWithYes(welcome);
}

TEST_F(EarlierPackages, DecliningEndsWithTheErrorAndNoPage) {
    InstallEarlierProducts();
    Start();
    AnswerMessageBox(WaitForMessageBox(Pid(), "Confirm"), IDNO);
    HWND error = WaitForMessageBox(Pid(), "Error");
    EXPECT_EQ(
        MessageBoxText(error),
        "The installer could not (or was instructed not to) uninstall the older Norvane component "
        "packages that are currently installed on your system. The installer cannot proceed until "
        "they are removed.");
    EXPECT_EQ(CurrentPageTitle(Pid()), "");
    AnswerMessageBox(error, IDOK);
    EXPECT_EQ(Finish(), 0u);
    EXPECT_TRUE(Installed(EarlierTwo));
    EXPECT_TRUE(Installed(EarlierFive));
}

TEST_F(Scenario, RequiredComponentStaysCheckedAndOneMustBeChosen) {
    Configure(Section("Alpha", "Alpha.msi", "Required=1\r\n") + Section("Beta", "Beta.msi"));
    Start();
    HWND selection = WalkToSelection();
    HWND list = List(selection);
    SetRowChecked(list, 0, false);
    HWND box = WaitForMessageBox(Pid(), "Information");
    EXPECT_EQ(MessageBoxText(box), "This component is required.");
    EXPECT_FALSE(ListRows(list).at(0).checked); // unchecked while the box is open
    AnswerMessageBox(box, IDOK);
    Sleep(200);
    EXPECT_TRUE(ListRows(list).at(0).checked);
    EXPECT_FALSE(MessageBoxAppears(Pid(), "Information", 300)); // exactly one box
    // By the space bar the same.
    FocusRow(list, 0);
    PressKey(list, VK_SPACE);
    box = WaitForMessageBox(Pid(), "Information");
    AnswerMessageBox(box, IDOK);
    Sleep(200);
    EXPECT_TRUE(ListRows(list).at(0).checked);
    QuitWithYes(selection);
}

TEST_F(Scenario, NothingCheckedCannotGoOn) {
    Configure(Section("Alpha", "Alpha.msi") + Section("Beta", "Beta.msi"));
    Start();
    HWND selection = WalkToSelection();
    HWND list = List(selection);
    SetRowChecked(list, 0, false);
    SetRowChecked(list, 1, false);
    Click(Control(selection, NextButton));
    HWND box = WaitForMessageBox(Pid(), "Information");
    EXPECT_EQ(MessageBoxText(box), "You must select at least one component to install.");
    AnswerMessageBox(box, IDOK);
    EXPECT_EQ(CurrentPageTitle(Pid()), Selection);
    SetRowChecked(list, 1, true);
    Leave(selection, NextButton);
    QuitWithYes(Page(Destination));
    EXPECT_FALSE(FolderIsThere(DestinationFolder() + "\\SetupFiles"));
}

// Quit from each page by Cancel, Esc and the close box: No keeps the page and its inputs, Yes
// ends the program before anything is staged or installed.
class QuitScenario : public Scenario, public ::testing::WithParamInterface<int> {};

TEST_P(QuitScenario, NoKeepsThePageAndYesEndsWithNothingInstalled) {
    Configure(Section("Alpha", "Alpha.msi") + Section("Beta", "Beta.msi"));
    Start();
    const int pageNumber = GetParam();
    HWND page = Page(Welcome);
    const char* titles[] = {Welcome, License, Selection, Destination, Contact, Ready};
    for (int i = 1; i <= pageNumber; ++i) {
        if (i == 2)
            Click(Control(page, Accept));
        Leave(page, NextButton);
        page = Page(titles[i]);
    }
    // Something entered on the page, to see it kept.
    HWND input = nullptr;
    if (pageNumber == 1)
        Click(input = Control(page, Accept));
    if (pageNumber == 2)
        SetRowChecked(List(page), 1, false);
    if (pageNumber == 4)
        SetEditText(input = ControlsOfClass(page, "Edit").at(1), "Lovelace");
    if (pageNumber == 5)
        Click(input = Control(page, LogOption));

    for (int way = 0; way < 3; ++way) {
        if (way == 0)
            Click(Control(page, CancelButton));
        else if (way == 1)
            PressKey(page, VK_ESCAPE);
        else
            CloseFromTitleBar(page);
        HWND box = WaitForMessageBox(Pid(), "Confirm");
        EXPECT_EQ(MessageBoxText(box), "Are you sure you want to quit?");
        AnswerMessageBox(box, IDNO);
        EXPECT_EQ(CurrentPageTitle(Pid()), titles[pageNumber]) << "way " << way;
        if (pageNumber == 1) {
            EXPECT_TRUE(IsChecked(input));
            EXPECT_TRUE(IsEnabled(Control(page, NextButton)));
        } else if (pageNumber == 2) {
            EXPECT_FALSE(ListRows(List(page)).at(1).checked);
        } else if (pageNumber == 4) {
            EXPECT_EQ(Text(input), "Lovelace");
        } else if (pageNumber == 5) {
            EXPECT_TRUE(IsChecked(input));
        }
    }
    QuitWithYes(page);
    EXPECT_FALSE(FolderIsThere(DestinationFolder()));
    EXPECT_FALSE(Installed(Alpha));
}

INSTANTIATE_TEST_SUITE_P(EveryInputPage, QuitScenario, ::testing::Range(0, 6));

TEST_F(Scenario, BackAndNextKeepWhatWasEntered) {
    Configure(Section("Alpha", "Alpha.msi") + Section("Beta", "Beta.msi") +
              Section("Gamma", "Gamma.msi"));
    Start();
    HWND selection = WalkToSelection();
    SetRowChecked(List(selection), 2, false);
    Leave(selection, NextButton);
    Leave(Page(Destination), NextButton);
    HWND contact = Page(Contact);
    auto edits = ControlsOfClass(contact, "Edit");
    SetEditText(edits.at(0), "Ada");
    SetEditText(edits.at(1), "Lovelace");
    SetEditText(edits.at(2), "ada@example.org");
    Leave(contact, NextButton);
    HWND ready = Page(Ready);
    Click(Control(ready, LogOption));

    // All the way back.
    Leave(ready, BackButton);
    contact = Page(Contact);
    edits = ControlsOfClass(contact, "Edit");
    EXPECT_EQ(Text(edits.at(0)), "Ada");
    EXPECT_EQ(Text(edits.at(1)), "Lovelace");
    EXPECT_EQ(Text(edits.at(2)), "ada@example.org");
    Leave(contact, BackButton);
    HWND destination = Page(Destination);
    EXPECT_NO_THROW(Control(destination, DestinationFolder()));
    Leave(destination, BackButton);
    selection = Page(Selection);
    auto rows = ListRows(List(selection));
    EXPECT_TRUE(rows.at(0).checked);
    EXPECT_FALSE(rows.at(2).checked);
    Leave(selection, BackButton);
    HWND license = Page(License);
    EXPECT_TRUE(IsChecked(Control(license, Accept)));
    EXPECT_TRUE(IsEnabled(Control(license, NextButton)));
    Leave(license, BackButton);
    HWND welcome = Page(Welcome);
    EXPECT_FALSE(IsEnabled(Control(welcome, BackButton)));

    // And forward again.
    Leave(welcome, NextButton);
    license = Page(License);
    EXPECT_FALSE(IsChecked(Control(license, DontAccept)));
    Leave(license, NextButton);
    selection = Page(Selection);
    EXPECT_FALSE(ListRows(List(selection)).at(2).checked);
    Leave(selection, NextButton);
    Leave(Page(Destination), NextButton);
    contact = Page(Contact);
    EXPECT_EQ(Text(ControlsOfClass(contact, "Edit").at(1)), "Lovelace");
    Leave(contact, NextButton);
    ready = Page(Ready);
    EXPECT_TRUE(IsChecked(Control(ready, LogOption)));
    QuitWithYes(ready);
}

TEST_F(Scenario, LicenceMustBeAcceptedToGoOn) {
    Configure(Section("Alpha", "Alpha.msi"));
    Start();
    Leave(Page(Welcome), NextButton);
    HWND license = Page(License);
    EXPECT_TRUE(IsChecked(Control(license, DontAccept)));
    EXPECT_FALSE(IsEnabled(Control(license, NextButton)));
    PressKey(license, VK_RETURN); // the disabled default button does nothing
    Sleep(300);
    EXPECT_EQ(CurrentPageTitle(Pid()), License);
    PressAlt(license, 'a');
    Sleep(300);
    EXPECT_TRUE(IsChecked(Control(license, Accept)));
    EXPECT_TRUE(IsEnabled(Control(license, NextButton)));
    PressAlt(license, 'd');
    Sleep(300);
    EXPECT_FALSE(IsEnabled(Control(license, NextButton)));
    Click(Control(license, Accept));
    Sleep(200);
    PressKey(license, VK_RETURN);
    EXPECT_NO_THROW(Page(Selection));
    QuitWithYes(Page(Selection));
}

TEST_F(Scenario, NotEnoughSpaceIsNoticedOnTheDestinationPageAndAtInstall) {
    if (!TinyDriveIsThere())
        GTEST_SKIP() << "no small drive T: on this machine";
    programFiles_ = "T:\\Programs-" + std::to_string(GetCurrentProcessId());
    // 2,500 KB fit the empty drive.
    Configure(Section("Alpha", "Alpha.msi", "Size=1000\r\n") +
              Section("Beta", "Beta.msi", "Size=1500\r\n"));
    Start();
    Leave(WalkToSelection(), NextButton);
    Leave(Page(Destination), NextButton);
    HWND contact = Page(Contact);
    // Meanwhile something else fills the drive.
    const std::string filler = "T:\\filler-" + std::to_string(GetCurrentProcessId());
    WriteTextFile(filler, std::string(2500000, 'f'));
    Leave(contact, NextButton);
    HWND ready = Page(Ready);
    Click(Control(ready, LogOption));
    for (int press = 0; press < 2; ++press) {
        Click(Control(ready, InstallButton));
        HWND box = WaitForMessageBox(Pid(), "Information");
        EXPECT_EQ(MessageBoxText(box),
                  "There is not enough disk space to install the selected components.");
        AnswerMessageBox(box, IDOK);
        EXPECT_EQ(CurrentPageTitle(Pid()), Ready);
    }
    Leave(ready, BackButton);
    Leave(Page(Contact), BackButton);
    HWND destination = Page(Destination);
    Click(Control(destination, NextButton));
    HWND box = WaitForMessageBox(Pid(), "Information");
    EXPECT_EQ(MessageBoxText(box),
              "There is not enough disk space to install the selected components.");
    AnswerMessageBox(box, IDOK);
    EXPECT_EQ(CurrentPageTitle(Pid()), Destination);
    QuitWithYes(destination);
    DeleteFileA(filler.c_str());
    RemoveTree(programFiles_);
    EXPECT_FALSE(Installed(Alpha));
}

TEST_F(Scenario, MovedPageHandsItsPlaceOn) {
    Configure(Section("Alpha", "Alpha.msi"));
    Start();
    HWND welcome = Page(Welcome);
    // Centred on the whole desktop at its first show.
    const RECT first = WindowRect(welcome);
    const int desktopLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int desktopTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int desktopWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int desktopHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_NEAR(first.left - desktopLeft, desktopLeft + desktopWidth - first.right, 1);
    EXPECT_NEAR(first.top - desktopTop, desktopTop + desktopHeight - first.bottom, 1);

    MoveWindowTo(welcome, 40, 30);
    Leave(welcome, NextButton);
    HWND license = Page(License);
    EXPECT_EQ(WindowRect(license).left, 40);
    EXPECT_EQ(WindowRect(license).top, 30);
    MoveWindowTo(license, 70, 90);
    Leave(license, BackButton);
    welcome = Page(Welcome);
    EXPECT_EQ(WindowRect(welcome).left, 70); // not centred again
    EXPECT_EQ(WindowRect(welcome).top, 90);
    Leave(welcome, NextButton);
    license = Page(License);
    Click(Control(license, Accept));
    Leave(license, NextButton);
    EXPECT_EQ(WindowRect(Page(Selection)).left, 70);
    QuitWithYes(Page(Selection));
}

TEST_F(Scenario, PresetsOnTheCommandLineReachThePages) {
    Configure(Section("Alpha", "Alpha.msi") + Section("Beta", "Beta.msi") +
              Section("Gamma", "Gamma.msi"));
    const std::string folder = dist_ / "Preset Target";
    Start("/dir \"" + folder + "\" /components beta");
    HWND selection = WalkToSelection();
    const auto rows = ListRows(List(selection));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows.at(0).checked);
    EXPECT_TRUE(rows.at(1).checked);
    EXPECT_FALSE(rows.at(2).checked);
    Leave(selection, NextButton);
    HWND destination = Page(Destination);
    EXPECT_NO_THROW(Control(destination, folder));
    QuitWithYes(destination);
}

TEST_F(Scenario, ASecondWizardBringsTheFirstForwardAndEnds) {
    Configure(Section("Alpha", "Alpha.msi"));
    Start();
    HWND welcome = Page(Welcome);
    // Put aside, as a user who double-clicks again would have done.
    ShowWindow(welcome, SW_MINIMIZE);
    SetupProcess second(dist_.Path(), programFiles_);
    EXPECT_EQ(second.WaitForExit(5000), 0u);
    EXPECT_EQ(FindTopLevel(second.Id(), "Norvane Component Installer", Welcome), nullptr);
    EXPECT_FALSE(IsIconic(welcome));
    EXPECT_TRUE(IsWindowVisible(welcome));
    QuitWithYes(welcome);
}

} // namespace
