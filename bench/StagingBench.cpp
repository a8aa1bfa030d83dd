// Staging time: StageSetupFilesFrom copying one package into the staging folder of a destination.
// Prints the seconds; tools/bench.sh times cp on the same file and disk alongside.
// usage: StagingBench SOURCE_FOLDER DESTINATION PACKAGE_FILE_NAME
#include "BenchCommon.h"
#include "Session.h"
#include "Staging.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: StagingBench SOURCE_FOLDER DESTINATION PACKAGE\n");
        return 2;
    }
    InstallSession.Components = std::make_unique<ComponentEntry[]>(1);
    InstallSession.ComponentCount = 1;
    ComponentEntry& entry = InstallSession.Components[0];
    entry.Description = "Large Component";
    entry.MSIFileName = argv[3];
    entry.Selected = true;
    SetDestinationFolder(argv[2]);

    const double start = Seconds();
    StageSetupFilesFrom(argv[1]);
    const double elapsed = Seconds() - start;

    std::string staged = argv[2];
    staged += "\\SetupFiles\\";
    staged += argv[3];
    if (GetFileAttributesA(staged.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "StagingBench: nothing was staged at %s\n", staged.c_str());
        return 1;
    }
    std::printf("%.6f\n", elapsed);
    return 0;
}
