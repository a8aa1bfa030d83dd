// Staging and the installation run with real packages on the real service.
#include "FakeProgressRows.h"
#include "InstallationRun.h"
#include "ServiceHelpers.h"
#include "Staging.h"
#include "TestFiles.h"
#include "core/SessionReset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

class PackagesInstallService : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetInstallSession();
        // A space in the destination proves the quoting on the command line.
        SetDestinationFolder(dest);
    }
    void TearDown() override {
        ResetInstallSession();
        ForgetRecordedProperties("Fresh");
        ForgetRecordedProperties("Nested");
    }

    InstallWatchdog watchdog;
    ScratchFolder root;
    const std::string dest = root / "Norvane Dest";
};

TEST_F(PackagesInstallService, InstallsTheStagedPackageThenReinstallsItInPlace) {
    ProductCleanup cleanup(FreshProductCode);
    ForgetRecordedProperties("Fresh");
    ASSERT_EQ(ProductState(FreshProductCode), INSTALLSTATE_UNKNOWN);
    SetSessionComponents({SelectedComponent("Fresh component", "Fresh.msi")});

    StageSetupFilesFrom(TestPackageFolder());
    ASSERT_TRUE(FileIsThere(dest + "\\SetupFiles\\Fresh.msi"));
    FakeProgressRows rows;
    RunInstallation(rows);

    EXPECT_THAT(rows.Statuses, ElementsAre("Succeeded"));
    EXPECT_THAT(rows.Images, ElementsAre(1));
    EXPECT_TRUE(InstallSession.Components[0].Succeeded);
    EXPECT_EQ(ProductState(FreshProductCode), INSTALLSTATE_DEFAULT);
    EXPECT_TRUE(FileIsThere(dest + "\\Fresh.txt"));
    EXPECT_EQ(RecordedProperty("Fresh", "InstallDir"), dest + "\\");
    EXPECT_EQ(RecordedProperty("Fresh", "CameLauncher"), "1");
    EXPECT_EQ(RecordedProperty("Fresh", "Reinstall"), "");

    // Once more over the installed product: a reinstallation.
    ForgetRecordedProperties("Fresh");
    InstallSession.Components[0].Succeeded = false;
    FakeProgressRows again;
    RunInstallation(again);

    EXPECT_THAT(again.Statuses, ElementsAre("Succeeded"));
    EXPECT_TRUE(InstallSession.Components[0].Succeeded);
    EXPECT_EQ(ProductState(FreshProductCode), INSTALLSTATE_DEFAULT);
    EXPECT_EQ(RecordedProperty("Fresh", "InstallDir"), dest + "\\");
    EXPECT_EQ(RecordedProperty("Fresh", "CameLauncher"), "1");
    EXPECT_EQ(RecordedProperty("Fresh", "Reinstall"), "ALL");
}

TEST_F(PackagesInstallService, LogsASubfolderPackageAndFailsAMissingOne) {
    ProductCleanup cleanup(NestedProductCode);
    ForgetRecordedProperties("Nested");
    SetSessionComponents({SelectedComponent("Missing", "Missing.msi"),
                          SelectedComponent("Nested Tools", "Nested.msi", true)});
    InstallSession.LogEnabled = true;

    StageSetupFilesFrom(TestPackageFolder());
    EXPECT_TRUE(FileIsThere(dest + "\\SetupFiles\\Nested Tools\\Nested.msi"));
    EXPECT_FALSE(FileIsThere(dest + "\\SetupFiles\\Missing.msi"));
    FakeProgressRows rows;
    RunInstallation(rows);

    EXPECT_THAT(rows.Statuses, ElementsAre("Failed", "Succeeded"));
    EXPECT_THAT(rows.Images, ElementsAre(2, 1));
    EXPECT_FALSE(InstallSession.Components[0].Succeeded);
    EXPECT_TRUE(InstallSession.Components[1].Succeeded);
    EXPECT_EQ(ProductState(NestedProductCode), INSTALLSTATE_DEFAULT);
    EXPECT_TRUE(FileIsThere(dest + "\\Nested.txt"));
    EXPECT_EQ(RecordedProperty("Nested", "CameLauncher"), "1");
    const std::string log = ReadTextFile(dest + "\\Logs\\Nested Tools.log");
    EXPECT_NE(log.find("Nested"), std::string::npos) << log.substr(0, 200);
}

} // namespace
