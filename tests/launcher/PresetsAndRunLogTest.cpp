// The command line's choices applied to the session, and the run log.
#include "Configuration.h"
#include "Presets.h"
#include "RecordedRows.h"
#include "RunLog.h"
#include "Unattended.h"
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
    const size_t one = text.find("  one\r\n"), two = text.find("  two\r\n");
    ASSERT_NE(one, std::string::npos) << text;
    ASSERT_NE(two, std::string::npos) << text;
    EXPECT_LT(one, two) << text;
    // Every line names the process that wrote it.
    const std::string pid = std::to_string(GetCurrentProcessId()).insert(0, 1, '[') + "]  one";
    EXPECT_NE(text.find(pid), std::string::npos) << text;

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

TEST(RunLog, ALogThatCannotBeOpenedFallsBackToTheTemporaryFolderAndSaysWhy) {
    ScratchFolder root;
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH + 1, temp);
    const std::string fallback = std::string(temp) + "Norvane-Setup.log";
    DeleteFileA(fallback.c_str());
    // Its name is a folder: it cannot be opened as a file.
    StartRunLog(root.Path());
    LogLine("kept");
    const std::string text = ReadTextFile(fallback);
    DeleteFileA(fallback.c_str());
    const size_t why = text.find("The run log \"" + root.Path() + "\" cannot be written (error 5");
    ASSERT_NE(why, std::string::npos) << text;
    EXPECT_LT(why, text.find("  kept\r\n")) << text;
    StartRunLog("");
}

} // namespace

namespace {

// The exit code a deployment tool reads, from the rows' results and Succeeded as the run set it.
TEST_F(Presets, TheExitCodeTellsRestartsBusyServiceAndFailuresApart) {
    const struct {
        std::vector<std::pair<unsigned, bool>> rows; // result, succeeded
        bool restart;                                // an earlier removal asked for one
        int exitCode;
    } cases[] = {
        {{{0, true}, {0, true}, {0, true}}, false, 0},
        {{{0, true}, {3010, true}, {0, true}}, false, 3010},
        {{{0, true}, {1641, true}, {0, true}}, false, 3010},
        {{{0, true}, {0, true}, {0, true}}, true, 3010},
        {{{3010, true}, {1603, false}, {0, true}}, false, 1603},
        {{{3010, false}, {0, true}, {0, true}}, false, 1603},
        {{{1618, false}, {1603, false}, {0, true}}, true, 1618},
    };
    for (const auto& c : cases) {
        RecordedRows rows;
        for (size_t i = 0; i < c.rows.size(); ++i) {
            rows.SetRowResult(static_cast<int>(i), c.rows[i].first);
            rows.RowEntry(static_cast<int>(i)).Succeeded = c.rows[i].second;
        }
        EXPECT_EQ(RunExitCode(rows, c.restart), c.exitCode) << c.exitCode;
    }
}

} // namespace
