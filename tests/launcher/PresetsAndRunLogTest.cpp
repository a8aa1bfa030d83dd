// The command line's choices applied to the session, and the run log.
#include "Presets.h"
#include "RunLog.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gtest/gtest.h>

namespace {

class Presets : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetInstallSession();
        WriteTextFile(root / "Setup.INI", "[Core]\r\nRequired=1\r\n[ Data ]\r\n[Docs]\r\n");
        ASSERT_TRUE(LoadConfigurationFrom(root / "Setup.INI"));
    }
    void TearDown() override { ResetInstallSession(); }

    std::vector<bool> Selected() const {
        std::vector<bool> marks;
        for (int32_t i = 0; i < InstallSession.ComponentCount; ++i)
            marks.push_back(InstallSession.Components[i].Selected);
        return marks;
    }

    ScratchFolder root;
};

TEST_F(Presets, ChosenComponentsByNameAndTheRequiredOnesAreSelected) {
    EXPECT_EQ(ApplyPresets(ParseCommandLine({"/components", "DOCS"})), "");
    EXPECT_EQ(Selected(), std::vector<bool>({true, false, true}));
    // Without /components the initial marks stay; the other choices apply.
    InstallSession.Components[1].Selected = false;
    EXPECT_EQ(ApplyPresets(ParseCommandLine({"/dir", "D:\\N", "/msilogs"})), "");
    EXPECT_EQ(Selected(), std::vector<bool>({true, false, true}));
    EXPECT_EQ(GetDestinationFolder(), "D:\\N");
    EXPECT_TRUE(InstallSession.LogEnabled);
}

TEST_F(Presets, AnUnknownNameChangesNothing) {
    const std::string error =
        ApplyPresets(ParseCommandLine({"/components", "data,Charts", "/dir", "D:\\N"}));
    EXPECT_NE(error.find("\"Charts\""), std::string::npos) << error;
    EXPECT_EQ(Selected(), std::vector<bool>({true, true, true}));
    EXPECT_NE(GetDestinationFolder(), "D:\\N");
}

TEST(RunLog, AppendsLinesCreatingItsFolderAndNeverFails) {
    ScratchFolder root;
    const std::string log = root / "deep\\er\\install.log";
    WriteTextFile(root / "old.log", "earlier run\r\n");
    StartRunLog(root / "old.log");
    LogLine("second run");
    const std::string appended = ReadTextFile(root / "old.log");
    EXPECT_EQ(appended.rfind("earlier run\r\n", 0), 0u) << appended;
    EXPECT_NE(appended.find("  second run\r\n"), std::string::npos) << appended;

    StartRunLog(log);
    LogLine("one");
    LogLine("two");
    const std::string text = ReadTextFile(log);
    EXPECT_LT(text.find("  one\r\n"), text.find("  two\r\n")) << text;

    // A log that cannot be written (its name is a folder) is left out.
    StartRunLog(root.Path());
    LogLine("nowhere");
    StartRunLog("");
    LogLine("nothing");
}

// A run log name that another user made a hard link to a file elsewhere is
// never appended to: the log goes on in a new file beside it and says why.
TEST(RunLog, NeverAppendsThroughAHardLink) {
    ScratchFolder root;
    WriteTextFile(root / "elsewhere.txt", "not a log");
    ASSERT_TRUE(
        CreateHardLinkA((root / "install.log").c_str(), (root / "elsewhere.txt").c_str(), nullptr));
    StartRunLog(root / "install.log");
    LogLine("one");
    LogLine("two");

    EXPECT_EQ(ReadTextFile(root / "elsewhere.txt"), "not a log");
    const std::string text = ReadTextFile(root / "install-2.log");
    EXPECT_NE(text.find("The run log " + (root / "install.log") + " is a link"), std::string::npos)
        << text;
    EXPECT_LT(text.find("  one\r\n"), text.find("  two\r\n")) << text;
}

} // namespace
