// The real Setup.exe under code page 932, with names whose characters have "\" (0x5C) or "|"
// (0x7C) as second byte. Run by tools/wine-run.sh --code-page 932; Setup.exe inherits it.
#include "Driver.h"
#include "ScenarioPackages.h"
#include "TestFiles.h"
#include "UnattendedRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

using namespace e2e;

namespace {

// The text in Shift-JIS, the bytes a Japanese system's ANSI functions take.
std::string Sjis(const wchar_t* text) {
    char bytes[256] = {};
    const int size = WideCharToMultiByte(932, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, size > 0 ? size - 1 : 0);
}

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& entry) { names.insert(entry.cFileName); });
    return names;
}

class CodePage932 : public Unattended {
  protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u) << "run this program with tools/wine-run.sh --code-page 932";
        Unattended::SetUp();
    }
};

TEST_F(CodePage932, InstallsFromAndIntoFoldersEndingInABackslashTrailByte) {
    const std::string source = dist_ / Sjis(L"ソフト表");
    const std::string products = dist_ / Sjis(L"製品");
    const std::string dest = products + "\\" + Sjis(L"機能表");
    const std::string chart = Sjis(L"グラフ・図表");
    ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr));
    CopyDistribution(source);
    WriteTextFile(source + "\\Setup.INI",
                  Section("Alpha", "Alpha.msi") +
                      Section(chart, "Gamma.msi", "SetupFileSubFolder=1\r\n"));

    EXPECT_EQ(RunIn(source, Quiet("/msilogs /dir \"" + dest + "\"")), 0u) << Log();
    EXPECT_TRUE(Installed(Alpha) && Installed(Gamma)) << Log();
    EXPECT_TRUE(FileIsThere(dest + "\\SetupFiles\\Alpha.msi"));
    EXPECT_THAT(Entries(dest + "\\SetupFiles\\" + chart), ::testing::ElementsAre("Gamma.msi"));
    EXPECT_TRUE(FileIsThere(dest + "\\Logs\\" + chart + ".log"));
    // Nothing beside the destination: no folder cut at a trail byte, no "機能表SetupFiles".
    EXPECT_THAT(Entries(products), ::testing::ElementsAre(Sjis(L"機能表")));
}

TEST_F(CodePage932, AcceptsADestinationHoldingABarTrailByte) {
    Configure(Section("Alpha", "Alpha.msi"));
    const std::string dest = dist_ / Sjis(L"製品\\ポータル");
    EXPECT_EQ(Run(Quiet("/dir \"" + dest + "\"")), 0u) << Log();
    EXPECT_TRUE(FileIsThere(dest + "\\SetupFiles\\Alpha.msi"));
}

// ツール and イール differ only in their first trail byte (0x83 0x63, 0x83 0x43): folded byte by
// byte they would be one name.
TEST_F(CodePage932, TellsApartSectionsThatDifferOnlyInATrailByte) {
    Configure(Section(Sjis(L"ツール"), "Alpha.msi") + Section(Sjis(L"イール"), "Beta.msi"));
    EXPECT_EQ(Run(Quiet("/components " + Sjis(L"イール"))), 0u) << Log();
    EXPECT_TRUE(Installed(Beta));
    EXPECT_FALSE(Installed(Alpha));
    // The distribution check sees two sections as well, none repeated.
    const std::string report = dist_ / "verify.txt";
    std::string command = dist_ / "Setup.exe";
    command.insert(0, 1, '"').append("\" /verify /log \"").append(report).append("\"");
    EXPECT_EQ(RunToEnd(command, 60000), 0u) << ReadTextFile(report);
}

} // namespace
