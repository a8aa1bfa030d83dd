// The real Setup.exe, run unattended as an administrator's deployment runs it, against what an
// ordinary user of the machine could have prepared.
#include "Driver.h"
#include "ScenarioPackages.h"
#include "TestFiles.h"
#include "UnattendedRun.h"

#include <msi.h>

#include <gtest/gtest.h>

using namespace e2e;

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                    static_cast<int>(wide.size())) -
                1);
    return wide;
}

void MakeFolders(const std::string& path) {
    for (size_t end = path.find('\\', 3); end != std::string::npos; end = path.find('\\', end + 1))
        CreateDirectoryA(path.substr(0, end).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

// Starts folder\Setup.exe with a wide command line, as Explorer or a deployment tool does;
// returns its exit code, 999 when it does not end in time.
DWORD RunWide(const std::wstring& folder, const std::wstring& arguments) {
    std::wstring command = L"\"" + folder + L"\\Setup.exe\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return 999;
    return WaitForExit(process, 90000);
}

// The log stays outside Agents, whose absence some cases check.
class AdministratorSafety : public Unattended {
  protected:
    AdministratorSafety() { log_ = dist_ / "install.log"; }
    DWORD Run(const std::string& more = "") {
        return RunWide(Wide(dist_.Path()), Wide(Quiet(more)));
    }
    std::string Quiet(const std::string& more) const {
        return "/quiet /acceptlicense /dir \"" + dest_ + "\" /log \"" + log_ + "\" " + more;
    }
    std::string outside_ = dist_ / "Outside";
};

TEST_F(AdministratorSafety, LinksPlantedUnderTheDestinationAreNeverWrittenThrough) {
    Configure(Section("Alpha", "Alpha.msi"));
    // The folder planted as a symbolic link to Outside, or none: hard links at the staged
    // package and its log.
    const struct {
        const char* LinkedFolder;
        DWORD ExitCode;
        const char* Logged;
    } cases[] = {
        {nullptr, 0, "Installation of [Alpha] Alpha: succeeded"},
        {"SetupFiles", 1603, "SetupFiles is a junction or symbolic link to another place"},
        {"Logs", 0, "Package logs: none written. The folder "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.LinkedFolder ? c.LinkedFolder : "hard links");
        RemoveProduct(Alpha);
        RemoveTree(dist_ / "Agents");
        RemoveTree(outside_);
        MakeFolders(dest_);
        MakeFolders(outside_);
        WriteTextFile(outside_ + "\\victim", "not a package");
        WriteTextFile(outside_ + "\\victim.log", "not a log");
        if (c.LinkedFolder) {
            PlantSymbolicLink(dest_ + "\\" + c.LinkedFolder, outside_);
        } else {
            MakeFolders(dest_ + "\\SetupFiles");
            MakeFolders(dest_ + "\\Logs");
            CreateHardLinkA((dest_ + "\\SetupFiles\\Alpha.msi").c_str(),
                            (outside_ + "\\victim").c_str(), nullptr);
            CreateHardLinkA((dest_ + "\\Logs\\Alpha.log").c_str(),
                            (outside_ + "\\victim.log").c_str(), nullptr);
        }

        EXPECT_EQ(Run("/msilogs"), c.ExitCode) << Log();
        EXPECT_TRUE(LogSays(c.Logged)) << Log();
        EXPECT_EQ(ReadTextFile(outside_ + "\\victim"), "not a package");
        EXPECT_EQ(ReadTextFile(outside_ + "\\victim.log"), "not a log");
        size_t entries = 0;
        ForEachEntry(outside_, [&](const WIN32_FIND_DATAA&) { ++entries; });
        EXPECT_EQ(entries, 2u);
    }
}

// The earlier run's staged package is the product's registered source: a run from a
// distribution that lost the package keeps it byte for byte, still good for a repair.
TEST_F(AdministratorSafety, AMissingPackageKeepsTheEarlierCopyAndTheProductRepairable) {
    Configure(Section("Alpha", "Alpha.msi"));
    ASSERT_EQ(Run(), 0u) << Log();
    const std::string staged = ReadTextFile(dest_ + "\\SetupFiles\\Alpha.msi");
    ASSERT_EQ(staged, ReadTextFile(dist_ / "Alpha.msi"));

    DeleteFileA((dist_ / "Alpha.msi").c_str());
    EXPECT_EQ(Run(), 1603u);
    EXPECT_TRUE(LogSays("Alpha.msi is missing")) << Log();
    EXPECT_EQ(ReadTextFile(dest_ + "\\SetupFiles\\Alpha.msi"), staged);

    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    EXPECT_EQ(MsiReinstallProductA(Alpha.productCode, REINSTALLMODE_FILEREPLACE |
                                                          REINSTALLMODE_MACHINEDATA |
                                                          REINSTALLMODE_PACKAGE),
              0u);
}

// A character the ANSI code page lacks would become a look-alike ("Ω" as "O", a fullwidth
// backslash as "\"), so such an argument is refused.
TEST_F(AdministratorSafety, ArgumentsTheCodePageCannotHoldExactlyEndWith1639) {
    Configure(Section("Alpha", "Alpha.msi"));
    const std::wstring folders[] = {
        Wide(dist_.Path()) + L"\\\x03A9mega",          // best fit: ...\Omega
        Wide(dist_.Path()) + L"\\Agents\xFF3CNorvane", // best fit: ...\Agents\Norvane
    };
    for (const std::wstring& folder : folders) {
        const std::wstring arguments =
            L"/quiet /acceptlicense /log \"" + Wide(log_) + L"\" /dir \"" + folder + L"\"";
        EXPECT_EQ(RunWide(Wide(dist_.Path()), arguments), 1639u);
        EXPECT_TRUE(LogSays("holds characters that the system's code page cannot represent"))
            << Log();
    }
    EXPECT_FALSE(FolderIsThere(dist_ / "Omega"));
    EXPECT_FALSE(FolderIsThere(dist_ / "Agents"));
    EXPECT_FALSE(Installed(Alpha));
}

// A distribution in a folder named outside the code page starts by its short name; without
// one, the configuration error names the folder.
TEST_F(AdministratorSafety, ADistributionInAFolderNamedOutsideTheCodePageStartsOrNamesIt) {
    const std::wstring folder = Wide(dist_.Path()) + L"\\\x03A9mega";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    Configure(Section("Alpha", "Alpha.msi"));
    for (const char* name : {"Setup.exe", "Alpha.msi", "Setup.INI"})
        ASSERT_TRUE(
            CopyFileW(Wide(dist_ / name).c_str(), (folder + L"\\" + Wide(name)).c_str(), FALSE));
    wchar_t shortName[MAX_PATH] = {};
    GetShortPathNameW(folder.c_str(), shortName, MAX_PATH);
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, shortName, -1, nullptr, 0, nullptr, &lost);

    const DWORD exitCode = RunWide(folder, Wide(Quiet("")));
    // The scratch folder's own clean-up reads names in the ANSI code page.
    for (const wchar_t* name : {L"Setup.exe", L"Alpha.msi", L"Setup.INI"})
        DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW(folder.c_str());
    if (!lost) {
        EXPECT_EQ(exitCode, 0u) << Log();
        EXPECT_TRUE(Installed(Alpha));
    } else {
        EXPECT_EQ(exitCode, 1619u);
        EXPECT_TRUE(LogSays("The installer's folder \"")) << Log();
    }
}

// A signed Setup.exe installs only packages signed with its own certificate; the log names the
// package and the publisher expected.
TEST_F(AdministratorSafety, ASignedInstallerRefusesAPackageWithoutItsSignature) {
    const std::string signedFolder = TestProgramFolder() + "\\signed";
    ASSERT_TRUE(
        CopyFileA((signedFolder + "\\Setup.exe").c_str(), (dist_ / "Setup.exe").c_str(), FALSE));
    Configure(Section("Alpha", "Alpha.msi") + Section("Beta", "Beta.msi"));
    ASSERT_TRUE(
        CopyFileA((signedFolder + "\\Beta.msi").c_str(), (dist_ / "Beta.msi").c_str(), FALSE));

    EXPECT_EQ(Run(), 1603u);
    EXPECT_TRUE(LogSays("Staging [Alpha] Alpha: not staged: The package " + (dist_ / "Alpha.msi") +
                        " is not signed by the installer's publisher \"Norvane Test Signing "
                        "(throwaway)\": it carries no signature."))
        << Log();
    EXPECT_FALSE(Installed(Alpha));
    EXPECT_TRUE(Installed(Beta));
}

} // namespace
