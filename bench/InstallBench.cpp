// Installation run time: ten small packages through RunInstallation against the same ten
// MsiInstallProductA calls in a bare loop, rounds alternating, products removed after each.
// Prints one row.
// usage: InstallBench PACKAGE_FOLDER [ROUNDS]
#include "BenchCommon.h"
#include "BenchPackages.h"
#include "InstallationRun.h"
#include "MsiFunctions.h"
#include "Session.h"
#include "Staging.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The progress page's rows, for the run: one per selected component.
class BenchRows : public ProgressRows {
  public:
    int RowCount() override { return InstallSession.ComponentCount; }
    ComponentEntry& RowEntry(int row) override { return InstallSession.Components[row]; }
    void SetRowImage(int, int) override {}
    void SetRowStatus(int, const std::string&) override {}
    void MakeRowVisible(int) override {}
};

constexpr int PackageCount = sizeof BenchPackages / sizeof BenchPackages[0];

void LoadBenchCatalogue() {
    InstallSession.Components = std::make_unique<ComponentEntry[]>(PackageCount);
    InstallSession.ComponentCount = PackageCount;
    for (int i = 0; i < PackageCount; ++i) {
        ComponentEntry& entry = InstallSession.Components[i];
        entry.Description = BenchPackages[i].FileName;
        entry.MSIFileName = BenchPackages[i].FileName;
        entry.Selected = true;
    }
}

// Every product of the benchmark off the machine; false when one stays.
bool RemoveProducts() {
    bool removed = true;
    for (const BenchPackage& package : BenchPackages) {
        const INSTALLSTATE state = MsiQueryProductStateA(package.ProductCode);
        if (ProductIsPresent(state))
            removed =
                MsiConfigureProductA(package.ProductCode, 0, INSTALLSTATE_ABSENT) == 0 && removed;
    }
    return removed;
}

int SucceededCount() {
    int count = 0;
    for (int i = 0; i < PackageCount; ++i)
        count += InstallSession.Components[i].Succeeded ? 1 : 0;
    return count;
}

double TimeOurRun() {
    BenchRows rows;
    for (int i = 0; i < PackageCount; ++i)
        InstallSession.Components[i].Succeeded = false;
    const double start = Seconds();
    RunInstallation(rows);
    const double elapsed = Seconds() - start;
    return SucceededCount() == PackageCount ? elapsed : -1;
}

// The same installations as the run makes, without anything around them.
double TimeBareLoop(const std::string& destination) {
    const std::string commandLine = "INSTALLDIR=\"" + destination + "\" NVN_CAME_LAUNCHER=1";
    const double start = Seconds();
    MsiSetInternalUI(INSTALLUILEVEL_BASIC, nullptr);
    int installed = 0;
    for (const BenchPackage& package : BenchPackages) {
        const std::string path = destination + "\\SetupFiles\\" + package.FileName;
        installed += MsiInstallProductA(path.c_str(), commandLine.c_str()) == 0 ? 1 : 0;
    }
    const double elapsed = Seconds() - start;
    return installed == PackageCount ? elapsed : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: InstallBench PACKAGE_FOLDER [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    if (!LoadMsiFunctions()) {
        std::fprintf(stderr, "InstallBench: Windows Installer is not available\n");
        return 1;
    }
    const std::string destination = FreshBenchFolder("install");
    SetDestinationFolder(destination);
    LoadBenchCatalogue();
    StageSetupFilesFrom(argv[1]);
    RemoveProducts();

    std::vector<double> ours, bare;
    // The first round of each warms the service and is not counted.
    for (int round = -1; round < rounds; ++round) {
        // Alternate which goes first so neither always finds a warmer service.
        double o, b;
        if (round % 2 == 0) {
            o = TimeOurRun();
            RemoveProducts();
            b = TimeBareLoop(destination);
        } else {
            b = TimeBareLoop(destination);
            RemoveProducts();
            o = TimeOurRun();
        }
        if (!RemoveProducts() || o < 0 || b < 0) {
            std::fprintf(stderr, "InstallBench: an installation or removal failed\n");
            return 1;
        }
        if (round >= 0) {
            ours.push_back(o);
            bare.push_back(b);
        }
    }
    const double ratio = Median(ours) / Median(bare);
    PrintRow("Installation run, 10 packages (median of " + std::to_string(rounds) + ")",
             FormatMilliseconds(Median(ours)), FormatMilliseconds(Median(bare)), FormatRatio(ratio),
             "at most 1.03", ratio <= 1.03);
    RemoveFolderTree(destination);
    return 0;
}
