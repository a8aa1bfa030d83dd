// On a scripted service, outcomes its result alone does not tell, and the removal run: products
// another package removes or changes, two sections naming one product, removals needing a restart.
#include "FakeProgressRows.h"
#include "InstallationRun.h"
#include "ProductRemoval.h"
#include "RecordedRows.h"
#include "ScriptedMsi.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> Statuses(const RecordedRows& rows) {
    std::vector<std::string> statuses;
    for (const RecordedRows::Row& row : rows.Rows())
        statuses.push_back(row.Status);
    return statuses;
}

class PackagesOutcomes : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetInstallSession();
        SetDestinationFolder(dest);
        SetSessionComponents({SelectedComponent("Core", "core.msi"),
                              SelectedComponent("Data", "data.msi"),
                              SelectedComponent("Docs", "docs.msi")});
        for (const char* name : {"core", "data", "docs"})
            Script.ProductCodes[Staged(name)] = Code(name);
        for (int32_t i = 0; i < InstallSession.ComponentCount; ++i)
            InstallSession.Components[i].SectionName = InstallSession.Components[i].Description;
    }
    // What the service registers for a package it installs.
    void Register(const std::string& path, const std::string& version = Script.ProductVersion) {
        Script.Registered[Script.ProductCodes[path]] = version;
    }
    void TearDown() override { ResetInstallSession(); }

    std::string Staged(const std::string& name) const {
        return dest + "\\SetupFiles\\" + name + ".msi";
    }
    static std::string Code(const std::string& name) {
        return "{" + name + "-0000-0000-0000-000000000000}";
    }

    ScratchFolder root;
    const std::string dest = root / "Dest";
    ScriptedMsi msi;
};

TEST_F(PackagesOutcomes, ARowFailsWhenItsProductIsNotRegisteredAtThePackagesVersion) {
    const struct {
        const char* name;
        std::function<void(const std::string& path)> install; // what else the package does
        std::vector<std::string> statuses;
        int row;            // the row whose reason is checked
        const char* reason; // its reason holds this
    } cases[] = {
        {"a major upgrade removes a sibling",
         [&](const std::string& path) {
             Register(path);
             if (path == Staged("docs"))
                 Script.Registered.erase(Code("core"));
         },
         {"Failed", "Succeeded", "Succeeded"},
         0,
         "removed again by the installation of [Docs]"},
        {"another version is registered",
         [&](const std::string& path) {
             Register(path, path == Staged("data") ? "1.5.0" : Script.ProductVersion);
         },
         {"Succeeded", "Failed", "Succeeded"},
         1,
         "installed version is 1.5.0, the package is 1.0.0"},
        {"a later package changes an earlier product's version",
         [&](const std::string& path) {
             Register(path);
             if (path == Staged("docs"))
                 Script.Registered[Code("data")] = "0.9";
         },
         {"Succeeded", "Failed", "Succeeded"},
         1,
         "changed to version 0.9 by the installation of [Docs]"},
        {"nothing is registered",
         [](const std::string&) { Script.Registered.clear(); },
         {"Failed", "Failed", "Failed"},
         2,
         "is not registered after the installation"},
    };
    Script.RegisterOnInstall = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Script.Registered.clear();
        Script.Install = [&](const std::string& path, const std::string&) {
            c.install(path);
            return ERROR_SUCCESS;
        };
        RecordedRows rows;
        RunInstallation(rows);
        EXPECT_EQ(Statuses(rows), c.statuses);
        EXPECT_FALSE(InstallSession.Components[c.row].Succeeded);
        EXPECT_THAT(rows.Rows()[c.row].Facts.Reason, HasSubstr(c.reason));
    }
}

TEST_F(PackagesOutcomes, TheSecondSectionOfOneProductIsNotInstalledAgain) {
    Script.ProductCodes[Staged("docs")] = Code("core");
    RecordedRows rows;
    RunInstallation(rows);
    EXPECT_THAT(
        Script.CallsStartingWith("install"),
        ElementsAre(
            "install " + Staged("core") + " | INSTALLDIR=\"" + dest + "\" NVN_CAME_LAUNCHER=1",
            "install " + Staged("data") + " | INSTALLDIR=\"" + dest + "\" NVN_CAME_LAUNCHER=1"));
    EXPECT_EQ(rows.Rows()[2].Status, "Failed");
    EXPECT_THAT(rows.Rows()[2].Facts.Reason, HasSubstr("already installed by [Core]"));
    EXPECT_TRUE(InstallSession.Components[0].Succeeded);
}

TEST_F(PackagesOutcomes, RemovalGoesFromTheLastRowUpAndARestartRequestCountsAsRemoved) {
    Script.RemoveResults[Code("core")] = ERROR_SUCCESS_REBOOT_REQUIRED;
    Script.RemoveResults[Code("data")] = ERROR_INSTALL_FAILURE;
    Script.RemoveResults[Code("docs")] = ERROR_SUCCESS_REBOOT_INITIATED;
    for (const char* name : {"core", "data", "docs"})
        Script.ProductCodes[root / (std::string(name) + ".msi")] = Code(name);
    RecordedRows rows;
    RunRemoval(rows, INSTALLUILEVEL_NONE, root.Path());
    auto removal = [](const char* name) {
        return "configure " + Code(name) + " 0 2 | REBOOT=ReallySuppress";
    };
    EXPECT_THAT(Script.CallsStartingWith("configure"),
                ElementsAre(removal("docs"), removal("data"), removal("core")));
    EXPECT_THAT(Statuses(rows), ElementsAre("Succeeded", "Failed", "Succeeded"));
    EXPECT_EQ(Script.Calls.front(), "ui 2 no owner");
}

} // namespace
