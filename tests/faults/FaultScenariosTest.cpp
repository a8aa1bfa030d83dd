// Staging and installing through the real Windows Installer service under bad input and faults:
// every run ends with one clean row per component, nothing written outside the destination and
// no failure shown as success.
#include "FakeProgressRows.h"
#include "FaultTally.h"
#include "FileTree.h"
#include "Folders.h"
#include "InstallationRun.h"
#include "MsiFunctions.h"
#include "ServiceBoxCloser.h"
#include "ServiceHelpers.h"
#include "Staging.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const char* const FaultProductCode = NVN_FAULT_PRODUCT_CODE;

void RemoveFaultProduct() {
    if (ProductState(FaultProductCode) == INSTALLSTATE_DEFAULT ||
        ProductState(FaultProductCode) == INSTALLSTATE_ADVERTISED) {
        MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
        MsiConfigureProductA(FaultProductCode, 0, INSTALLSTATE_ABSENT);
    }
    ForgetRecordedProperties("Fault");
}

class FaultRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetInstallSession();
        RemoveFaultProduct();
        CreateDirectoryA(dist.c_str(), nullptr);
        CopyFileA(TestPackagePath("Fault").c_str(), (dist + "\\Fault.msi").c_str(), FALSE);
    }
    void TearDown() override {
        ResetInstallSession();
        RemoveFaultProduct();
        // Some cases leave paths too long for the scratch folder's own clean-up.
        RemoveLongTree(root.Path());
    }

    // Stages and runs the catalogue into destination; checks every row ended in one of the two
    // outcomes, "Succeeded" only when the product really is installed. Returns the statuses.
    std::vector<std::string> StageAndRun(const std::string& destination) {
        SetDestinationFolder(destination);
        StageSetupFilesFrom(dist);
        FakeProgressRows rows;
        RunInstallation(rows);
        const bool installed = ProductState(FaultProductCode) == INSTALLSTATE_DEFAULT;
        for (size_t i = 0; i < rows.Statuses.size(); ++i) {
            ++Tally.Cases;
            const bool succeeded = rows.Statuses[i] == "Succeeded";
            EXPECT_TRUE(succeeded || rows.Statuses[i] == "Failed") << rows.Statuses[i];
            EXPECT_EQ(rows.Images[i], succeeded ? 1 : 2);
            EXPECT_EQ(rows.Entries[i]->Succeeded, succeeded);
            if (succeeded && !installed) {
                ++Tally.FailuresShownAsSuccess;
                ADD_FAILURE() << "row " << i << " shows Succeeded, but nothing is installed";
            }
        }
        return rows.Statuses;
    }

    // Counts and reports what changed outside the destination.
    void ExpectUnchanged(const std::vector<std::string>& before,
                         const std::vector<std::string>& after, const std::string& where) {
        const std::vector<std::string> changed = Differences(before, after);
        Tally.WritesOutside += static_cast<long>(changed.size());
        for (const std::string& entry : changed)
            ADD_FAILURE() << "written outside the destination, in " << where << ": " << entry;
    }

    InstallWatchdog watchdog{240000};
    ServiceBoxCloser boxes;
    ScratchFolder root;
    const std::string dist = root / "dist";
    const std::string dest = root / "dest";
};

TEST_F(FaultRun, HostileNamesFailAndWriteNothingOutsideTheDestination) {
    // Inside the scratch folder, where ".." from the staging folder leads.
    WriteTextFile(root / "keep.txt", "kept");
    CreateDirectoryA((root / "Windows").c_str(), nullptr);
    const std::string descriptions[] = {"..",
                                        "..\\..\\Windows",
                                        "..\\..\\..\\..\\..\\..\\..\\..\\Windows",
                                        "C:\\Windows",
                                        "\\Windows",
                                        "\\\\server\\share",
                                        "a:b",
                                        "a*b",
                                        "a?b",
                                        "a<b",
                                        "a>b",
                                        "a|b",
                                        "a\"b",
                                        "trailing.",
                                        "trailing ",
                                        "sub\\trailing. \\x",
                                        "CON",
                                        "NUL",
                                        "nul.txt",
                                        "COM1",
                                        "LPT9.log",
                                        "a\\..\\..\\keep",
                                        ""};
    const std::string fileNames[] = {
        "..\\Fault.msi",    "..\\dist\\Fault.msi", "C:\\Fault.msi", "\\\\server\\share\\Fault.msi",
        "Fault.msi:stream", "Fault*.msi",          "Fault?.msi",    "NUL",
        "CON.msi",          "Fault.msi.",          "Fault.msi "};
    std::vector<ComponentEntry> entries;
    for (const std::string& description : descriptions)
        entries.push_back(SelectedComponent(description, "Fault.msi", true));
    for (const std::string& fileName : fileNames)
        entries.push_back(SelectedComponent("Hostile file name", fileName));
    SetSessionComponents(entries);
    InstallSession.LogEnabled = true;

    const std::string programFiles = "C:\\Program Files";
    const auto rootBefore = Snapshot(root.Path(), 8, dest);
    const auto driveBefore = Snapshot("C:", 1);
    const auto windowsBefore = Snapshot("C:\\windows", 1);
    const auto programFilesBefore = Snapshot(programFiles, 2);

    const std::vector<std::string> statuses = StageAndRun(dest);

    ASSERT_EQ(statuses.size(), entries.size());
    for (size_t i = 0; i < statuses.size(); ++i) {
        const ComponentEntry& entry = InstallSession.Components[i];
        EXPECT_EQ(statuses[i], "Failed")
            << "\"" << entry.Description << "\", \"" << entry.MSIFileName << "\"";
    }
    EXPECT_NE(ProductState(FaultProductCode), INSTALLSTATE_DEFAULT);
    ExpectUnchanged(rootBefore, Snapshot(root.Path(), 8, dest), "the scratch folder");
    ExpectUnchanged(driveBefore, Snapshot("C:", 1), "C:\\");
    ExpectUnchanged(windowsBefore, Snapshot("C:\\windows", 1), "C:\\windows");
    ExpectUnchanged(programFilesBefore, Snapshot(programFiles, 2), programFiles);
    EXPECT_EQ(ReadTextFile(root / "keep.txt"), "kept");
}

// A path of exactly length characters: base, segments of up to 100 characters, then tail.
std::string PathOfLength(const std::string& base, size_t length, const std::string& tail) {
    std::string path = base;
    while (path.size() + tail.size() < length) {
        const size_t room = length - tail.size() - path.size();
        if (room < 3) {
            path += std::string(room, 'x');
            break;
        }
        path += "\\" + std::string(std::min<size_t>(room - 1, 100), 'p');
    }
    return path + tail;
}

// Fails for each changed entry that is neither a folder on the way to target (or target) nor
// below it: a run that cuts a long path writes somewhere else.
void ExpectOnlyOnTheWayTo(const std::vector<std::string>& before,
                          const std::vector<std::string>& after, const std::string& target) {
    for (const std::string& entry : Differences(before, after)) {
        std::string path = entry.substr(0, entry.find('|'));
        if (path.ends_with('\\'))
            path.pop_back();
        if (!(target + "\\").starts_with(path + "\\") && !path.starts_with(target + "\\")) {
            ++Tally.WritesOutside;
            ADD_FAILURE() << "written off the way to " << target << ": " << entry;
        }
    }
}

TEST_F(FaultRun, LongPathsEndInCleanRows) {
    // Destinations of these lengths, and staged package paths of them under a short destination.
    const size_t lengths[] = {258, 259, 260, 261, 1000};
    for (size_t length : lengths) {
        SCOPED_TRACE("destination of " + std::to_string(length));
        ResetInstallSession();
        SetSessionComponents({SelectedComponent("Long", "Fault.msi")});
        InstallSession.LogEnabled = true;
        const std::string destination = PathOfLength(root / "d", length, "");
        ASSERT_EQ(destination.size(), length);
        const auto before = Snapshot(root.Path(), 64, dest);
        // No staging folder fits below such a destination.
        const auto statuses = StageAndRun(destination);
        EXPECT_EQ(statuses, std::vector<std::string>{"Failed"});
        ExpectOnlyOnTheWayTo(before, Snapshot(root.Path(), 64, dest), destination);
        RemoveFaultProduct();
        RemoveLongTree(root / "d");
    }
    const std::string prefix = dest + "\\SetupFiles";
    const size_t packageLengths[] = {200, 258, 259, 260, 261, 1000};
    for (size_t length : packageLengths) {
        SCOPED_TRACE("package path of " + std::to_string(length));
        ResetInstallSession();
        // The description is the subfolder: prefix\description\Fault.msi.
        const std::string package = PathOfLength(prefix, length, "\\Fault.msi");
        const std::string description =
            package.substr(prefix.size() + 1, package.size() - prefix.size() - 11);
        SetSessionComponents({SelectedComponent(description, "Fault.msi", true)});
        const auto statuses = StageAndRun(dest);
        ASSERT_EQ(statuses.size(), 1u);
        EXPECT_EQ(statuses[0] == "Succeeded",
                  ProductState(FaultProductCode) == INSTALLSTATE_DEFAULT);
        // Windows refuses ANSI folder paths past 248 characters, Wine takes them up to 259 (and
        // copies a file to 261): from 258 on either outcome is clean if true and contained.
        if (length < 258) {
            EXPECT_EQ(statuses[0], "Succeeded");
        } else if (length >= 1000) {
            EXPECT_EQ(statuses[0], "Failed");
        }
        ExpectOnlyOnTheWayTo({}, Snapshot(prefix, 64), package);
        RemoveFaultProduct();
        RemoveLongTree(dest);
    }
}

TEST_F(FaultRun, MissingPackageFailsAndAnEarlierCopyIsNotInstalledInItsPlace) {
    // A copy from an earlier run waits in the staging folder.
    CreateFolderPath(dest + "\\SetupFiles");
    CopyFileA((dist + "\\Fault.msi").c_str(), (dest + "\\SetupFiles\\Gone.msi").c_str(), FALSE);
    SetSessionComponents({SelectedComponent("Gone", "Gone.msi"),
                          SelectedComponent("Never there", "Never.msi", true),
                          SelectedComponent("Present", "Fault.msi")});
    const auto statuses = StageAndRun(dest);
    EXPECT_EQ(statuses, (std::vector<std::string>{"Failed", "Failed", "Succeeded"}));
    // Kept as it was (it may be the source of an installed product), not installed.
    EXPECT_EQ(ReadTextFile(dest + "\\SetupFiles\\Gone.msi"), ReadTextFile(dist + "\\Fault.msi"));
}

TEST_F(FaultRun, AFullDiskFailsThePackageThatDoesNotFitAndKeepsWhatWasThere) {
    if (GetFileAttributesA("T:\\") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no small drive T: in this run";
    const std::string destination = "T:\\nvn-faults-" + std::to_string(GetCurrentProcessId());
    RemoveTree(destination);
    CreateDirectoryA(destination.c_str(), nullptr);
    WriteTextFile(destination + "\\keep.txt", "kept");
    // Bigger than the whole drive: the copy fails part of the way.
    WriteTextFile(dist + "\\Big.msi", std::string(6 << 20, 'B'));
    SetSessionComponents(
        {SelectedComponent("Big", "Big.msi"), SelectedComponent("Small", "Fault.msi")});
    const auto statuses = StageAndRun(destination);
    EXPECT_EQ(statuses, (std::vector<std::string>{"Failed", "Succeeded"}));
    EXPECT_FALSE(FileIsThere(destination + "\\SetupFiles\\Big.msi"));
    EXPECT_EQ(ReadTextFile(destination + "\\keep.txt"), "kept");
    RemoveFaultProduct();
    RemoveTree(destination);
}

TEST_F(FaultRun, AReadOnlyDestinationFailsEveryRow) {
    // /proc takes no new folders, not even from root.
    const std::string destination = "Z:\\proc\\nvn-faults\\Norvane Components";
    SetSessionComponents(
        {SelectedComponent("One", "Fault.msi"), SelectedComponent("Two", "Fault.msi", true)});
    InstallSession.LogEnabled = true;
    const auto statuses = StageAndRun(destination);
    EXPECT_EQ(statuses, (std::vector<std::string>{"Failed", "Failed"}));
}

// Logging calls on their way to the service, counted.
int LogCalls = 0;
decltype(MsiFunctions::MsiEnableLogA) ServiceEnableLog = nullptr;

UINT WINAPI CountedEnableLog(DWORD mode, LPCSTR file, DWORD attributes) {
    ++LogCalls;
    return ServiceEnableLog(mode, file, attributes);
}

TEST_F(FaultRun, ALogFolderThatIsAFileStaysAsItWas) {
    CreateDirectoryA(dest.c_str(), nullptr);
    WriteTextFile(dest + "\\Logs", "not a folder");
    SetSessionComponents({SelectedComponent("Logged", "Fault.msi")});
    InstallSession.LogEnabled = true;
    LogCalls = 0;
    ServiceEnableLog = Msi.MsiEnableLogA;
    Msi.MsiEnableLogA = CountedEnableLog;
    const auto statuses = StageAndRun(dest);
    Msi.MsiEnableLogA = ServiceEnableLog;
    // Without a log folder the package installs unlogged.
    EXPECT_EQ(statuses, std::vector<std::string>{"Succeeded"});
    EXPECT_EQ(LogCalls, 0);
    EXPECT_EQ(ReadTextFile(dest + "\\Logs"), "not a folder");
}

} // namespace
