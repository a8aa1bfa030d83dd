// The distribution check on distributions with faults, in-process and
// through the real Setup.exe /verify.
#include "ConfigurationText.h"
#include "EncodingExample.h"
#include "Installmanager.h"
#include "TestFiles.h"
#include "Verification.h"
#include "faults/FileTree.h"

#include <windows.h>
#include <msi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

// The build tree's sample packages and test packages, seen from this
// program's folder (build/tests/verify).
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

// "error [Section] Setting" for every finding: what the tests compare.
std::vector<std::string> Kinds(const Findings& findings) {
    std::vector<std::string> kinds;
    for (const Finding& f : findings)
        kinds.push_back((f.Level == Severity::Error ? "error [" : "warning [") + f.Section + "] " +
                        f.Setting);
    return kinds;
}

std::vector<std::string> FindingLines(const std::string& report) {
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = report.find("\r\n", start)) != std::string::npos) {
        const std::string line = report.substr(start, end - start);
        if (line.starts_with("error ") || line.starts_with("warning "))
            lines.push_back(line.substr(0, line.find(':')));
        start = end + 2;
    }
    return lines;
}

// The four faults a release must not ship with, one section each, beside a
// sound component; run as the user would, Setup.exe /verify /log FILE.
TEST(SetupVerify, FindsEachFaultOnceExitsWithOneAndChangesNothing) {
    ScratchFolder dist, logs;
    CopyInto(dist, "wizard\\Setup.exe", "Setup.exe");
    CopyInto(dist, Core, "NorvaneCore.msi");
    CopyInto(dist, Core, "CoreCopy.msi");
    CopyInto(dist, Docs, "NorvaneDocs.msi");
    CopyInto(dist, Charts, "NorvaneCharts.msi");
    WriteTextFile(dist / "Setup.INI",
                  Section("Core", "Norvane Core", "3.2.1", "1850", "NorvaneCore.msi") +
                      Section("Again", "Norvane Core Again", "3.2.1", "1850", "CoreCopy.msi") +
                      Section("Gone", "Norvane Gone", "1.0", "10", "NorvaneGone.msi") +
                      Section("Docs", "Norvane Docs", "2026.1", "1", "NorvaneDocs.msi") +
                      Section("Dots", "..", "2.4", "5320", "NorvaneCharts.msi"));
    const auto before = Snapshot(dist.Path(), 3);

    const std::string log = logs / "report.txt";
    std::ostringstream command;
    command << '"' << (dist / "Setup.exe") << "\" -Verify /LOG \"" << log << '"';
    EXPECT_EQ(RunToEnd(command.str(), 60000), 1u);

    EXPECT_THAT(
        FindingLines(ReadTextFile(log)),
        UnorderedElementsAreArray({"error   [Again] MSIFileName", "error   [Gone] MSIFileName",
                                   "warning [Docs] Size", "error   [Dots] ComponentDescription"}));
    EXPECT_EQ(Snapshot(dist.Path(), 3), before);
    EXPECT_EQ(MsiQueryProductStateA("{D895B1DE-DEA5-4F70-8DD7-D89EFB775735}"),
              INSTALLSTATE_UNKNOWN);
}

// Every other kind of finding, in one file: settings that take defaults,
// values that read otherwise than written, repeated sections, the encoding,
// and packages that are not what the run needs.
TEST(DistributionCheck, ReportsWhatTheRunWouldReadOtherwise) {
    ScratchFolder dist;
    CopyInto(dist, Core, "NorvaneCore.msi");
    CopyInto(dist, "tests\\packages\\msi\\Earlier3.msi", "Old.msi");
    WriteTextFile(dist / "Broken.msi", "not a database");
    const std::string tooLong(2100, 'v');
    WriteTextFile(
        dist / "Setup.INI",
        "[Core]\r\nComponentDescription=Norvane K\xC3\xBCrze\r\nComponentImageIndex=11\r\n"
        "Version=3.3\r\nSize=1,850\r\nMSIFileName=NorvaneCore.msi\r\nRequired=yes\r\n"
        "SetupFileSubFolder=0\r\n" +
            Section("Old", "Old", "1.0.0", "1", "Old.msi") +
            Section("Broken", "Broken", tooLong, "1", "Broken.msi") +
            Section("Unsafe", "Unsafe", "1", "1", "..\\Core.msi") + "[Bare]\r\nMSIFileName=\r\n" +
            Section("core", "Core again", "3.2.1", "1850", "NorvaneCore.msi"));

    const DistributionReport report = CheckDistribution(dist / "Setup.INI", dist.Path());

    EXPECT_THAT(Kinds(report.Items),
                UnorderedElementsAreArray({
                    "warning [Core] ComponentDescription", // UTF-8 in an ANSI file
                    "error [core] ",                       // the name again
                    "warning [Core] ComponentImageIndex",  // no icon 11
                    "warning [Core] Version",              // not the package's 3.2.1
                    "warning [Core] Size",                 // 1850 or 1
                    "warning [Core] Required",             // "yes" reads as 0
                    "error [Old] MSIFileName",             // an earlier product
                    "warning [Broken] Version",            // cut at 2047
                    "error [Broken] MSIFileName",          // no database
                    "error [Unsafe] MSIFileName",          // outside the folder
                    "warning [Bare] ComponentImageIndex",  // defaults taken
                    "error [Bare] ComponentDescription",
                    "warning [Bare] Version",
                    "warning [Bare] Size",
                    "error [Bare] MSIFileName",
                    "warning [Bare] Required",
                    "warning [Bare] SetupFileSubFolder",
                }));
    // The file's line holding the UTF-8 text is named.
    for (const Finding& finding : report.Items) {
        if (finding.Setting == "ComponentDescription" && finding.Section == "Core") {
            EXPECT_THAT(finding.Problem, ::testing::HasSubstr("line 2 "));
        }
    }
    EXPECT_EQ(InstallSession.ComponentCount, 0);
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
