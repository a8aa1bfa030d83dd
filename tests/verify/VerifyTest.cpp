// The distribution check on faulty distributions, in-process and via the real Setup.exe /verify.
#include "ConfigurationText.h"
#include "EncodingExample.h"
#include "Session.h"
#include "PackageChecks.h"
#include "TestFiles.h"
#include "Verification.h"
#include "faults/FileTree.h"

#include <windows.h>
#include <msi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Matcher;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAreArray;

// The build tree's sample and test packages, from this program's folder (build/tests/verify).
std::string BuildFile(const std::string& relative) {
    return TestProgramFolder() + "\\..\\..\\" + relative;
}

void CopyInto(const ScratchFolder& dist, const std::string& from, const std::string& name) {
    ASSERT_TRUE(CopyFileA(BuildFile(from).c_str(), (dist / name).c_str(), FALSE)) << from;
}

std::string Section(const std::string& name, const std::string& description,
                    const std::string& version, const std::string& size,
                    const std::string& package) {
    return "[" + name + "]\r\nComponentDescription=" + description +
           "\r\nComponentImageIndex=1\r\nVersion=" + version + "\r\nSize=" + size +
           "\r\nMSIFileName=" + package + "\r\nRequired=0\r\nSetupFileSubFolder=0\r\n";
}

const std::string Core = "dist\\NorvaneCore.msi";
const std::string Docs = "dist\\NorvaneDocs.msi";
const std::string Charts = "dist\\NorvaneCharts.msi";

// A package of tests/verify/CMakeLists.txt, sound but for its one fault.
std::string Checked(const std::string& name) {
    return "tests\\verify\\packages\\" + name;
}

// "error [Section] Setting" for every finding: what the tests compare.
std::vector<std::string> Kinds(const Findings& findings) {
    std::vector<std::string> kinds;
    for (const Finding& f : findings)
        kinds.push_back((f.Level == Severity::Error ? "error [" : "warning [") + f.Section + "] " +
                        f.Setting);
    return kinds;
}

// The report's lines, without their line ends.
std::vector<std::string> ReportLines(const std::string& report) {
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = report.find("\r\n", start)) != std::string::npos) {
        lines.push_back(report.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> FindingLines(const std::string& report) {
    std::vector<std::string> lines;
    for (const std::string& line : ReportLines(report))
        if (line.starts_with("error ") || line.starts_with("warning "))
            lines.push_back(line);
    return lines;
}

// Each finding as its report line.
std::vector<std::string> FindingLines(const Findings& findings) {
    DistributionReport report;
    report.Items = findings;
    return FindingLines(FormatReport(report));
}

// One expected report line: its kind, a piece of what is wrong and of what the installer would do.
Matcher<std::string> Row(const std::string& kind, const std::string& problem,
                         const std::string& effect) {
    return AllOf(StartsWith(kind + ": "), HasSubstr(problem),
                 HasSubstr("; the installer " + effect));
}

// Setup.exe in a distribution of its own, run as the user would: Setup.exe /verify /log FILE.
class SetupVerify : public ::testing::Test {
  protected:
    void SetUp() override { CopyInto(dist, "launcher\\Setup.exe", "Setup.exe"); }
    DWORD Verify(const std::string& switches, const std::string& log) {
        return RunToEnd('"' + (dist / "Setup.exe") + "\" " + switches + " \"" + log + '"', 60000);
    }
    ScratchFolder dist, logs;
};

// The four faults a release must not ship with, one section each, beside a sound component.
TEST_F(SetupVerify, FindsEachFaultOnceExitsWithOneAndChangesNothing) {
    CopyInto(dist, Core, "NorvaneCore.msi");
    CopyInto(dist, Core, "CoreCopy.msi");
    CopyInto(dist, Docs, "NorvaneDocs.msi");
    CopyInto(dist, Charts, "NorvaneCharts.msi");
    CopyInto(dist, Checked("Cabinet.msi"), "Cabinet.msi"); // without its cabinet
    WriteTextFile(dist / "Setup.INI",
                  Section("Core", "Norvane Core", "3.2.1", "1850", "NorvaneCore.msi") +
                      Section("Again", "Norvane Core Again", "3.2.1", "1850", "CoreCopy.msi") +
                      Section("Gone", "Norvane Gone", "1.0", "10", "NorvaneGone.msi") +
                      Section("Docs", "Norvane Docs", "26.1", "1", "NorvaneDocs.msi") +
                      Section("Dots", "..", "2.4", "5320", "NorvaneCharts.msi") +
                      Section("Cab", "Cab", "1.0.0", "1", "Cabinet.msi"));
    const auto before = Snapshot(dist.Path(), 3);

    const std::string log = logs / "report.txt";
    EXPECT_EQ(Verify("-Verify /LOG", log), 1u);

    const std::string report = ReadTextFile(log);
    EXPECT_THAT(ReportLines(report), ::testing::IsSupersetOf({"Configuration file: Setup.INI",
                                                              "Result: not ready to ship"}));
    EXPECT_THAT(FindingLines(report),
                UnorderedElementsAreArray(
                    {Row("error   [Again] MSIFileName", "is also that of section [Core]",
                         "reinstalls one product"),
                     Row("error   [Gone] MSIFileName", "NorvaneGone.msi is missing", "fails"),
                     Row("warning [Docs] Size", "below the package's installed", "counts 1 KB"),
                     Row("error   [Dots] ComponentDescription", "cannot name a staging subfolder",
                         "fails the component"),
                     Row("warning (file)", "Setup.exe is not signed: the distribution is unsigned",
                         "installs its packages without checking any signature"),
                     Row("error   [Cab] MSIFileName",
                         "Cabinet.msi, Media table: the external cabinet Cabinet.cab is missing",
                         "stages the package without it")}));
    EXPECT_EQ(Snapshot(dist.Path(), 3), before);
    EXPECT_EQ(MsiQueryProductStateA("{D895B1DE-DEA5-4F70-8DD7-D89EFB775735}"),
              INSTALLSTATE_UNKNOWN);
}

// Warnings alone ship: exit 0. The report is appended, as every /log, in a folder made for it;
// one that cannot be written is exit 2, never taken for "errors found" (1) or a pass.
TEST_F(SetupVerify, AppendsTheReportIntoANewFolderAndTellsAnUnwritableOne) {
    CopyInto(dist, Checked("Unupgradable.msi"), "Unupgradable.msi");
    WriteTextFile(dist / "Setup.INI", Section("Only", "Only", "1.0.0", "1", "Unupgradable.msi"));
    const std::string log = logs / "new\\folder\\report.txt";

    EXPECT_EQ(Verify("/verify /log", log), 0u);
    EXPECT_EQ(Verify("/verify /log", log), 0u);
    const std::vector<std::string> lines = ReportLines(ReadTextFile(log));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Result: ready to ship"), 2);
    EXPECT_THAT(FindingLines(ReadTextFile(log)),
                ElementsAre(StartsWith("warning [Only] MSIFileName: Unupgradable.msi, Upgrade"),
                            StartsWith("warning (file): Setup.exe is not signed"),
                            StartsWith("warning [Only] MSIFileName: Unupgradable.msi, Upgrade"),
                            StartsWith("warning (file): Setup.exe is not signed")));

    // The report's folder would be a file.
    EXPECT_EQ(Verify("/verify /log", dist / "Setup.INI\\report.txt"), 2u);
}

// Every other kind of finding, in one file: settings that take defaults,
// values that read otherwise than written, repeated sections and settings,
// the encoding, packages that are not what the run needs, and packages that
// the Windows Installer would install otherwise than meant.
TEST(DistributionCheck, ReportsWhatTheRunWouldReadOtherwise) {
    ScratchFolder dist;
    CopyInto(dist, Core, "NorvaneCore.msi");
    CopyInto(dist, "tests\\packages\\msi\\Earlier3.msi", "Old.msi");
    WriteTextFile(dist / "Broken.msi", "not a database");
    for (const char* name : {"Sound", "Bit32", "PerUser", "Elsewhere", "Cabinet", "Unupgradable",
                             "Sibling", "Year", "Restart", "Forced"})
        CopyInto(dist, Checked(name) + ".msi", std::string(name) + ".msi");
    CopyInto(dist, Checked("Cabinet.cab"), "Cabinet.cab"); // shipped beside it: sound
    ASSERT_TRUE(CreateDirectoryA((dist / "pkgs").c_str(), nullptr));
    CopyInto(dist, Checked("Sound.msi"), "pkgs\\Sound.msi");
    const std::string tooLong(2100, 'v');
    auto checked = [](const char* name) {
        return Section(name, name, "1.0.0", "1", std::string(name) + ".msi");
    };
    WriteTextFile(
        dist / "Setup.INI",
        "[Core]\r\nComponentDescription=Norvane K\xC3\xBCrze\r\nComponentImageIndex=11\r\n"
        "Version=3.3\r\nSize=1,850\r\nMSIFileName=NorvaneCore.msi\r\nRequired=yes\r\n"
        "SetupFileSubFolder=0\r\n" +
            Section("Old", "Old", "1.0.0", "1", "Old.msi") +
            Section("Broken", "Broken", tooLong, "1", "Broken.msi") +
            Section("Unsafe", "Unsafe", "1", "1", "..\\Core.msi") + "[Bare]\r\nMSIFileName=\r\n" +
            Section("core", "Core again", "3.2.1", "1850", "NorvaneCore.msi") + checked("Sound") +
            "Required=1\r\n" + checked("Bit32") + checked("PerUser") + checked("Elsewhere") +
            checked("Cabinet") + checked("Unupgradable") + checked("Sibling") +
            Section("Year", "Year", "2026.1.0", "1", "Year.msi") + checked("Restart") +
            checked("Forced") + Section("Nested", "Nested", "1.0.0", "1", "pkgs\\Sound.msi"));

    const DistributionReport report = CheckDistribution(dist / "Setup.INI", dist.Path());

    const std::string defaulted = "the setting is missing";
    EXPECT_THAT(
        FindingLines(report.Items),
        UnorderedElementsAreArray({
            Row("warning [Core] ComponentDescription", "line 2 holds UTF-8 text",
                "reads it in the user's ANSI code page"),
            Row("error   [core]", "repeats the name of the one on line 1",
                "shows the first one's component twice"),
            Row("warning [Core] ComponentImageIndex", "there is no icon 11",
                "shows the row without an icon"),
            Row("warning [Core] Version", "\"3.3\" differs from the package's ProductVersion 3.2.1",
                "shows 3.3"),
            Row("warning [Core] Size", "\"1,850\" reads as", "takes one or the other"),
            Row("warning [Core] Required", "\"yes\" does not read as an integer", "takes 0"),
            Row("error   [Old] MSIFileName", "is one of the earlier Norvane products",
                "asks on every later run"),
            Row("warning [Old] MSIFileName", "Old.msi, Upgrade table: no rows",
                "installs it, but the next release of this component cannot replace it"),
            Row("warning [Broken] Version", "the value has 2100 characters",
                "cuts it to its first 2047"),
            Row("error   [Broken] MSIFileName", "does not open as a Windows Installer package",
                "fails the component"),
            Row("error   [Unsafe] MSIFileName", "does not name a file beside Setup.exe",
                "fails the component without calling Windows Installer"),
            Row("warning [Bare] ComponentImageIndex", defaulted, "takes -1"),
            Row("error   [Bare] ComponentDescription", defaulted, "shows a row without a caption"),
            Row("warning [Bare] Version", defaulted, "shows no version"),
            Row("warning [Bare] Size", defaulted, "takes 0"),
            Row("error   [Bare] MSIFileName", "the value is empty", "fails the component"),
            Row("warning [Bare] Required", defaulted, "takes 0"),
            Row("warning [Bare] SetupFileSubFolder", defaulted, "takes 0"),
            Row("error   [Sound] Required", "line 51 sets it again after line 49",
                "reads only line 49's value \"0\" and ignores \"1\""),
            Row("error   [Bit32] MSIFileName",
                "Bit32.msi, summary property Template \"Intel;1033\": a package for 32-bit",
                "installs it as a 32-bit product"),
            Row("error   [PerUser] MSIFileName", "PerUser.msi, property ALLUSERS",
                "installs it for the account that runs Setup.exe only"),
            Row("error   [Elsewhere] MSIFileName",
                "Elsewhere.msi, Directory table: no row INSTALLDIR",
                "sets INSTALLDIR, which the package does not use"),
            Row("warning [Unupgradable] MSIFileName", "Unupgradable.msi, Upgrade table: no rows",
                "installs it, but the next release of this component cannot replace it"),
            Row("error   [Sibling] MSIFileName",
                "Sibling.msi, property UpgradeCode: {0E6F7A81-92B3-4C4D-8E5F-607182930A01} is also "
                "that of section [Sound]'s package Sound.msi",
                "installs both as releases of one product: a major upgrade of either removes the "
                "other"),
            Row("error   [Year] MSIFileName",
                "Year.msi, property ProductVersion \"2026.1.0\": not a version within",
                "hands Windows Installer a version it cannot compare"),
            Row("warning [Restart] MSIFileName",
                "Restart.msi, InstallExecuteSequence action ScheduleReboot", "gets result 3010"),
            Row("warning [Forced] MSIFileName", "Forced.msi, property REBOOT \"Force\"",
                "gets result 3010"),
            Row("error   [Nested] MSIFileName", "\"pkgs\\Sound.msi\" names a file in a folder",
                "stages it into a folder of SetupFiles that staging does not create"),
        }));
    EXPECT_EQ(InstallSession.ComponentCount, 0);
}

// A signed Setup.exe installs only packages of its own certificate, none if its own signature
// fails. Wine checks a program's digest but not a signed package's (Windows checks both).
TEST(DistributionCheck, ASignedSetupTakesOnlyPackagesOfItsOwnSigner) {
    ScratchFolder dist;
    CopyInto(dist, "dist\\Setup.exe", "Setup.exe");
    CopyInto(dist, Core, "NorvaneCore.msi");
    CopyInto(dist, Checked("Sound.msi"), "Sound.msi");
    CopyInto(dist, "tests\\packages\\signed\\Other.msi", "Other.msi");
    WriteTextFile(dist / "Setup.INI", Section("Core", "Core", "3.2.1", "1850", "NorvaneCore.msi") +
                                          Section("Plain", "Plain", "1.0.0", "1", "Sound.msi") +
                                          Section("Alien", "Alien", "1.0.0", "1", "Other.msi"));
    auto check = [&](const std::string& program) {
        return FindingLines(CheckDistribution(dist / "Setup.INI", dist.Path(), program).Items);
    };

    EXPECT_THAT(
        check(dist / "Setup.exe"),
        UnorderedElementsAreArray(
            {Row("error   [Plain] MSIFileName",
                 "the package Sound.msi is not signed by the installer's publisher",
                 "fails the component: a signed Setup.exe installs only packages"),
             Row("error   [Alien] MSIFileName",
                 "the package Other.msi is not signed by the installer's publisher",
                 "fails the component"),
             Matcher<std::string>(AllOf(HasSubstr("[Alien]"), HasSubstr("no major upgrade")))}));

    // One byte of the signed program's code flipped.
    std::string program = ReadTextFile(dist / "Setup.exe");
    program[program.size() / 2] ^= 0x20;
    WriteTextFile(dist / "Setup.exe", program);
    EXPECT_THAT(check(dist / "Setup.exe"),
                ::testing::Contains(Row("error   (file)", "Setup.exe's signature does not verify",
                                        "refuses every package")));
}

// What a package built with wixl cannot carry: another processor, several languages,
// ALLUSERS=2 with MSIINSTALLPERUSER=1, loose files, REBOOT by its first letter.
TEST(DistributionCheck, JudgesPackageFactsAsWindowsInstallerDoes) {
    // A sound package's facts, one changed per case; the finding expected, a piece of it, or none.
    struct Case {
        std::string Template = "x64;1033", Language = "1033", AllUsers = "1", PerUser = "",
                    Cabinet = "#payload.cab", Reboot = "", Finding = "";
    };
    const Case cases[] = {
        {},
        {.Template = "x64 ;1033"},
        {.Template = "x64;0"},
        {.Template = ";1033", .Finding = "no platform"},
        {.Template = "Arm64;1033", .Finding = "another processor than x64"},
        {.Template = "x64;1033,1031", .Finding = "several languages"},
        {.Language = "1031", .Finding = "ProductLanguage \"1031\" is not its language 1033"},
        {.AllUsers = "2"},
        {.AllUsers = "2", .PerUser = "1", .Finding = "MSIINSTALLPERUSER \"1\": a per-user package"},
        {.Cabinet = "", .Finding = "a disk without a cabinet"},
        {.Reboot = "F", .Finding = "asks for a restart"},
        {.Reboot = "ReallySuppress"},
    };
    for (const Case& c : cases) {
        PackageFacts facts;
        facts.Template = c.Template;
        facts.ProductLanguage = c.Language;
        facts.AllUsers = c.AllUsers;
        facts.InstallPerUser = c.PerUser;
        facts.Cabinets = {c.Cabinet};
        facts.Reboot = c.Reboot;
        facts.HasInstallDir = true;
        facts.UpgradeRows = 2;
        facts.ProductVersion = "1.0.0";
        Findings findings;
        CheckPackageContents("S", "P.msi", facts, "C:\\", findings);
        if (c.Finding.empty())
            EXPECT_THAT(FindingLines(findings), ::testing::IsEmpty()) << c.Template;
        else
            EXPECT_THAT(FindingLines(findings), ElementsAre(HasSubstr(c.Finding))) << c.Template;
    }
}

// Within the limits: three parts up to 255.255.65535; a fourth is ignored.
TEST(DistributionCheck, VersionsWithinTheInstallersLimits) {
    for (const char* good : {"1", "255.255.65535", "26.1.0.99999"})
        EXPECT_TRUE(IsInstallerVersion(good)) << good;
    for (const char* bad : {"", "256.0.0", "1.256.0", "1.0.65536", "1.0.0.0.0", "1.x", "1..2"})
        EXPECT_FALSE(IsInstallerVersion(bad)) << bad;
}

// Byte-order marks: Windows takes only UTF-16's. After a UTF-8 mark the
// first line is no section; a UTF-16 file loses what the code page lacks.
TEST(DistributionCheck, ReadsByteOrderMarksAsWindowsDoes) {
    ScratchFolder folder;
    WriteTextFile(folder / "utf8.ini", "\xEF\xBB\xBF[First]\r\nVersion=1\r\n[Second]\r\n");
    const std::wstring wide = L"\xFEFF[Core]\r\nVersion=1\r\nComponentDescription=\x3A9mega\r\n";
    WriteTextFile(folder / "utf16.ini",
                  std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));

    ConfigurationText utf8, utf16;
    ASSERT_TRUE(ReadConfigurationText(folder / "utf8.ini", utf8));
    ASSERT_TRUE(ReadConfigurationText(folder / "utf16.ini", utf16));

    EXPECT_THAT(Kinds(utf8.EncodingFindings), ElementsAre("error [First] "));
    EXPECT_THAT(Kinds(utf16.EncodingFindings), ElementsAre("warning [Core] ComponentDescription"));
    ASSERT_EQ(utf16.Sections.size(), 1u);
    EXPECT_EQ(utf16.Sections[0].Settings.at(0).Value, "1");
}

// The example of UTF-8 text names its bytes in hex and the character in the
// code page being read, or its code point where that code page lacks it.
TEST(DistributionCheck, WritesTheUtf8ExampleInTheCodePageBeingRead) {
    struct Row {
        const char* Line;
        UINT CodePage;
        const char* Example;
    };
    for (const Row& row : std::initializer_list<Row>{
             {"Name=K\xC3\xBCrze", 1252, "C3 BC for \"\xFC\""},
             {"Name=K\xC3\xBCrze", 932, "C3 BC for U+00FC"},
             {"Name=\xE8\xA1\xA8", 932, "E8 A1 A8 for \"\x95\x5C\""}, // 表
             {"Name=\xE8\xA1\xA8", 1252, "E8 A1 A8 for U+8868"},
             {"Name=\xF0\x9F\x98\x80", 1252, "F0 9F 98 80 for U+1F600"},
         })
        EXPECT_EQ(Utf8Example(row.Line, row.CodePage), row.Example) << row.Line;
}

} // namespace
