// The installation run on a scripted service: the exact calls, and outcomes no real package gives.
#include "FakeProgressRows.h"
#include "InstallationRun.h"
#include "RecordedRows.h"
#include "ScriptedMsi.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string Query = "SELECT `Value` FROM `Property` WHERE `Property`='ProductCode'";
const std::string VersionQuery = "SELECT `Value` FROM `Property` WHERE `Property`='ProductVersion'";

class PackagesRunScripted : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetInstallSession();
        SetDestinationFolder(dest);
    }
    void TearDown() override { ResetInstallSession(); }

    std::string FreshCommandLine() const {
        return "INSTALLDIR=\"" + dest + "\" NVN_CAME_LAUNCHER=1";
    }

    ScratchFolder root;
    const std::string dest = root / "Dest";
    ScriptedMsi msi;
};

TEST_F(PackagesRunScripted, InstallsEachRowWithItsProductCodeRead) {
    SetSessionComponents(
        {SelectedComponent("Core", "core.msi"), SelectedComponent("Tools", "tools.msi", true)});
    Script.States[Script.ProductCode] = INSTALLSTATE_ABSENT;
    FakeProgressRows rows;

    const std::string core = dest + "\\SetupFiles\\core.msi";
    const std::string tools = dest + "\\SetupFiles\\Tools\\tools.msi";
    const std::string toolsCode = "{0D7C4B5E-1111-4222-8333-944455556611}";
    Script.ProductCodes[core] = Script.ProductCode;
    Script.ProductCodes[tools] = toolsCode;

    RunInstallation(rows);

    // Per package: code read, state, install, then its version read and the registered one asked.
    auto package = [&](const std::string& path, const std::string& code) {
        return std::vector<std::string>{"open " + path + " read-only",
                                        "view 11 " + Query,
                                        "execute 12 0",
                                        "fetch 12",
                                        "get 13 1 40 zeroed",
                                        "close 11",
                                        "close 12",
                                        "close 13",
                                        "state " + code,
                                        "install " + path + " | " + FreshCommandLine(),
                                        "open " + path + " read-only",
                                        "view 11 " + VersionQuery,
                                        "execute 12 0",
                                        "fetch 12",
                                        "get 13 1 64 zeroed",
                                        "close 13",
                                        "close 12",
                                        "close 11",
                                        "info " + code + " VersionString"};
    };
    std::vector<std::string> expected = {"ui 3 no owner"};
    for (const std::string& call : package(core, Script.ProductCode))
        expected.push_back(call);
    // After the first package, the earlier products are checked again.
    expected.push_back("info " + Script.ProductCode + " VersionString");
    for (const std::string& call : package(tools, toolsCode))
        expected.push_back(call);
    expected.push_back("info " + Script.ProductCode + " VersionString");
    expected.push_back("info " + toolsCode + " VersionString");
    EXPECT_EQ(Script.Calls, expected);
    EXPECT_THAT(rows.Calls, ElementsAre("count", "image 0 0", "status 0 Installing...", "visible 0",
                                        "image 0 1", "status 0 Succeeded", "count", "image 1 0",
                                        "status 1 Installing...", "visible 1", "image 1 1",
                                        "status 1 Succeeded", "count"));
    EXPECT_TRUE(InstallSession.Components[0].Succeeded);
    EXPECT_TRUE(InstallSession.Components[1].Succeeded);
    // The log option is off: no log call and no log folder.
    EXPECT_FALSE(FolderIsThere(dest + "\\Logs"));
}

TEST_F(PackagesRunScripted, OnlyAdvertisedAndInstalledProductsAreReinstalled) {
    const std::pair<INSTALLSTATE, bool> cases[] = {
        {INSTALLSTATE_ADVERTISED, true}, {INSTALLSTATE_DEFAULT, true},
        {INSTALLSTATE_UNKNOWN, false},   {INSTALLSTATE_ABSENT, false},
        {INSTALLSTATE_BROKEN, false},    {INSTALLSTATE_LOCAL, false},
        {INSTALLSTATE_SOURCE, false},    {INSTALLSTATE_INVALIDARG, false}};
    for (const auto& [state, present] : cases) {
        SetSessionComponents({SelectedComponent("Core", "core.msi")});
        Script.Calls.clear();
        Script.States[Script.ProductCode] = state;
        FakeProgressRows rows;
        RunInstallation(rows);
        const std::string expected =
            FreshCommandLine() + (present ? " REINSTALL=ALL REINSTALLMODE=vomus" : "");
        EXPECT_THAT(Script.CallsStartingWith("install"),
                    ElementsAre("install " + dest + "\\SetupFiles\\core.msi | " + expected))
            << state;
    }
}

TEST_F(PackagesRunScripted, EveryNonZeroResultFailsTheRowRestartRequiredIncluded) {
    SetSessionComponents({SelectedComponent("A", "a.msi"), SelectedComponent("B", "b.msi"),
                          SelectedComponent("C", "c.msi")});
    InstallSession.Components[1].Succeeded = true; // outcomes are written, not kept
    const UINT results[] = {ERROR_SUCCESS_REBOOT_REQUIRED, ERROR_INSTALL_FAILURE, ERROR_SUCCESS};
    int call = 0;
    Script.Install = [&](const std::string&, const std::string&) { return results[call++]; };
    FakeProgressRows rows;

    RunInstallation(rows);

    EXPECT_THAT(rows.Statuses, ElementsAre("Failed", "Failed", "Succeeded"));
    EXPECT_THAT(rows.Images, ElementsAre(2, 2, 1));
    EXPECT_FALSE(InstallSession.Components[0].Succeeded);
    EXPECT_FALSE(InstallSession.Components[1].Succeeded);
    EXPECT_TRUE(InstallSession.Components[2].Succeeded);
}

TEST_F(PackagesRunScripted, AnUnattendedRunSetsItsLevelAndCountsARestartRequestAsInstalled) {
    const UINT results[] = {ERROR_SUCCESS_REBOOT_REQUIRED, ERROR_INSTALL_FAILURE, ERROR_SUCCESS};
    int call = 0;
    Script.Install = [&](const std::string&, const std::string&) { return results[call++ % 3]; };
    auto resultsOf = [](const RecordedRows& rows) {
        std::vector<unsigned> codes;
        for (const RecordedRows::Row& row : rows.Rows())
            codes.push_back(row.Result.value_or(0xDEAD));
        return codes;
    };

    SetSessionComponents({SelectedComponent("A", "a.msi"), SelectedComponent("B", "b.msi"),
                          SelectedComponent("C", "c.msi")});
    RecordedRows plain;
    RunInstallationWith(plain, InstallationMode{INSTALLUILEVEL_NONE, true, ""});
    EXPECT_EQ(Script.Calls.front(), "ui 2 no owner");
    EXPECT_THAT(resultsOf(plain), ElementsAre(3010u, 1603u, 0u));
    EXPECT_EQ(plain.Rows()[0].Status, "Succeeded");
    EXPECT_EQ(plain.Rows()[1].Status, "Failed");
    EXPECT_TRUE(InstallSession.Components[0].Succeeded);
    EXPECT_FALSE(InstallSession.Components[1].Succeeded);

    // Through rows kept beside the wizard's page: 3010 shows Failed, the page sees every change.
    Script.Calls.clear();
    FakeProgressRows page;
    RecordedRows beside(page);
    RunInstallation(beside);
    EXPECT_EQ(Script.Calls.front(), "ui 3 no owner");
    EXPECT_THAT(page.Statuses, ElementsAre("Failed", "Failed", "Succeeded"));
    EXPECT_THAT(resultsOf(beside), ElementsAre(3010u, 1603u, 0u));
    EXPECT_FALSE(InstallSession.Components[0].Succeeded);
}

TEST_F(PackagesRunScripted, AnUnreadableProductCodeMeansAFreshInstallation) {
    // Each of the five reading steps failing in turn, then a value too long for the buffer: later
    // steps are skipped, all three handles closed in order, 0 for those never opened.
    const std::string path = dest + "\\SetupFiles\\core.msi";
    const std::vector<std::string> steps = {"open " + path + " read-only", "view 11 " + Query,
                                            "execute 12 0", "fetch 12", "get 13 1 40 zeroed"};
    const char* closes[][3] = {
        {"close 0", "close 0", "close 0"},    {"close 11", "close 0", "close 0"},
        {"close 11", "close 12", "close 0"},  {"close 11", "close 12", "close 0"},
        {"close 11", "close 12", "close 13"}, {"close 11", "close 12", "close 13"}};
    for (int failing = 0; failing < 6; ++failing) {
        SetSessionComponents({SelectedComponent("Core", "core.msi")});
        Script = MsiScript();
        Script.States[Script.ProductCode] = INSTALLSTATE_DEFAULT;
        UINT* results[] = {&Script.OpenResult, &Script.ViewResult, &Script.ExecuteResult,
                           &Script.FetchResult, &Script.GetResult};
        if (failing < 5)
            *results[failing] = ERROR_FUNCTION_FAILED;
        else
            Script.ProductCode = "{0D7C4B5E-1111-4222-8333-944455556666}-and-more";
        FakeProgressRows rows;

        RunInstallation(rows);

        std::vector<std::string> expected = {"ui 3 no owner"};
        expected.insert(expected.end(), steps.begin(), steps.begin() + std::min(failing + 1, 5));
        expected.insert(expected.end(), std::begin(closes[failing]), std::end(closes[failing]));
        expected.push_back("install " + path + " | " + FreshCommandLine());
        EXPECT_EQ(Script.Calls, expected) << "failing step " << failing;
        EXPECT_THAT(rows.Statuses, ElementsAre("Succeeded")) << failing;
    }
}

TEST_F(PackagesRunScripted, LogsEveryPackageIntoItsOwnFileInACreatedLogFolder) {
    SetDestinationFolder(dest + "\\Deeper");
    SetSessionComponents({SelectedComponent("Core", "core.msi"),
                          SelectedComponent("Tools", "tools.msi", true),
                          SelectedComponent("Core", "core2.msi")});
    InstallSession.LogEnabled = true;
    FakeProgressRows rows;

    RunInstallation(rows);

    // Made with its parents before the first package; one file per Description, appended if shared.
    EXPECT_TRUE(FolderIsThere(dest + "\\Deeper\\Logs"));
    const std::string logs = dest + "\\Deeper\\Logs\\";
    EXPECT_THAT(Script.CallsStartingWith("log"),
                ElementsAre("log 1FDF " + logs + "Core.log 1", "log 1FDF " + logs + "Tools.log 1",
                            "log 1FDF " + logs + "Core.log 1"));
    // Each package's log is switched on before its package is read.
    EXPECT_EQ(Script.Calls[1], "log 1FDF " + logs + "Core.log 1");
    EXPECT_TRUE(Script.Calls[2].starts_with("open "));
}

// A description that cannot name a file in the log folder costs its package the log, not the
// installation; logging is switched off so the previous log does not take its entries.
TEST_F(PackagesRunScripted, ADescriptionThatCannotNameALogFileInstallsWithoutALog) {
    SetSessionComponents({SelectedComponent("Tools, Samples etc.", "tools.msi"),
                          SelectedComponent("Norvane SDK: Samples", "sdk.msi"),
                          SelectedComponent("Sub\\Core", "core.msi")});
    InstallSession.LogEnabled = true;
    FakeProgressRows rows;

    RunInstallation(rows);

    const std::string logs = dest + "\\Logs\\";
    EXPECT_THAT(Script.CallsStartingWith("log"),
                ElementsAre("log 1FDF " + logs + "Tools, Samples etc..log 1", "log 0 (null) 0",
                            "log 0 (null) 0"));
    EXPECT_THAT(Script.CallsStartingWith("install"), ::testing::SizeIs(3));
    EXPECT_THAT(rows.Statuses, ElementsAre("Succeeded", "Succeeded", "Succeeded"));
}

TEST_F(PackagesRunScripted, NoLoggingWhenTheLogFolderCannotBeMadeOrLoggingIsOff) {
    SetSessionComponents({SelectedComponent("Core", "core.msi")});
    CreateDirectoryA(dest.c_str(), nullptr);
    WriteTextFile(dest + "\\Logs", "in the way");
    InstallSession.LogEnabled = true;
    FakeProgressRows rows;
    RunInstallation(rows);
    EXPECT_THAT(Script.CallsStartingWith("log"), IsEmpty());
    EXPECT_THAT(Script.CallsStartingWith("install"), ElementsAre(::testing::_));
    EXPECT_THAT(rows.Statuses, ElementsAre("Succeeded"));

    DeleteFileA((dest + "\\Logs").c_str());
    InstallSession.LogEnabled = false;
    Script.Calls.clear();
    RunInstallation(rows);
    EXPECT_THAT(Script.CallsStartingWith("log"), IsEmpty());
    EXPECT_FALSE(FolderIsThere(dest + "\\Logs"));
}

TEST_F(PackagesRunScripted, WithoutRowsOnlyTheLevelIsSetAndTheLogFolderPrepared) {
    SetSessionComponents({});
    InstallSession.LogEnabled = true;
    FakeProgressRows rows;

    RunInstallation(rows);

    EXPECT_THAT(Script.Calls, ElementsAre("ui 3 no owner"));
    EXPECT_THAT(rows.Calls, ElementsAre("count"));
    EXPECT_TRUE(FolderIsThere(dest + "\\Logs"));
}

TEST_F(PackagesRunScripted, ReadsTheRowCountAnewBeforeEveryRow) {
    SetSessionComponents({SelectedComponent("A", "a.msi"), SelectedComponent("B", "b.msi")});
    FakeProgressRows rows;
    ComponentEntry* late = rows.Entries[1];
    rows.Entries.pop_back();
    // A row that appears while the first package installs is installed too.
    Script.Install = [&](const std::string&, const std::string&) {
        if (rows.Entries.size() == 1)
            rows.Entries.push_back(late);
        return static_cast<UINT>(ERROR_SUCCESS);
    };

    RunInstallation(rows);

    EXPECT_EQ(std::count(rows.Calls.begin(), rows.Calls.end(), "count"), 3);
    EXPECT_THAT(rows.Statuses, ElementsAre("Succeeded", "Succeeded"));
    EXPECT_TRUE(late->Succeeded);
}

TEST_F(PackagesRunScripted, UnusedDescriptionsNeedNotBeSafe) {
    // A Description that names no path in this run does not stop the package.
    SetSessionComponents({SelectedComponent("..\\up", "core.msi")});
    FakeProgressRows rows;
    RunInstallation(rows);
    EXPECT_THAT(Script.CallsStartingWith("install"),
                ElementsAre("install " + dest + "\\SetupFiles\\core.msi | " + FreshCommandLine()));
    EXPECT_THAT(rows.Statuses, ElementsAre("Succeeded"));
}

} // namespace
