// The progress page's life while installing: another thread sends it WM_NULL every 10 ms, as a
// program broadcasting to every window does; the longest round trip is the figure. First the
// scripted service reports every 20 ms for 3 s, as Windows does while copying files, against a
// page that serves no messages; then a real package of many files under Wine, beside the longest
// gap between the service's own messages. Prints two rows.
// usage: PageBench PACKAGE_FOLDER
#include "BenchCommon.h"
#include "InstallationRun.h"
#include "MsiFunctions.h"
#include "ProgressPage.h"
#include "RecordedRows.h"
#include "RoundTrip.h"
#include "ScriptedMsi.h"
#include "Session.h"
#include "Staging.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr const char* BulkyProductCode = "{9E736B21-FA05-4642-BB40-1532FC1C3A0A}";

// The baseline page: its rows change, but it serves no messages.
class SilentPage : public RecordedRows {
  public:
    using RecordedRows::RecordedRows;
    bool ServeWaitingMessages() override { return false; }
};

// The page, timing the gaps between the service's calls that reach it.
class TimedPage : public RecordedRows {
  public:
    using RecordedRows::RecordedRows;
    bool ServeWaitingMessages() override {
        const double now = Seconds();
        if (last_ > 0)
            LongestGap = std::max(LongestGap, now - last_);
        last_ = now;
        return RecordedRows::ServeWaitingMessages();
    }
    double LongestGap = 0;

  private:
    double last_ = 0;
};

// The longest WM_NULL round trip to the page during run(), in seconds.
double LongestRoundTrip(HWND page, const std::function<void()>& run) {
    return support::TimeRoundTrips(page, run).LongestMs / 1000;
}

void UseCatalogue(const char* fileName) {
    InstallSession.Components = std::make_unique<ComponentEntry[]>(1);
    InstallSession.ComponentCount = 1;
    InstallSession.Components[0].Description = fileName;
    InstallSession.Components[0].MSIFileName = fileName;
    InstallSession.Components[0].Selected = true;
}

double ScriptedRun(ProgressPage& page, bool serving) {
    ScriptedMsi msi;
    Script.Messages.push_back({INSTALLMESSAGE_PROGRESS, {0, 150, 0, 0}, ""});
    for (int i = 0; i < 150; ++i)
        Script.Messages.push_back({INSTALLMESSAGE_PROGRESS, {2, 1, 0, 0}, ""});
    Script.MessageIntervalMs = 20;
    page.Show();
    const double longest = LongestRoundTrip(page.Handle, [&] {
        if (serving) {
            RecordedRows rows(page);
            RunInstallation(rows);
        } else {
            SilentPage rows(page);
            RunInstallation(rows);
        }
    });
    page.Hide();
    return longest;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: PageBench PACKAGE_FOLDER\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!LoadMsiFunctions()) {
        std::fprintf(stderr, "PageBench: Windows Installer is not available\n");
        return 1;
    }
    const std::string destination = FreshBenchFolder("page");
    SetDestinationFolder(destination);
    ProgressPage page;

    UseCatalogue("Scripted.msi");
    const double silent = ScriptedRun(page, false);
    const double served = ScriptedRun(page, true);
    PrintRow("Page response during an install that reports progress every 20 ms for 3 s "
             "(longest WM_NULL round trip, sent every 10 ms from another thread)",
             FormatMilliseconds(served),
             FormatMilliseconds(silent) + " (the page serving no messages)",
             FormatRatio(served / silent), "at most 100 ms", served <= 0.1);

    UseCatalogue("BenchBulky.msi");
    StageSetupFilesFrom(argv[1]);
    page.Show();
    TimedPage rows(page);
    const double real = LongestRoundTrip(page.Handle, [&] { RunInstallation(rows); });
    page.Hide();
    const bool installed = InstallSession.Components[0].Succeeded;
    Msi.MsiConfigureProductA(BulkyProductCode, 0, INSTALLSTATE_ABSENT);
    std::printf("| The same with a real package of 2,000 files under Wine (context) | %s | %s "
                "(longest gap between the service's own messages) | - | - | %s |\n",
                FormatMilliseconds(real).c_str(), FormatMilliseconds(rows.LongestGap).c_str(),
                installed ? "-" : "NO: the package did not install");
    RemoveFolderTree(destination);
    return installed ? 0 : 1;
}
