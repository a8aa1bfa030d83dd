// The command-line grammar: what is accepted, what is refused and why, the
// splitting of the wide command line, and thousands of random lines.
#include "CommandLine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, AcceptsTheGrammarInAnyCaseWithEitherPrefix) {
    EXPECT_TRUE(ParseCommandLine({}).Valid());
    EXPECT_FALSE(ParseCommandLine({}).Unattended());

    const CommandLineOptions full =
        ParseCommandLine({"-PASSIVE", "/AcceptLicense", "/Dir", "C:\\Program Files\\Norvane",
                          "-components", " Core , data ,Docs", "/MSILOGS", "/log", "install.log"});
    EXPECT_TRUE(full.Valid()) << full.Error;
    EXPECT_TRUE(full.Passive && full.AcceptLicense && full.MsiLogs && full.Unattended());
    EXPECT_FALSE(full.Quiet || full.Help);
    EXPECT_EQ(full.Destination, "C:\\Program Files\\Norvane");
    EXPECT_EQ(full.Components, Arguments({"Core", "data", "Docs"}));
    EXPECT_EQ(full.RunLogFile, "install.log");

    const CommandLineOptions quiet =
        ParseCommandLine({"/quiet", "-acceptlicense", "/dir", "\\\\server\\share\\Norvane"});
    EXPECT_TRUE(quiet.Valid()) << quiet.Error;
    EXPECT_TRUE(quiet.Quiet && quiet.Unattended());

    EXPECT_TRUE(ParseCommandLine({"/?"}).Help);
    EXPECT_TRUE(ParseCommandLine({"-HELP"}).Help);
    // Without /quiet or /passive the licence option is allowed and unused.
    EXPECT_TRUE(ParseCommandLine({"/acceptlicense", "/log", "x"}).Valid());
    const CommandLineOptions verify = ParseCommandLine({"-Verify", "/log", "x"});
    EXPECT_TRUE(verify.Verify && verify.Valid()) << verify.Error;

    // /uninstall needs no licence, with or without a window; /norestart goes
    // with every run; "/" in a folder is read as "\".
    for (const Arguments& arguments :
         {Arguments{"/uninstall"}, Arguments{"/uninstall", "/quiet", "/components", "Data"},
          Arguments{"-UNINSTALL", "/passive", "/norestart", "/dir", "C:/Norvane"},
          Arguments{"/quiet", "/acceptlicense", "/norestart"}}) {
        const CommandLineOptions options = ParseCommandLine(arguments);
        EXPECT_TRUE(options.Valid()) << arguments[0] << ": " << options.Error;
    }
    EXPECT_EQ(ParseCommandLine({"/dir", "C:/Program Files/Norvane/"}).Destination,
              "C:\\Program Files\\Norvane\\");
    EXPECT_EQ(ParseCommandLine({"/dir", "//srv/share/N"}).Destination, "\\\\srv\\share\\N");
}

TEST(CommandLine, RefusesFaultsNamingTheArgument) {
    const std::string longFolder = "C:\\" + std::string(257, 'a');
    const struct {
        Arguments arguments;
        const char* named; // the error text holds this
    } cases[] = {
        {{"/bogus"}, "\"/bogus\""},
        {{"--quiet"}, "\"--quiet\""},
        {{"/"}, "\"/\""},
        {{"quiet"}, "\"quiet\""},
        {{""}, "\"\""},
        {{"/dir"}, "\"/dir\" needs a value"},
        {{"/dir", "/quiet"}, "\"/dir\" needs a value"},
        {{"/log", ""}, "\"/log\" needs a value"},
        {{"/components"}, "\"/components\" needs a value"},
        {{"/msilogs", "/MsiLogs"}, "\"/MsiLogs\" is given more than once"},
        {{"/?", "/help"}, "\"/help\" is given more than once"},
        {{"/log", "a", "/log", "b"}, "\"/log\" is given more than once"},
        {{"/quiet", "/passive", "/acceptlicense"}, "/quiet and /passive"},
        {{"/quiet"}, "/quiet needs /acceptlicense"},
        {{"/verify", "/dir", "C:\\x"}, "/verify checks the distribution"},
        {{"/verify", "/uninstall"}, "/verify checks the distribution"},
        {{"/uninstall", "/msilogs"}, "/uninstall removes components"},
        {{"/uninstall", "/quiet", "/acceptlicense"}, "/uninstall removes components"},
        {{"/removalsource", "C:\\x"}, "/removalsource is only used by /uninstall"},
        {{"/norestart", "/norestart"}, "\"/norestart\" is given more than once"},
        {{"/passive", "/dir", "C:\\x"}, "/passive needs /acceptlicense"},
        {{"/dir", "Norvane"}, "\"Norvane\" of /dir is not an absolute path"},
        {{"/dir", "C:Norvane"}, "\"C:Norvane\" of /dir"},
        {{"/dir", "\\Norvane"}, "\"\\Norvane\" of /dir"},
        {{"/dir", "\\\\server"}, "\"\\\\server\" of /dir"},
        {{"/dir", "\\\\\\share"}, "of /dir"},
        {{"/dir", "C:\\a?b"}, "\"C:\\a?b\" of /dir"},
        {{"/dir", "C:\\a:b"}, "\"C:\\a:b\" of /dir"},
        {{"/dir", longFolder}, "is longer than 259 characters"},
        {{"/components", "Core,,Data"}, "\"Core,,Data\" of /components holds an empty name"},
        {{"/components", "Core, "}, "holds an empty name"},
    };
    for (const auto& c : cases) {
        const CommandLineOptions options = ParseCommandLine(c.arguments);
        EXPECT_FALSE(options.Valid()) << c.named;
        EXPECT_NE(options.Error.find(c.named), std::string::npos)
            << "expected \"" << c.named << "\" in: " << options.Error;
    }
    // 259 characters are still a folder.
    EXPECT_TRUE(ParseCommandLine({"/dir", longFolder.substr(0, 259)}).Valid());
}

TEST(CommandLine, KeepsTheFirstFaultAndStillReadsTheRunLog) {
    const CommandLineOptions options =
        ParseCommandLine({"/quiet", "/bogus", "/log", "C:\\run.log", "stray"});
    EXPECT_NE(options.Error.find("/bogus"), std::string::npos) << options.Error;
    EXPECT_EQ(options.RunLogFile, "C:\\run.log");
    EXPECT_TRUE(options.Quiet); // no box for a line that asked for a quiet run
}

TEST(CommandLine, SplitsTheWideLineWithQuotesThatGroupAndPlainBackslashes) {
    const struct {
        const wchar_t* line;
        Arguments arguments;
    } cases[] = {
        // A folder with its closing backslash keeps every option after it.
        {L"\"C:\\Dist\\Setup.exe\" /dir \"C:\\Program Files\\Norvane\\\" /components Core "
         L"/log C:\\x.log",
         {"/dir", "C:\\Program Files\\Norvane\\", "/components", "Core", "/log", "C:\\x.log"}},
        {L"Setup.exe /log a\\\\\"b c\"d", {"/log", "a\\\\b cd"}},
        {L"Setup.exe\t/log \"\"  \"x\"\t", {"/log", "", "x"}},
        {L"\"C:\\A B\\Setup.exe\"/quiet", {"/quiet"}},
        {L"Setup.exe", {}},
        {L"", {}},
    };
    for (const auto& c : cases) {
        std::string unconvertible;
        EXPECT_EQ(SplitCommandLine(c.line, &unconvertible), c.arguments);
        EXPECT_EQ(unconvertible, "");
    }
    // A character the ANSI code page lacks is reported with its argument.
    std::string unconvertible;
    const Arguments split = SplitCommandLine(L"Setup.exe /dir C:\\\x4E2D\x6587", &unconvertible);
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(unconvertible, split[1]);
    EXPECT_NE(unconvertible.find('?'), std::string::npos) << unconvertible;
}

TEST(CommandLine, NoticesTheSilentSwitchesOfEveryKindOfInstaller) {
    const std::pair<Arguments, bool> cases[] = {
        {{"/qn"}, true},         {{"/QB!"}, true},
        {{"-q"}, true},          {{"/s"}, true},
        {{"/S"}, true},          {{"/silent"}, true},
        {{"/VERYSILENT"}, true}, {{"/passive"}, true},
        {{"-passive!"}, true},   {{"/x", "{0}", "/qn"}, true},
        {{"/sp-"}, false},       {{"/dir", "C:\\q"}, false},
        {{"/log", "s"}, false},  {{"/save"}, false},
        {{"/uninstall"}, false},
    };
    for (const auto& [arguments, silent] : cases)
        EXPECT_EQ(ParseCommandLine(arguments).SilentSwitch, silent) << arguments.back();
}

// The argument as a command line carries it: in double quotes, everything
// else as it is (no argument holds a double quote).
std::wstring QuoteArgument(const std::string& argument) {
    std::wstring wide(argument.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, argument.data(), static_cast<int>(argument.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    return L"\"" + wide + L"\"";
}

TEST(CommandLine, ThousandsOfRandomLinesParseSafelyAndOnlyValidOnesPass) {
    std::mt19937 random(20261208);
    const std::vector<std::string> words = {"/quiet",
                                            "-QUIET",
                                            "/passive",
                                            "/acceptlicense",
                                            "-AcceptLicense",
                                            "/dir",
                                            "-DIR",
                                            "/components",
                                            "/msilogs",
                                            "/log",
                                            "/?",
                                            "-help",
                                            "/x",
                                            "quiet",
                                            "",
                                            "C:\\Norvane",
                                            "\\\\srv\\share",
                                            "rel",
                                            "Core,Data",
                                            ",",
                                            "C:\\a\\b\\",
                                            "-",
                                            "/dir/quiet"};
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    int valid = 0, unattended = 0;
    for (int round = 0; round < 4000; ++round) {
        // Half the lines start as a valid unattended run would.
        Arguments arguments;
        if (pick(2) == 0)
            arguments = {pick(2) ? "/quiet" : "/passive", "/acceptlicense"};
        const size_t count = pick(8);
        for (size_t i = 0; i < count; ++i) {
            if (pick(4) > 0) {
                arguments.push_back(words[pick(words.size())]);
                continue;
            }
            // Random bytes, non-ASCII ones included, now and then very long.
            std::string junk(pick(5) == 0 ? 300 + pick(3000) : pick(12), ' ');
            for (char& c : junk)
                c = static_cast<char>(1 + pick(255));
            std::replace(junk.begin(), junk.end(), '"', '\'');
            arguments.push_back(junk);
        }
        // The arguments survive the trip through a wide command line.
        std::wstring line = L"Setup.exe";
        for (const std::string& argument : arguments)
            line += L" " + QuoteArgument(argument);
        std::string unconvertible;
        ASSERT_EQ(SplitCommandLine(line.c_str(), &unconvertible), arguments);
        ASSERT_EQ(unconvertible, "");

        const CommandLineOptions options = ParseCommandLine(arguments);
        ASSERT_EQ(options.Valid(), options.Error.empty());
        if (!options.Valid())
            continue;
        ++valid;
        // What a valid line promises the installer.
        ASSERT_FALSE(options.Quiet && options.Passive);
        if (options.Unattended()) {
            ++unattended;
            ASSERT_TRUE(options.AcceptLicense);
        }
        if (options.Destination) {
            ASSERT_TRUE(IsAbsoluteFolder(*options.Destination));
            ASSERT_LE(options.Destination->size(), 259u);
        }
        for (const std::string& name : options.Components)
            ASSERT_TRUE(!name.empty() && name.front() != ' ' && name.back() != ' ');
        ASSERT_EQ(options.ComponentList.has_value(), !options.Components.empty());
    }
    // The generator reaches both kinds of line.
    EXPECT_GT(valid, 100);
    EXPECT_GT(unattended, 10);
}

} // namespace
