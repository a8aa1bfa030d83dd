// A cancelled package stops an unattended run with 1602, which deployment tools read as cancelled.
#include "CommandLine.h"
#include "Configuration.h"
#include "ScriptedMsi.h"
#include "TestFiles.h"
#include "Unattended.h"
#include "core/SessionReset.h"

#include <gtest/gtest.h>

namespace {

TEST(UnattendedRun, ACancelledPackageStopsTheRunWith1602) {
    ResetInstallSession();
    ScratchFolder root;
    // Staging takes packages from beside this program; a missing one never reaches the service.
    const std::string prefix = "nvn-cancel-" + std::to_string(GetCurrentProcessId());
    for (const char* name : {"-core.msi", "-data.msi"})
        WriteTextFile(TestProgramFolder() + "\\" + prefix + name, "package");
    WriteTextFile(root / "Setup.INI", "[Core]\r\nMSIFileName=" + prefix +
                                          "-core.msi\r\n[Data]\r\nMSIFileName=" + prefix +
                                          "-data.msi\r\n");
    ASSERT_TRUE(LoadConfigurationFrom(root / "Setup.INI"));
    ScriptedMsi msi;
    // No table has rows: staging finds no external cabinet.
    Script.FetchResult = ERROR_NO_MORE_ITEMS;
    Script.Install = [](const std::string&, const std::string&) {
        return static_cast<UINT>(ERROR_INSTALL_USEREXIT);
    };

    const int exitCode =
        RunUnattended(ParseCommandLine({"/quiet", "/acceptlicense", "/dir", root / "Dest"}));

    EXPECT_EQ(exitCode, 1602);
    EXPECT_EQ(Script.CallsStartingWith("install").size(), 1u) << "the second is never started";
    ResetInstallSession();
    for (const char* name : {"-core.msi", "-data.msi"})
        DeleteFileA((TestProgramFolder() + "\\" + prefix + name).c_str());
}

} // namespace
