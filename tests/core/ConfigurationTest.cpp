// The catalogue loaded from real configuration files through Wine's profile functions.
#include "Configuration.h"
#include "Session.h"
#include "SessionReset.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

class Configuration : public ::testing::Test {
  protected:
    void SetUp() override { ResetInstallSession(); }
    void TearDown() override { ResetInstallSession(); }

    bool Load(const std::string& contents) {
        WriteTextFile(ini_, contents);
        return LoadConfigurationFrom(ini_);
    }
    const ComponentEntry& Entry(int i) { return InstallSession.Components[i]; }

    ScratchFolder folder_;
    std::string ini_ = folder_ / "Setup.INI";
};

TEST_F(Configuration, MissingFileFailsAndLeavesNoCatalogue) {
    EXPECT_FALSE(LoadConfigurationFrom(folder_ / "Setup.INI"));
    EXPECT_FALSE(InstallSession.Components);
    EXPECT_EQ(InstallSession.ComponentCount, 0);
    // A folder of that name is not a configuration file either.
    CreateDirectoryA((folder_ / "Folder.INI").c_str(), nullptr);
    EXPECT_FALSE(LoadConfigurationFrom(folder_ / "Folder.INI"));
}

TEST_F(Configuration, SectionsBecomeEntriesInFileOrder) {
    ASSERT_TRUE(Load("[Zeta]\r\n"
                     "ComponentDescription=Sample Component for Windows\r\n"
                     "ComponentImageIndex=3\r\n"
                     "Version=2.1\r\n"
                     "Size=4500\r\n"
                     "MSIFileName=SampleComponent.msi\r\n"
                     "Required=1\r\n"
                     "SetupFileSubFolder=1\r\n"
                     "[Alpha]\r\n"
                     "componentdescription = Second \r\n"
                     "MSIFILENAME=second.msi\r\n"
                     "[Middle]\r\n"
                     "ComponentDescription=Third\r\n"));
    ASSERT_EQ(InstallSession.ComponentCount, 3);
    const ComponentEntry& first = Entry(0);
    EXPECT_EQ(first.ImageIndex, 3);
    EXPECT_EQ(first.Description, "Sample Component for Windows");
    EXPECT_EQ(first.Version, "2.1");
    EXPECT_EQ(first.Size, 4500);
    EXPECT_EQ(first.MSIFileName, "SampleComponent.msi");
    EXPECT_TRUE(first.Required);
    EXPECT_TRUE(first.SetupFileSubFolder);
    // Names match without regard to case; blanks around values are dropped.
    EXPECT_EQ(Entry(1).Description, "Second");
    EXPECT_EQ(Entry(1).MSIFileName, "second.msi");
    EXPECT_EQ(Entry(2).Description, "Third");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Entry(i).Selected);
        EXPECT_FALSE(Entry(i).Succeeded);
    }
}

TEST_F(Configuration, SectionWithoutSettingsTakesEveryDefault) {
    ASSERT_TRUE(Load("[Empty]\r\n"));
    ASSERT_EQ(InstallSession.ComponentCount, 1);
    const ComponentEntry& entry = Entry(0);
    EXPECT_EQ(entry.ImageIndex, -1);
    EXPECT_EQ(entry.Description, "");
    EXPECT_EQ(entry.Version, "");
    EXPECT_EQ(entry.Size, 0);
    EXPECT_EQ(entry.MSIFileName, "");
    EXPECT_FALSE(entry.Required);
    EXPECT_FALSE(entry.SetupFileSubFolder);
    EXPECT_TRUE(entry.Selected);
}

TEST_F(Configuration, ValuesAreReadByTheirKind) {
    ASSERT_TRUE(
        Load("[a]\r\nComponentImageIndex=$A\r\nRequired=True\r\nSize=1234.9\r\n"
             "[b]\r\nComponentImageIndex=\r\nRequired=-1\r\nSize=abc\r\n"
             "[c]\r\nComponentImageIndex=0x0b\r\nRequired=0x10\r\nSize=\r\n"
             "[d]\r\nComponentImageIndex=seven\r\nRequired=Yes\r\nSetupFileSubFolder=0\r\n"
             "[e]\r\nComponentDescription=\"Quoted name\"\r\nVersion='1.0'\r\nSize=\"12\"\r\n"));
    ASSERT_EQ(InstallSession.ComponentCount, 5);
    EXPECT_EQ(Entry(0).ImageIndex, 10);
    EXPECT_FALSE(Entry(0).Required);
    EXPECT_EQ(Entry(0).Size, 1234);
    EXPECT_EQ(Entry(1).ImageIndex, -1);
    EXPECT_TRUE(Entry(1).Required);
    EXPECT_EQ(Entry(1).Size, 0);
    EXPECT_EQ(Entry(2).ImageIndex, 11);
    EXPECT_TRUE(Entry(2).Required);
    EXPECT_EQ(Entry(2).Size, 0);
    EXPECT_EQ(Entry(3).ImageIndex, -1);
    EXPECT_FALSE(Entry(3).Required);
    EXPECT_FALSE(Entry(3).SetupFileSubFolder);
    // A value in a pair of quotation marks loses them.
    EXPECT_EQ(Entry(4).Description, "Quoted name");
    EXPECT_EQ(Entry(4).Version, "1.0");
    EXPECT_EQ(Entry(4).Size, 12);
}

TEST_F(Configuration, LongTextIsCutAt2047Characters) {
    const std::string longValue(5000, 'x');
    const std::string exact(2047, 'y');
    ASSERT_TRUE(Load("[a]\r\nComponentDescription=" + longValue + "\r\nVersion=" + exact +
                     "\r\nMSIFileName=after.msi\r\n"));
    EXPECT_EQ(Entry(0).Description, std::string(2047, 'x'));
    EXPECT_EQ(Entry(0).Version, exact);
    EXPECT_EQ(Entry(0).MSIFileName, "after.msi");
}

TEST_F(Configuration, FileWithoutSectionsGivesAnEmptyCatalogue) {
    ASSERT_TRUE(Load("; nothing but a comment\r\nName=outside any section\r\n"));
    EXPECT_TRUE(InstallSession.Components);
    EXPECT_EQ(InstallSession.ComponentCount, 0);
}

TEST_F(Configuration, SecondCallKeepsTheFirstCatalogue) {
    ASSERT_TRUE(Load("[a]\r\n[b]\r\n"));
    DeleteFileA(ini_.c_str());
    EXPECT_TRUE(LoadConfigurationFrom(ini_));
    EXPECT_EQ(InstallSession.ComponentCount, 2);
    // An empty catalogue counts as loaded too.
    ResetInstallSession();
    ASSERT_TRUE(Load(""));
    WriteTextFile(ini_, "[later]\r\n");
    EXPECT_TRUE(LoadConfigurationFrom(ini_));
    EXPECT_EQ(InstallSession.ComponentCount, 0);
}

TEST_F(Configuration, NoSectionIsLostBeyondTheFirstBuffer) {
    // 2,000 names of about 25 bytes: far more than 16,384 bytes of names.
    std::string contents;
    for (int i = 0; i < 2000; ++i)
        contents += "[Component number " + std::to_string(100000 + i) +
                    "]\r\nComponentDescription=C" + std::to_string(i) + "\r\n";
    ASSERT_TRUE(Load(contents));
    ASSERT_EQ(InstallSession.ComponentCount, 2000);
    EXPECT_EQ(Entry(0).Description, "C0");
    EXPECT_EQ(Entry(1337).Description, "C1337");
    EXPECT_EQ(Entry(1999).Description, "C1999");
}

TEST_F(Configuration, FreeComponentsReleasesTheCatalogue) {
    ASSERT_TRUE(Load("[a]\r\n"));
    FreeComponents();
    EXPECT_FALSE(InstallSession.Components);
    EXPECT_EQ(InstallSession.ComponentCount, 0);
}

TEST(ConfigurationFileName, ReplacesOrAppendsTheExtension) {
    EXPECT_EQ(ConfigurationFileName("D:\\Dist\\Setup.exe"), "D:\\Dist\\Setup.INI");
    EXPECT_EQ(ConfigurationFileName("D:\\Dist\\Install.exe"), "D:\\Dist\\Install.INI");
    EXPECT_EQ(ConfigurationFileName("D:\\Dist\\Setup"), "D:\\Dist\\Setup.INI");
    EXPECT_EQ(ConfigurationFileName("D:\\Dist.v2\\Setup"), "D:\\Dist.v2\\Setup.INI");
    EXPECT_EQ(ConfigurationFileName("D:\\Dist.v2\\Setup.1.exe"), "D:\\Dist.v2\\Setup.1.INI");
    EXPECT_EQ(ConfigurationFileName("D:.x"), "D:.INI");
    EXPECT_EQ(ConfigurationFileName("X.:Setup"), "X.:Setup.INI");
}

TEST_F(Configuration, ReadsTheFileBesideTheRunningProgram) {
    const std::string beside = ConfigurationFileName(ExecutablePath());
    ASSERT_EQ(beside.substr(beside.size() - 15), "\\core_tests.INI");
    WriteTextFile(beside, "[Beside]\r\nComponentDescription=Found beside the program\r\n");
    const bool loaded = LoadConfiguration();
    DeleteFileA(beside.c_str());
    ASSERT_TRUE(loaded);
    ASSERT_EQ(InstallSession.ComponentCount, 1);
    EXPECT_EQ(Entry(0).Description, "Found beside the program");
}

} // namespace
