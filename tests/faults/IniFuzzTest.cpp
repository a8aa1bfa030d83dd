// Generated configuration files loaded and shown on the selection page: most in this process,
// the biggest in processes of their own, where a crash or detected overflow is only counted.
#include "FaultTally.h"
#include "FuzzRunner.h"
#include "IniGenerator.h"
#include "SelectionPage.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr unsigned Seed = 20261208;
// No single file may take longer than this to load and show.
constexpr double MaxSecondsPerFile = 5.0;
constexpr const char* FileArgument = "--nvn-fuzz-file=";

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Two files in every 2,500 are big: a line of a megabyte or thousands of sections.
bool IsBig(int serial) {
    return serial % 2500 == 3 || serial % 2500 == 4;
}

IniKind KindOf(int serial) {
    if (serial % 2500 == 3)
        return IniKind::HugeLine;
    if (serial % 2500 == 4)
        return IniKind::ManySections;
    return static_cast<IniKind>(serial % static_cast<int>(IniKind::KindCount));
}

// The test run's share, or the variable's count (tools/faults.sh: 10,000 and a few hundred).
int FileCount(const char* variable, int testRunShare) {
    const char* count = std::getenv(variable);
    return count ? std::atoi(count) : testRunShare;
}

TEST(IniFuzz, GeneratedFilesLoadAndShowInOneProcess) {
    const int files = FileCount("NVN_FAULT_INI_FILES", 1500);
    InitPageControls();
    SelectionPage page;
    ScratchFolder folder;
    const std::string file = folder / "Setup.INI";
    std::mt19937 random(Seed);
    double slowest = 0;
    int failures = 0;
    for (int serial = 0; serial < files; ++serial) {
        const IniKind kind = KindOf(serial);
        WriteTextFile(file, GenerateIni(random, kind, IsBig(serial)));
        DateBack(file, serial);
        const auto start = std::chrono::steady_clock::now();
        const std::string problem = LoadAndShow(file, page);
        const double seconds = SecondsSince(start);
        slowest = std::max(slowest, seconds);
        ++Tally.Cases;
        if (!problem.empty() || seconds > MaxSecondsPerFile) {
            ADD_FAILURE() << "file " << serial << " (" << IniKindName(kind) << "): "
                          << (problem.empty() ? "took " + std::to_string(seconds) + " s" : problem);
            if (++failures == 10)
                return;
        }
    }
    std::printf("ini fuzz: %d files in one process, slowest %.3f s\n", files, slowest);
}

// A child's exit code: abort(), as the stack protector and fortified functions call it, gives 3.
enum class ChildEnd { Passed, CheckFailed, Aborted, Crashed };

ChildEnd Classify(DWORD code) {
    switch (code) {
    case 0:
        return ChildEnd::Passed;
    case 1:
        return ChildEnd::CheckFailed;
    case 3:
        return ChildEnd::Aborted;
    default:
        return ChildEnd::Crashed;
    }
}

struct Child {
    PROCESS_INFORMATION process = {};
    std::string file;
};

Child StartChild(const std::string& file) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine = std::string("\"") + program + "\" --gtest_filter=IniFuzzChild.* \"" +
                              FileArgument + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    Child child;
    child.file = file;
    if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child.process))
        child.process.hProcess = nullptr;
    return child;
}

DWORD FinishChild(Child& child) {
    if (!child.process.hProcess)
        return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFF;
    if (WaitForSingleObject(child.process.hProcess, 60000) != WAIT_OBJECT_0)
        TerminateProcess(child.process.hProcess, 0xFE);
    WaitForSingleObject(child.process.hProcess, 5000);
    GetExitCodeProcess(child.process.hProcess, &code);
    CloseHandle(child.process.hThread);
    CloseHandle(child.process.hProcess);
    return code;
}

TEST(IniFuzz, BigFilesInProcessesOfTheirOwn) {
    ScratchFolder folder;
    std::mt19937 random(Seed + 1);
    const int count = FileCount("NVN_FAULT_CHILD_FILES", 16);
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        // Every third file is big; the rest cycle through the kinds.
        const bool big = i % 3 == 0;
        const IniKind kind = big ? (i % 2 ? IniKind::ManySections : IniKind::HugeLine)
                                 : static_cast<IniKind>(i % static_cast<int>(IniKind::KindCount));
        const std::string file = folder / ("fuzz" + std::to_string(i) + ".INI");
        WriteTextFile(file, GenerateIni(random, kind, big));
        DateBack(file, i);
        files.push_back(file);
    }
    // Two at a time, one per core.
    int crashes = 0, aborts = 0, failed = 0;
    for (size_t i = 0; i < files.size(); i += 2) {
        std::vector<Child> running;
        for (size_t j = i; j < files.size() && j < i + 2; ++j)
            running.push_back(StartChild(files[j]));
        for (Child& child : running) {
            const DWORD code = FinishChild(child);
            ++Tally.Cases;
            switch (Classify(code)) {
            case ChildEnd::Passed:
                break;
            case ChildEnd::CheckFailed:
                ++failed;
                ADD_FAILURE() << child.file << " failed its checks";
                break;
            case ChildEnd::Aborted:
                ++aborts;
                ++Tally.Overflows;
                ADD_FAILURE() << child.file << " aborted (overflow detected)";
                break;
            case ChildEnd::Crashed:
                ++crashes;
                ++Tally.Crashes;
                ADD_FAILURE() << child.file << " crashed or hung, exit code " << std::hex << code;
                break;
            }
        }
    }
    std::printf("ini fuzz: %d files in processes of their own: %d crashes, %d aborts, %d failed "
                "checks\n",
                count, crashes, aborts, failed);
}

// Works only as a child of the test above, with the file on the command line.
TEST(IniFuzzChild, LoadsTheFileNamedOnTheCommandLine) {
    const std::string commandLine = GetCommandLineA();
    const size_t at = commandLine.find(FileArgument);
    if (at == std::string::npos)
        GTEST_SKIP() << "run by IniFuzz.BigFilesInProcessesOfTheirOwn";
    std::string file = commandLine.substr(at + std::strlen(FileArgument));
    file = file.substr(0, file.find('"'));
    InitPageControls();
    SelectionPage page;
    EXPECT_EQ(LoadAndShow(file, page), "");
}

} // namespace
