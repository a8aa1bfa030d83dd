// The real Setup.exe started with a command line as a deployment tool does: the outcome is its
// exit code (read whole, not cut to a byte as a Linux parent sees it), its log and the machine.
#include "Driver.h"
#include "ScenarioPackages.h"
#include "TestFiles.h"
#include "UnattendedRun.h"

#include <msi.h>

#include <gtest/gtest.h>

#include <random>

using namespace e2e;

namespace {

TEST_F(Unattended, QuietRunInstallsTheChosenAndRequiredComponentsWithoutAnyWindow) {
    Configure(Section("Alpha", "Alpha.msi", "Required=1\r\n") + Section("Beta", "Beta.msi") +
              Section("Gamma", "Gamma.msi", "SetupFileSubFolder=1\r\n") +
              Section("Left", "EarlierFive.msi"));
    EXPECT_EQ(Run(Quiet("/dir \"" + dest_ + "\" -COMPONENTS beta,GAMMA")), 0u) << Log();
    EXPECT_FALSE(windowSeen_);

    EXPECT_TRUE(FileIsThere(dest_ + "\\Beta\\Beta.txt"));
    EXPECT_TRUE(FileIsThere(dest_ + "\\SetupFiles\\Alpha.msi"));
    EXPECT_TRUE(FileIsThere(dest_ + "\\SetupFiles\\Gamma\\Gamma.msi"));
    EXPECT_FALSE(FileIsThere(dest_ + "\\SetupFiles\\EarlierFive.msi"));
    EXPECT_FALSE(FolderIsThere(dest_ + "\\Logs"));
    EXPECT_TRUE(Installed(Alpha) && Installed(Beta) && Installed(Gamma));
    EXPECT_FALSE(Installed(EarlierFive));
    EXPECT_EQ(RegistryText("Beta", "CameLauncher"), "1");

    for (const char* line :
         {"started: quiet, no window", "Chosen: [Alpha] Alpha (required)", "Chosen: [Beta] Beta",
          "Chosen: [Gamma] Gamma", "Earlier products: none found", ": 300 KB needed, enough space",
          "Installation of [Gamma] Gamma: succeeded (Windows Installer result 0)",
          "Exit code 0: every chosen component installed"})
        EXPECT_TRUE(LogSays(line)) << line << "\n" << Log();
    EXPECT_FALSE(LogSays("[Left]"));
    EXPECT_TRUE(LogSays("Destination: " + dest_)) << Log();
}

TEST_F(Unattended, PassiveRunShowsTheProgressPageAndEndsByItself) {
    Configure(Section("Alpha", "Alpha.msi") + Section("Beta", "Beta.msi") +
              Section("Gamma", "Gamma.msi"));
    EXPECT_EQ(Run("/passive /acceptlicense /msilogs"), 0u);
    EXPECT_TRUE(progressSeen_);
    EXPECT_FALSE(completionSeen_);
    EXPECT_TRUE(Installed(Alpha) && Installed(Beta) && Installed(Gamma));
    EXPECT_TRUE(FileIsThere(programFiles_ + "\\Norvane Components\\Logs\\Gamma.log"));
}

TEST_F(Unattended, FailingPackagesEndWith1603AndNoBoxWaits) {
    // One package is missing, one is no package at all.
    WriteTextFile(dist_ / "Broken.msi", "not a package");
    Configure(Section("Alpha", "Alpha.msi") + Section("Missing", "Missing.msi") +
              Section("Broken", "Broken.msi"));
    EXPECT_EQ(Run(Quiet("")), 1603u);
    EXPECT_FALSE(windowSeen_);
    EXPECT_TRUE(Installed(Alpha));
    EXPECT_TRUE(LogSays("Staging [Missing] Missing: not staged")) << Log();
    EXPECT_TRUE(LogSays("Installation of [Missing] Missing: failed; not staged: ")) << Log();
    EXPECT_TRUE(LogSays("Installation of [Broken] Broken: failed (Windows Installer result "))
        << Log();
    EXPECT_TRUE(LogSays("Exit code 1603: at least one component failed")) << Log();
}

TEST_F(Unattended, EarlierProductIsRemovedWithoutAQuestion) {
    const std::string commandLine = "INSTALLDIR=\"" + (dist_ / "Earlier") + "\"";
    ASSERT_EQ(MsiInstallProductA((dist_ / "EarlierTwo.msi").c_str(), commandLine.c_str()), 0u);
    Configure(Section("Alpha", "Alpha.msi"));
    EXPECT_EQ(Run(Quiet("")), 0u);
    EXPECT_FALSE(windowSeen_);
    EXPECT_FALSE(Installed(EarlierTwo));
    EXPECT_TRUE(Installed(Alpha));
    EXPECT_TRUE(LogSays(std::string("Earlier product ") + EarlierTwo.productCode +
                        " found; removal succeeded (result 0)"))
        << Log();
}

TEST_F(Unattended, InvalidCommandLinesEndWith1639BeforeAnythingChanges) {
    Configure(Section("Alpha", "Alpha.msi"));
    const struct {
        std::string arguments;
        const char* logged;
    } cases[] = {
        {Quiet("/components Alpha,Nope"), "Unknown component \"Nope\""},
        {"/passive /log \"" + log_ + "\"", "/passive needs /acceptlicense"},
        {Quiet("/passive"), "/quiet and /passive cannot be used together"},
        {Quiet("/dir Relative\\Folder"), "\"Relative\\Folder\" of /dir"},
        {Quiet("/bogus"), "Unknown option \"/bogus\""},
    };
    for (const auto& c : cases) {
        windowSeen_ = false;
        EXPECT_EQ(Run(c.arguments), 1639u) << c.arguments;
        EXPECT_FALSE(windowSeen_) << c.arguments;
        EXPECT_TRUE(LogSays(c.logged)) << c.logged << "\n" << Log();
    }
    EXPECT_FALSE(Installed(Alpha));
    EXPECT_FALSE(FolderIsThere(programFiles_ + "\\Norvane Components"));
}

TEST_F(Unattended, MissingOrEmptyConfigurationEndsWith1619) {
    EXPECT_EQ(Run(Quiet("")), 1619u);
    EXPECT_TRUE(LogSays("Exit code 1619: the configuration file is missing")) << Log();
    Configure("; no component at all\r\n");
    EXPECT_EQ(Run(Quiet("")), 1619u);
    EXPECT_TRUE(LogSays("Exit code 1619: the configuration file lists no component")) << Log();
    EXPECT_FALSE(windowSeen_);
}

TEST_F(Unattended, AFullDriveEndsWith112BeforeAnythingIsRemovedOrCopied) {
    if (!TinyDriveIsThere())
        GTEST_SKIP() << "no small drive T: on this machine";
    const std::string commandLine = "INSTALLDIR=\"" + (dist_ / "Earlier") + "\"";
    ASSERT_EQ(MsiInstallProductA((dist_ / "EarlierTwo.msi").c_str(), commandLine.c_str()), 0u);
    const std::string destination = "T:\\Agents-" + std::to_string(GetCurrentProcessId());
    Configure(Section("Alpha", "Alpha.msi", "Size=5000\r\n"));
    EXPECT_EQ(Run(Quiet("/dir " + destination)), 112u);
    EXPECT_FALSE(FolderIsThere(destination));
    EXPECT_TRUE(Installed(EarlierTwo));
    EXPECT_TRUE(LogSays("Free-space check on T:: 5000 KB needed, not enough space")) << Log();
}

TEST_F(Unattended, TheWizardWithARunLogStillExitsWith0) {
    Configure(Section("Alpha", "Alpha.msi"));
    setup_ = std::make_unique<SetupProcess>(dist_.Path(), programFiles_,
                                            "/log \"" + log_ + "\" /components alpha");
    HWND welcome = WaitForPage(setup_->Id(), "Welcome to the Norvane Component Installer!");
    Click(Control(welcome, "&Cancel"));
    AnswerMessageBox(WaitForMessageBox(setup_->Id(), "Confirm"), IDYES);
    EXPECT_EQ(setup_->WaitForExit(), 0u);
    EXPECT_TRUE(LogSays("started: wizard")) << Log();
    EXPECT_TRUE(LogSays("Exit code 0: the wizard ended without installing")) << Log();
    EXPECT_FALSE(Installed(Alpha));
}

TEST_F(Unattended, UsageAndInvalidLinesShowABoxToAPersonAtTheScreen) {
    Configure(Section("Alpha", "Alpha.msi"));
    setup_ = std::make_unique<SetupProcess>(dist_.Path(), programFiles_, "/?");
    HWND usage = WaitForMessageBox(setup_->Id(), InstallerCaption);
    EXPECT_EQ(MessageBoxText(usage).rfind("Setup.exe [/quiet | /passive]", 0), 0u);
    AnswerMessageBox(usage, IDOK);
    EXPECT_EQ(setup_->WaitForExit(), 0u);

    setup_ = std::make_unique<SetupProcess>(dist_.Path(), programFiles_, "/dir");
    HWND error = WaitForMessageBox(setup_->Id(), InstallerCaption);
    EXPECT_EQ(MessageBoxText(error).rfind("The option \"/dir\" needs a value.", 0), 0u);
    AnswerMessageBox(error, IDOK);
    EXPECT_EQ(setup_->WaitForExit(), 1639u);
    EXPECT_FALSE(FolderIsThere(programFiles_ + "\\Norvane Components"));
}

TEST_F(Unattended, FuzzedCommandLinesNeverCrashAndInstallOnlyWhenValid) {
    Configure(Section("Alpha", "Alpha.msi"));
    std::string spaced = dist_ / "A B";
    spaced.insert(spaced.begin(), '"');
    spaced.push_back('"');
    const std::string tokens[] = {
        "/acceptlicense",
        "-ACCEPTLICENSE",
        "/dir",
        spaced,
        "/components",
        "alpha",
        "Alpha,Nope",
        "\"",
        "\"\"",
        "/passive",
        "/msilogs",
        "-?x",
        "\xE9t\xE9",
        "\xE4\xB8\xAD",
        std::string(3000, 'v'),
        "C:rel",
        "\\\\srv",
        "/log",
        "/components,",
    };
    std::mt19937 random(7);
    for (int round = 0; round < 8; ++round) {
        // Always quiet: an invalid line without it would show its error box.
        std::string line = "/quiet";
        const int count = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < count; ++i)
            line += " " + tokens[random() % std::size(tokens)];
        const DWORD code = Run(line);
        EXPECT_TRUE(code == 0 || code == 1639) << code << " for " << line.substr(0, 200);
        EXPECT_EQ(Installed(Alpha), code == 0) << line.substr(0, 200);
        EXPECT_FALSE(windowSeen_) << line.substr(0, 200);
        RemoveAllProducts();
    }
}

} // namespace
