// Staging of the selected packages under the destination, on the real file system.
#include "FakeProgressRows.h"
#include "Folders.h"
#include "InstallationRun.h"
#include "ScriptedMsi.h"
#include "Staging.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Every file and folder below folder, relative to it, sorted.
void CollectTree(const std::string& folder, const std::string& prefix,
                 std::vector<std::string>& names) {
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& entry) {
        const std::string name = entry.cFileName;
        names.push_back(prefix + name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectTree(folder + "\\" + name, prefix + name + "\\", names);
    });
}

std::vector<std::string> TreeOf(const std::string& folder) {
    std::vector<std::string> names;
    CollectTree(folder, "", names);
    std::sort(names.begin(), names.end());
    return names;
}

class PackagesStaging : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetInstallSession();
        CreateDirectoryA(dist.c_str(), nullptr);
        SetDestinationFolder(dest);
    }
    void TearDown() override { ResetInstallSession(); }

    std::string Staged(const std::string& name) const { return dest + "\\SetupFiles\\" + name; }

    ScratchFolder root;
    const std::string dist = root / "dist";
    const std::string dest = root / "dest";
};

TEST_F(PackagesStaging, CopiesEverySelectedPackageFromTheDistributionFolder) {
    WriteTextFile(dist + "\\a.msi", "package a");
    WriteTextFile(dist + "\\b.msi", "package b");
    WriteTextFile(dist + "\\c.msi", "package c");
    ComponentEntry unselected = SelectedComponent("B", "b.msi");
    unselected.Selected = false;
    SetSessionComponents(
        {SelectedComponent("A", "a.msi"), unselected, SelectedComponent("Tools", "c.msi", true)});

    StageSetupFilesFrom(dist);

    // The subfolder package comes from the top of the distribution folder.
    EXPECT_THAT(TreeOf(dest), ElementsAre("SetupFiles", "SetupFiles\\Tools",
                                          "SetupFiles\\Tools\\c.msi", "SetupFiles\\a.msi"));
    EXPECT_EQ(ReadTextFile(Staged("a.msi")), "package a");
    EXPECT_EQ(ReadTextFile(Staged("Tools\\c.msi")), "package c");
    EXPECT_EQ(ReadTextFile(dist + "\\c.msi"), "package c");
}

// Windows Installer looks for a cabinet that is not embedded beside the
// package: it goes where the package goes, a subfolder included.
TEST_F(PackagesStaging, AnExternalCabinetIsStagedBesideItsPackage) {
    const std::string built = TestProgramFolder() + "\\..\\verify\\packages\\Cabinet.";
    ASSERT_TRUE(CopyFileA((built + "msi").c_str(), (dist + "\\Cabinet.msi").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((built + "cab").c_str(), (dist + "\\Cabinet.cab").c_str(), FALSE));
    SetSessionComponents({SelectedComponent("Cab", "Cabinet.msi", true)});

    StageSetupFilesFrom(dist);

    EXPECT_THAT(TreeOf(dest + "\\SetupFiles"),
                ElementsAre("Cab", "Cab\\Cabinet.cab", "Cab\\Cabinet.msi"));
}

TEST_F(PackagesStaging, WithoutSelectionOnlyTheStagingFolderIsCreated) {
    WriteTextFile(dist + "\\a.msi", "package a");
    ComponentEntry unselected = SelectedComponent("A", "a.msi");
    unselected.Selected = false;
    SetSessionComponents({unselected});
    SetDestinationFolder(dest + "\\Deeper\\");

    StageSetupFilesFrom(dist);

    EXPECT_THAT(TreeOf(dest), ElementsAre("Deeper", "Deeper\\SetupFiles"));
}

TEST_F(PackagesStaging, ReplacesCopiesOfAnEarlierRunEvenReadOnlyOnes) {
    WriteTextFile(dist + "\\a.msi", "new a");
    WriteTextFile(dist + "\\b.msi", "new b");
    CreateFolderPath(dest + "\\SetupFiles");
    WriteTextFile(Staged("a.msi"), "old a");
    WriteTextFile(Staged("b.msi"), "old b");
    // A copy taken from read-only media is read-only itself.
    SetFileAttributesA(Staged("b.msi").c_str(), FILE_ATTRIBUTE_READONLY);
    SetSessionComponents({SelectedComponent("A", "a.msi"), SelectedComponent("B", "b.msi")});

    StageSetupFilesFrom(dist);

    EXPECT_EQ(ReadTextFile(Staged("a.msi")), "new a");
    EXPECT_EQ(ReadTextFile(Staged("b.msi")), "new b");
}

TEST_F(PackagesStaging, ComponentsWithOneDescriptionShareTheirSubfolder) {
    WriteTextFile(dist + "\\a.msi", "package a");
    WriteTextFile(dist + "\\b.msi", "package b");
    SetSessionComponents(
        {SelectedComponent("Shared", "a.msi", true), SelectedComponent("Shared", "b.msi", true)});

    StageSetupFilesFrom(dist);

    EXPECT_THAT(TreeOf(dest),
                ElementsAre("SetupFiles", "SetupFiles\\Shared", "SetupFiles\\Shared\\a.msi",
                            "SetupFiles\\Shared\\b.msi"));
}

TEST_F(PackagesStaging, NothingIsCopiedWhenTheStagingFolderCannotBeMade) {
    WriteTextFile(dist + "\\a.msi", "package a");
    SetSessionComponents({SelectedComponent("A", "a.msi"), SelectedComponent("T", "a.msi", true)});
    // A file where the staging folder belongs.
    CreateDirectoryA(dest.c_str(), nullptr);
    WriteTextFile(dest + "\\SetupFiles", "in the way");

    StageSetupFilesFrom(dist);

    EXPECT_THAT(TreeOf(dest), ElementsAre("SetupFiles"));
    EXPECT_EQ(ReadTextFile(dest + "\\SetupFiles"), "in the way");

    // A file where the destination itself belongs.
    WriteTextFile(root / "blocked", "in the way");
    SetDestinationFolder(root / "blocked");
    StageSetupFilesFrom(dist);
    EXPECT_TRUE(FileIsThere(root / "blocked"));
    EXPECT_THAT(TreeOf(root.Path()),
                ElementsAre("blocked", "dest", "dest\\SetupFiles", "dist", "dist\\a.msi"));
}

// An earlier run's staged package is the registered source of an installed product: one that
// cannot be staged now leaves it byte for byte, and its row fails without calling the service.
TEST_F(PackagesStaging, APackageThatCannotBeStagedKeepsTheEarlierCopyAndIsNotInstalled) {
    CreateFolderPath(dest + "\\SetupFiles\\Tools");
    const std::string earlier[] = {"gone.msi", "Tools\\gone.msi", "locked.msi", "unsigned.msi"};
    for (const std::string& name : earlier)
        WriteTextFile(Staged(name), "earlier " + name);
    SetFileAttributesA(Staged("locked.msi").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteTextFile(dist + "\\locked.msi", "new locked");
    CopyFileA((TestProgramFolder() + "\\signed\\Unsigned.msi").c_str(),
              (dist + "\\unsigned.msi").c_str(), FALSE);
    // Another program is writing to the source.
    HANDLE writer = CreateFileA((dist + "\\locked.msi").c_str(), GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    SetSessionComponents(
        {SelectedComponent("A", "gone.msi"), SelectedComponent("Tools", "gone.msi", true),
         SelectedComponent("B", "locked.msi"), SelectedComponent("C", "unsigned.msi")});

    // As a signed installer: the unsigned package is refused.
    StageSetupFilesFrom(dist, ReadFileSignature(TestProgramFolder() + "\\signed\\Program.exe"));
    CloseHandle(writer);

    for (const std::string& name : earlier)
        EXPECT_EQ(ReadTextFile(Staged(name)), "earlier " + name);
    const std::string reasons[] = {"gone.msi is missing", "gone.msi is missing",
                                   "locked.msi cannot be read",
                                   "unsigned.msi is not signed by the installer's publisher"};
    for (int i = 0; i < 4; ++i) {
        const StagingOutcome* outcome = FindStagingOutcome(InstallSession.Components[i]);
        ASSERT_NE(outcome, nullptr);
        EXPECT_THAT(outcome->Problem, HasSubstr(reasons[i]));
    }
    ScriptedMsi msi;
    FakeProgressRows rows;
    RunInstallation(rows);
    EXPECT_EQ(rows.Statuses, std::vector<std::string>(4, "Failed"));
    EXPECT_THAT(Script.CallsStartingWith("install"), IsEmpty());
}

// Links another user planted where staging writes: a hard link at a package's
// name, a symbolic link (a reparse point to Windows) as the staging folder or
// a subfolder. None is written through; a linked folder fails its rows.
TEST_F(PackagesStaging, LinksWhereStagingWritesAreNeverWrittenThrough) {
    const std::string outside = root / "outside";
    const struct {
        const char* Planted;
        std::function<void(const std::string& stagingFolder)> Plant;
        const char* Problem; // in the rows of A and Tools; empty: both staged
    } cases[] = {
        {"hard link at a package",
         [&](const std::string& staging) {
             CreateFolderPath(staging);
             CreateHardLinkA((staging + "\\a.msi").c_str(), (outside + "\\a.msi").c_str(), nullptr);
         },
         ""},
        {"symbolic link as the staging folder",
         [&](const std::string& staging) { PlantSymbolicLink(staging, outside); },
         "is a junction or symbolic link"},
        {"symbolic link as the subfolder",
         [&](const std::string& staging) {
             CreateFolderPath(staging);
             PlantSymbolicLink(staging + "\\Tools", outside);
         },
         "is a junction or symbolic link"},
    };
    WriteTextFile(dist + "\\a.msi", "package a");
    SetSessionComponents(
        {SelectedComponent("A", "a.msi"), SelectedComponent("Tools", "a.msi", true)});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Planted);
        RemoveTree(dest);
        RemoveTree(outside);
        CreateFolderPath(outside);
        CreateFolderPath(dest);
        WriteTextFile(outside + "\\a.msi", "outside");
        c.Plant(dest + "\\SetupFiles");

        StageSetupFilesFrom(dist);

        EXPECT_EQ(TreeOf(outside), std::vector<std::string>{"a.msi"});
        EXPECT_EQ(ReadTextFile(outside + "\\a.msi"), "outside");
        const StagingOutcome* tools = FindStagingOutcome(InstallSession.Components[1]);
        ASSERT_NE(tools, nullptr);
        if (*c.Problem == '\0') {
            EXPECT_EQ(ReadTextFile(Staged("a.msi")), "package a");
            EXPECT_EQ(tools->Problem, "");
        } else {
            EXPECT_THAT(tools->Problem, HasSubstr(c.Problem));
        }
        ReleaseStagedPackages();
    }
}

// From its copy until its installation has ended, nobody changes, replaces or deletes it.
TEST_F(PackagesStaging, AStagedPackageIsHeldUntilItsInstallationHasEnded) {
    WriteTextFile(dist + "\\a.msi", "package a");
    SetSessionComponents({SelectedComponent("A", "a.msi")});
    auto canChange = [this] {
        HANDLE writer = CreateFileA(Staged("a.msi").c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (writer != INVALID_HANDLE_VALUE)
            CloseHandle(writer);
        return writer != INVALID_HANDLE_VALUE ||
               MoveFileExA(Staged("a.msi").c_str(), Staged("moved.msi").c_str(), 0);
    };

    StageSetupFilesFrom(dist);
    EXPECT_FALSE(canChange());
    ScriptedMsi msi;
    bool changeableDuringInstallation = true;
    Script.Install = [&](const std::string&, const std::string&) {
        changeableDuringInstallation = canChange();
        return ERROR_SUCCESS;
    };
    FakeProgressRows rows;
    RunInstallation(rows);
    EXPECT_FALSE(changeableDuringInstallation);
    EXPECT_TRUE(canChange());
}

TEST_F(PackagesStaging, APackageAlreadyInTheStagingFolderIsItsOwnSource) {
    // The distribution folder is the staging folder itself, under several spellings of its name.
    CreateFolderPath(dest + "\\SetupFiles");
    WriteTextFile(Staged("a.msi"), "package a");
    SetSessionComponents({SelectedComponent("A", "a.msi")});

    for (const char* spelling : {"\\SetupFiles", "\\SETUPFILES\\", "\\Other\\..\\SetupFiles"}) {
        StageSetupFilesFrom(dest + spelling);
        EXPECT_EQ(ReadTextFile(Staged("a.msi")), "package a") << spelling;
    }

    // A second name for the same file.
    ASSERT_TRUE(CreateHardLinkA((dist + "\\a.msi").c_str(), Staged("a.msi").c_str(), nullptr));
    StageSetupFilesFrom(dist);
    EXPECT_EQ(ReadTextFile(Staged("a.msi")), "package a");
    EXPECT_EQ(ReadTextFile(dist + "\\a.msi"), "package a");
}

// "Strasse" and "Straße" are one word to language rules but two folders: the package is copied.
TEST_F(PackagesStaging, FoldersEqualOnlyByLanguageRulesAreTwoFolders) {
    const std::string source = root / "Strasse";
    SetDestinationFolder(root / "Stra\xDF"
                                "e");
    CreateFolderPath(source + "\\SetupFiles");
    WriteTextFile(source + "\\SetupFiles\\a.msi", "package a");
    SetSessionComponents({SelectedComponent("A", "a.msi")});

    StageSetupFilesFrom(source + "\\SetupFiles");
    EXPECT_EQ(ReadTextFile(root / "Stra\xDF"
                                  "e\\SetupFiles\\a.msi"),
              "package a");
}

TEST_F(PackagesStaging, StagesFromTheFolderOfTheRunningProgram) {
    const std::string name = "nvn-probe-" + std::to_string(GetCurrentProcessId()) + ".msi";
    const std::string beside = TestProgramFolder() + "\\" + name;
    WriteTextFile(beside, "probe");
    SetSessionComponents({SelectedComponent("Probe", name)});

    StageSetupFiles();
    DeleteFileA(beside.c_str());

    EXPECT_EQ(ReadTextFile(Staged(name)), "probe");
}

TEST_F(PackagesStaging, UnsafeNamesAreNeitherStagedNorInstalled) {
    WriteTextFile(dist + "\\a.msi", "package a");
    WriteTextFile(root / "a.msi", "outside the distribution");
    const std::string rooted = (root / "rooted").substr(2); // "\Users\...\rooted"
    const std::string unsafeDescriptions[] = {"",           "..",
                                              "..\\..\\up", "a\\..\\..\\..\\up",
                                              ". .",        "NUL",
                                              "CON.msi",    root / "absolute",
                                              rooted,       "\\\\server\\share",
                                              "C:up"};
    const std::string unsafeFileNames[] = {
        "..\\a.msi", "..\\..\\a.msi", (root / "a.msi"), (root / "a.msi").substr(2),
        "NUL",       "C:a.msi"};
    std::vector<ComponentEntry> entries;
    for (const std::string& description : unsafeDescriptions)
        entries.push_back(SelectedComponent(description, "a.msi", true));
    for (const std::string& fileName : unsafeFileNames)
        entries.push_back(SelectedComponent("Unsafe file", fileName));
    SetSessionComponents(entries);
    const std::vector<std::string> before = TreeOf(root.Path());

    StageSetupFilesFrom(dist);

    // Nothing but the staging folder came into being.
    std::vector<std::string> expected = before;
    expected.insert(expected.end(), {"dest", "dest\\SetupFiles"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(TreeOf(root.Path()), expected);

    // And the run fails each of them without asking the service to touch it.
    ScriptedMsi msi;
    InstallSession.LogEnabled = true;
    FakeProgressRows rows;
    RunInstallation(rows);
    EXPECT_EQ(rows.Statuses, std::vector<std::string>(entries.size(), "Failed"));
    EXPECT_EQ(rows.Images, std::vector<int>(entries.size(), 2));
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_FALSE(InstallSession.Components[i].Succeeded) << i;
    EXPECT_THAT(Script.CallsStartingWith("log"), IsEmpty());
    EXPECT_THAT(Script.CallsStartingWith("open"), IsEmpty());
    EXPECT_THAT(Script.CallsStartingWith("install"), IsEmpty());
    expected.push_back("dest\\Logs");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(TreeOf(root.Path()), expected);
}

} // namespace
