// Start-up time from CreateProcess to the first page on screen: the installer's welcome page
// against the baseline window program, started alternately the same way. Prints one table row.
// usage: StartupBench SETUP_EXE BASELINE_EXE [RUNS]
#include "BenchCommon.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const WelcomeTitle = "Welcome to the Norvane Component Installer!";

struct WindowSearch {
    DWORD processId;
    const char* caption;
    const char* childText; // null: any window with the caption
    bool found;
};

BOOL CALLBACK FindChild(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    char text[256] = {};
    GetWindowTextA(child, text, sizeof text);
    if (std::string(text) == search->childText) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindTop(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(caption) != search->caption)
        return TRUE;
    if (!search->childText) {
        search->found = true;
        return FALSE;
    }
    EnumChildWindows(window, FindChild, parameter);
    return search->found ? FALSE : TRUE;
}

// Starts the program in its own folder and returns the seconds until its
// window shows; the program is ended afterwards. Negative on failure.
double TimeToWindow(const std::string& program, const char* caption, const char* childText,
                    const char* argument = "") {
    const std::string folder = program.substr(0, program.find_last_of('\\'));
    std::string commandLine = "\"" + program + "\" " + argument;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = Seconds();
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return -1;
    double elapsed = -1;
    while (Seconds() - start < 30) {
        WindowSearch search{process.dwProcessId, caption, childText, false};
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            elapsed = Seconds() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

// A distribution with the installer and three components, so start-up does all it does for a user.
std::string MakeDistribution(const std::string& setupExe) {
    const std::string folder = FreshBenchFolder("startup");
    const std::string setup = folder + "\\Setup.exe";
    CopyFileA(setupExe.c_str(), setup.c_str(), FALSE);
    std::string ini;
    for (int i = 1; i <= 3; ++i)
        ini += "[Component" + std::to_string(i) + "]\r\nComponentDescription=Component " +
               std::to_string(i) + "\r\nVersion=1.0\r\nSize=1000\r\nMSIFileName=Component" +
               std::to_string(i) + ".msi\r\n";
    WriteWholeFile(folder + "\\Setup.INI", ini);
    return setup;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: StartupBench SETUP_EXE BASELINE_EXE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 12;
    const std::string setup = MakeDistribution(argv[1]);
    const std::string baseline = argv[2];

    // One unmeasured start of each warms the file cache and Wine's DLLs.
    TimeToWindow(baseline, "Norvane Bench Baseline", nullptr);
    TimeToWindow(setup, "Norvane Component Installer", WelcomeTitle);

    // The programs take turns, so that a noisy spell hits all of them.
    std::vector<double> ours, base, withMsi;
    for (int i = 0; i < runs; ++i) {
        const double b = TimeToWindow(baseline, "Norvane Bench Baseline", nullptr);
        const double m = TimeToWindow(baseline, "Norvane Bench Baseline", nullptr, "msi");
        const double o = TimeToWindow(setup, "Norvane Component Installer", WelcomeTitle);
        if (b < 0 || m < 0 || o < 0) {
            std::fprintf(stderr, "StartupBench: a program did not show its window\n");
            return 1;
        }
        base.push_back(b);
        withMsi.push_back(m);
        ours.push_back(o);
    }
    const double ratio = Median(ours) / Median(base);
    PrintRow("Start-up to the welcome page (median of " + std::to_string(runs) + ")",
             FormatMilliseconds(Median(ours)), FormatMilliseconds(Median(base)), FormatRatio(ratio),
             "at most 1.2", ratio <= 1.2);
    // What the earlier-package check alone costs a bare window: the gap no page work can remove.
    const double msiRatio = Median(ours) / Median(withMsi);
    PrintRow("Start-up, against a bare window that first loads msi.dll and queries six products",
             FormatMilliseconds(Median(ours)), FormatMilliseconds(Median(withMsi)),
             FormatRatio(msiRatio), "(for comparison)", msiRatio <= 1.2);
    RemoveFolderTree(setup.substr(0, setup.find_last_of('\\')));
    return 0;
}
