// What a fleet administrator relies on: /uninstall, the Add/Remove Programs entry, checked
// outcomes, restarts, one installer at a time, and command lines that never leave a box waiting.
#include "Driver.h"
#include "ScenarioPackages.h"
#include "TestFiles.h"
#include "UnattendedRun.h"

#include <msi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace e2e;
using ::testing::HasSubstr;

namespace {

class Fleet : public Unattended {
  protected:
    // Any temporary copy of a removal still in the temporary folder.
    static bool RemovalCopyLeft() {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH + 1, temp);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((std::string(temp) + "Norvane-Removal-*").c_str(), &found);
        return search != INVALID_HANDLE_VALUE && FindClose(search);
    }
    static std::string Listing(const std::string& folder) {
        std::string names;
        ForEachEntry(folder, [&](const WIN32_FIND_DATAA& entry) {
            names += std::string(entry.cFileName) + " ";
        });
        return names;
    }
    std::string Uninstall(const std::string& more = "") {
        return "/uninstall /quiet /log \"" + log_ + "\" " + more;
    }
    std::string staging_ = dest_ + "\\SetupFiles";
};

TEST_F(Fleet, QuietInstallThenUninstallLeavesNothingAndASecondUninstallIsStill0) {
    Configure(Section("Alpha", "Alpha.msi", "Required=1\r\n") + Section("Beta", "Beta.msi") +
              Section("Gamma", "Gamma.msi", "SetupFileSubFolder=1\r\n"));
    ASSERT_EQ(Run(Quiet("/msilogs /dir \"" + dest_ + "\"")), 0u) << Log();
    EXPECT_EQ(RegistryText("Beta", "Reboot"), "ReallySuppress");
    EXPECT_EQ(SetEntryText("DisplayName"), "Norvane Components");
    EXPECT_EQ(SetEntryText("NorvaneSections"), "Alpha,Beta,Gamma");
    EXPECT_EQ(SetEntryText("InstallLocation"), dest_);
    EXPECT_EQ(SetEntryText("QuietUninstallString"),
              "\"" + staging_ + "\\Setup.exe\" /uninstall /quiet");
    EXPECT_TRUE(FileIsThere(staging_ + "\\Setup.INI"));

    // One named component: the required one stays, the entry follows.
    EXPECT_EQ(Run(Uninstall("/components beta,alpha")), 0u) << Log();
    EXPECT_TRUE(Installed(Alpha) && Installed(Gamma));
    EXPECT_FALSE(Installed(Beta));
    EXPECT_EQ(SetEntryText("NorvaneSections"), "Alpha,Gamma");
    EXPECT_THAT(Log(), HasSubstr("Kept: [Alpha] is required by the others"));

    // The entry's own command, from the copy in SetupFiles, as a deployment tool runs it.
    EXPECT_EQ(RunIn(staging_, Uninstall()), 0u) << Log();
    EXPECT_FALSE(windowSeen_);
    EXPECT_FALSE(Installed(Alpha) || Installed(Beta) || Installed(Gamma));
    EXPECT_EQ(SetEntryText("DisplayName"), "(missing)");
    // The copy cleans up once the original has ended, then ends itself.
    for (int wait = 0; wait < 150 && RemovalCopyLeft(); ++wait)
        Sleep(100);
    EXPECT_FALSE(RemovalCopyLeft());
    EXPECT_FALSE(FolderIsThere(staging_)) << Log() << Listing(staging_);
    EXPECT_FALSE(FolderIsThere(dest_ + "\\Logs"));
    EXPECT_THAT(Log(),
                HasSubstr("Removal of [Gamma] Gamma: succeeded (Windows Installer result 0)"));

    EXPECT_EQ(Run(Uninstall()), 0u);
    EXPECT_THAT(Log(), HasSubstr("Nothing to remove"));
}

TEST_F(Fleet, RunsThatEndWithAComponentNotInstalledWriteNoSetEntry) {
    const struct {
        std::string ini;
        const char* logged;
    } cases[] = {
        // One package is missing.
        {Section("Alpha", "Alpha.msi") + Section("Missing", "Missing.msi"),
         "Installation of [Missing] Missing: failed; not staged: The package "},
        // Two sections name one product: the second cannot be told apart.
        {Section("Alpha", "Alpha.msi") + Section("Twin", "Alpha.msi"),
         "Installation of [Twin] Twin: failed; its product "
         "{1EBA7E6B-78D8-43C1-983A-B38C96BB3E9D} was already installed by [Alpha]"},
    };
    for (const auto& c : cases) {
        Configure(c.ini);
        EXPECT_EQ(Run(Quiet("")), 1603u) << Log();
        EXPECT_TRUE(Installed(Alpha));
        EXPECT_EQ(SetEntryText("DisplayName"), "(missing)");
        EXPECT_THAT(Log(), HasSubstr(c.logged));
        RemoveAllProducts();
    }
}

TEST_F(Fleet, AnEarlierProductWhoseRemovalNeedsARestartEndsWith3010Installed) {
    const std::string commandLine = "INSTALLDIR=\"" + (dist_ / "Earlier") + "\"";
    ASSERT_EQ(MsiInstallProductA((dist_ / "EarlierOneRestart.msi").c_str(), commandLine.c_str()),
              0u);
    Configure(Section("Alpha", "Alpha.msi"));
    EXPECT_EQ(Run(Quiet("/norestart")), 3010u) << Log();
    EXPECT_FALSE(Installed(EarlierOneRestart));
    EXPECT_TRUE(Installed(Alpha));
    EXPECT_EQ(SetEntryText("NorvaneSections"), "Alpha");
    EXPECT_THAT(Log(), HasSubstr(std::string("Earlier product ") + EarlierOneRestart.productCode +
                                 " found; removal succeeded (result 3010)"));
}

// A quiet run while another Setup.exe runs ends at once with 1618 (deployment tools retry it)
// and stages nothing; once the other ends, it installs. The other waits at its first page, so
// it holds the installer however slowly the second process starts.
TEST_F(Fleet, AQuietRunWhileAnotherRunsEndsWith1618AndChangesNothing) {
    Configure(Section("Alpha", "Alpha.msi"));
    const std::string second = dist_ / "second.log";
    const std::string staging = programFiles_ + "\\Norvane Components\\SetupFiles";
    {
        SetupProcess wizard(dist_.Path(), programFiles_);
        HWND welcome = WaitForPage(wizard.Id(), "Welcome to the Norvane Component Installer!");
        SetupProcess other(dist_.Path(), programFiles_,
                           "/quiet /acceptlicense /log \"" + second + "\"");
        EXPECT_EQ(other.WaitForExit(), 1618u);
        EXPECT_THAT(ReadTextFile(second),
                    HasSubstr("Exit code 1618: another installer is running"));
        EXPECT_EQ(GetFileAttributesA(staging.c_str()), INVALID_FILE_ATTRIBUTES);
        Click(Control(welcome, "&Cancel"));
        AnswerMessageBox(WaitForMessageBox(wizard.Id(), "Confirm"), IDYES);
        EXPECT_EQ(wizard.WaitForExit(), 0u);
    }
    EXPECT_FALSE(Installed(Alpha));
    EXPECT_EQ(Run(Quiet("")), 0u) << Log();
    EXPECT_TRUE(Installed(Alpha));
    // Each staged copy is whole.
    EXPECT_EQ(ReadTextFile(staging + "\\Alpha.msi"), ReadTextFile(dist_ / "Alpha.msi"));
}

TEST_F(Fleet, AFolderWithItsClosingBackslashKeepsTheOptionsAfterIt) {
    Configure(Section("Alpha", "Alpha.msi") + Section("Beta", "Beta.msi"));
    EXPECT_EQ(Run("/quiet /acceptlicense /dir \"" + dest_ + "\\\" /components Beta /log " +
                  (dist_ / "raw.log")),
              0u);
    EXPECT_TRUE(Installed(Beta));
    EXPECT_FALSE(Installed(Alpha));
    EXPECT_TRUE(FileIsThere(dest_ + "\\SetupFiles\\Beta.msi"));
    EXPECT_THAT(ReadTextFile(dist_ / "raw.log"), HasSubstr("Exit code 0"));
}

// A line meant for a silent run, ours or another kind's by habit, never shows a box, even when
// wrong: the log alone says why. (The Windows Installer is never called on these lines.)
TEST_F(Fleet, SilentSwitchesOfAnyInstallerNeverOpenABox) {
    Configure(Section("Alpha", "Alpha.msi"));
    const struct {
        std::string arguments;
        const char* logged;
    } cases[] = {
        {"/s", "Unknown option \"/s\""},
        {"/qn", "Unknown option \"/qn\""},
        {"/silent /acceptlicense", "Unknown option \"/silent\""},
        {"/x {1EBA7E6B-78D8-43C1-983A-B38C96BB3E9D} /qn", "Unknown option \"/x\""},
        {"/quiet /?", "Exit code 1639: the usage was asked for"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        windowSeen_ = false;
        EXPECT_EQ(Run(c.arguments + " /log \"" + log_ + "\""), 1639u);
        EXPECT_FALSE(windowSeen_);
        EXPECT_THAT(Log(), HasSubstr(c.logged));
    }
    EXPECT_TRUE(LogSays("Setup.exe /uninstall")) << "the usage goes to the log";
    EXPECT_FALSE(Installed(Alpha));
}

} // namespace
