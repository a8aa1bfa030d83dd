// The real Setup.exe with a hostile configuration; the user says No to quitting on every page,
// then installs: it ends on the completion page, outcomes right, exit 0, nothing written outside.
#include "Driver.h"
#include "FaultTally.h"
#include "FileTree.h"
#include "TestFiles.h"

#include <msi.h>

#include <gtest/gtest.h>

namespace {

using namespace e2e;

const char* const FaultProductCode = NVN_FAULT_PRODUCT_CODE;

void RemoveFaultProduct() {
    const INSTALLSTATE state = MsiQueryProductStateA(FaultProductCode);
    if (state == INSTALLSTATE_DEFAULT || state == INSTALLSTATE_ADVERTISED) {
        MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
        MsiConfigureProductA(FaultProductCode, 0, INSTALLSTATE_ABSENT);
    }
}

std::string Section(const std::string& name, const std::string& description, const std::string& msi,
                    const std::string& extra = "") {
    return "[" + name + "]\r\nComponentDescription=" + description + "\r\nMSIFileName=" + msi +
           "\r\n" + extra;
}

TEST(HostileSetup, NoOnEveryPageThenEachComponentEndsWithItsOwnOutcome) {
    RemoveFaultProduct();
    ScratchFolder dist;
    const std::string programFiles = dist / "Program Files";
    CreateDirectoryA(programFiles.c_str(), nullptr);
    CopyFileA((TestProgramFolder() + "\\Setup.exe").c_str(), (dist / "Setup.exe").c_str(), FALSE);
    CopyFileA((TestProgramFolder() + "\\msi\\Fault.msi").c_str(), (dist / "Fault.msi").c_str(),
              FALSE);
    WriteTextFile(dist / "keep.txt", "kept");
    WriteTextFile(
        dist / "Setup.INI",
        Section("Good", "Good", "Fault.msi",
                "Size=1e3\r\nComponentImageIndex=$FFFFFFFF\r\nRequired=0x1\r\n") +
            Section("Up", "..\\..\\..\\Windows", "Fault.msi", "SetupFileSubFolder=1\r\n") +
            Section("Device", "CON", "Fault.msi", "SetupFileSubFolder=1\r\n") +
            Section("Outside", "Outside", "..\\keep.txt") +
            Section("Missing", "Missing", "Missing.msi", "Size=-5\r\n") +
            Section("Long", std::string(3000, 'L'), "Fault.msi",
                    "Version=" + std::string(2100, '9') + "\r\n"));
    const std::string destination = programFiles + "\\Norvane Components";
    const auto before = Snapshot(dist.Path(), 8, destination);

    SetupProcess setup(dist.Path(), programFiles);
    const char* const titles[] = {
        "Welcome to the Norvane Component Installer!", "License agreement",
        "Select Norvane components to install",        "Confirm installation folder",
        "Please provide your name and email address",  "Ready to install!"};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(titles[i]);
        HWND page = WaitForPage(setup.Id(), titles[i]);
        Click(Control(page, "&Cancel"));
        AnswerMessageBox(WaitForMessageBox(setup.Id(), "Confirm"), IDNO);
        ASSERT_EQ(CurrentPageTitle(setup.Id()), titles[i]);
        HWND next = Control(page, i == 5 ? "&Install" : "&Next >");
        if (i == 1) {
            Click(Control(page, "I &accept the terms of the license agreement"));
            for (int wait = 0; wait < 100 && !IsEnabled(next); ++wait)
                Sleep(50);
        }
        Click(next);
        try {
            WaitUntilGone(page, 5000);
        } catch (const DriverError&) {
            for (const char* caption : {"Information", "Error", "Confirm"})
                if (MessageBoxAppears(setup.Id(), caption, 100))
                    FAIL() << titles[i] << " stayed, with the box: "
                           << MessageBoxText(WaitForMessageBox(setup.Id(), caption));
            FAIL() << titles[i] << " stayed";
        }
    }
    HWND completion = WaitForPage(setup.Id(), "Installation complete", 60000);
    const auto rows = ListRows(ControlsOfClass(completion, "SysListView32").at(0));
    // The long description names no path here (no subfolder, no log), but its package is
    // Good's: one product cannot be two components, so the second fails, not a false success.
    const char* const expected[] = {"Succeeded", "Failed", "Failed", "Failed", "Failed", "Failed"};
    ASSERT_EQ(rows.size(), std::size(expected));
    for (size_t i = 0; i < rows.size(); ++i) {
        ++Tally.Cases;
        EXPECT_EQ(rows[i].second, expected[i]) << rows[i].caption.substr(0, 40);
        if (rows[i].second == "Succeeded" && std::string(expected[i]) == "Failed")
            ++Tally.FailuresShownAsSuccess;
    }
    Click(Control(completion, "&Finish"));
    EXPECT_EQ(setup.WaitForExit(), 0u);

    EXPECT_EQ(MsiQueryProductStateA(FaultProductCode), INSTALLSTATE_DEFAULT);
    const auto changed = Differences(before, Snapshot(dist.Path(), 8, destination));
    Tally.WritesOutside += static_cast<long>(changed.size());
    EXPECT_TRUE(changed.empty()) << changed.front();
    EXPECT_EQ(ReadTextFile(dist / "keep.txt"), "kept");
    RemoveFaultProduct();
    RemoveLongTree(dist.Path());
}

} // namespace
