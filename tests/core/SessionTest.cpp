// The session's destination and log folder.
#include "Folders.h"
#include "Session.h"
#include "SessionReset.h"

#include <gtest/gtest.h>

namespace {

class Session : public ::testing::Test {
  protected:
    void SetUp() override { ResetInstallSession(); }
    void TearDown() override { ResetInstallSession(); }
};

TEST_F(Session, DestinationDefaultsUnderProgramFiles) {
    const std::string expected = GetProgramFilesFolder() + "\\Norvane Components";
    EXPECT_EQ(GetDestinationFolder(), expected);
    EXPECT_EQ(InstallSession.DestinationFolder, expected); // kept in the session
    SetDestinationFolder("D:\\Elsewhere");
    EXPECT_EQ(GetDestinationFolder(), "D:\\Elsewhere");
    SetDestinationFolder("");
    EXPECT_EQ(GetDestinationFolder(), expected);
}

TEST_F(Session, DefaultDestinationOnThisMachine) {
    EXPECT_EQ(GetDestinationFolder(), "C:\\Program Files\\Norvane Components");
}

TEST_F(Session, LogFolderFollowsTheDestination) {
    SetDestinationFolder("C:\\Apps");
    EXPECT_EQ(GetLogFolder(), "C:\\Apps\\Logs");
    SetDestinationFolder("C:\\");
    EXPECT_EQ(GetLogFolder(), "C:\\Logs");
    SetDestinationFolder("\\\\server\\share\\Norvane\\");
    EXPECT_EQ(GetLogFolder(), "\\\\server\\share\\Norvane\\Logs");
}

TEST_F(Session, ContactTextsAreKeptExactly) {
    SetFirstName("  Ada ");
    SetLastName("");
    SetEmail("ada@example.org");
    EXPECT_EQ(GetFirstName(), "  Ada ");
    EXPECT_EQ(GetLastName(), "");
    EXPECT_EQ(GetEmail(), "ada@example.org");
}

} // namespace
