// Catalogue scale: 10 to 5,000 components loaded by LoadConfiguration and shown by
// FillComponentList on the real selection page, in-process; growth judged against a straight line
// through the 100-component figure, loading also against one GetPrivateProfileStringA per setting.
// usage: ScaleBench
#include "BenchCommon.h"
#include "Configuration.h"
#include "Session.h"
#include "SelectionPage.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

std::string Catalogue(int components) {
    std::string text;
    for (int i = 0; i < components; ++i) {
        const std::string n = std::to_string(i);
        text += "[Component " + n + "]\r\nComponentDescription=Norvane Component " + n +
                "\r\nComponentImageIndex=" + std::to_string(i % 11) + "\r\nVersion=1." + n +
                "\r\nSize=" + std::to_string(1000 + i) + "\r\nMSIFileName=Component" + n +
                ".msi\r\nRequired=" + (i % 7 == 0 ? "1" : "0") + "\r\nSetupFileSubFolder=1\r\n";
    }
    return text;
}

// The profile functions reread a file changed in the last seconds at every call; a real
// configuration is older, so the benchmark's files are dated back an hour.
void DateBack(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= 36000000000ull;
    FILETIME past{time.LowPart, time.HighPart};
    SetFileTime(file, nullptr, nullptr, &past);
    CloseHandle(file);
}

// The baseline: one profile call per setting instead of whole sections.
void LoadOneCallPerSetting(const std::string& file) {
    std::vector<char> names(1 << 20);
    const DWORD length = GetPrivateProfileSectionNamesA(
        names.data(), static_cast<DWORD>(names.size()), file.c_str());
    const char* const settings[] = {
        "ComponentImageIndex", "ComponentDescription", "Version", "Size", "MSIFileName", "Required",
        "SetupFileSubFolder"};
    for (size_t pos = 0; pos < length && names[pos]; pos += strlen(&names[pos]) + 1)
        for (const char* setting : settings) {
            char value[2048];
            GetPrivateProfileStringA(&names[pos], setting, "", value, sizeof value, file.c_str());
        }
}

struct Figures {
    double load, fill, reference;
};

Figures Measure(SelectionPage& page, const std::string& file, int components) {
    std::vector<double> load, fill, reference;
    const int runs = components >= 1000 ? 3 : 5;
    for (int run = 0; run < runs; ++run) {
        FreeComponents();
        double start = Seconds();
        if (!LoadConfigurationFrom(file) || InstallSession.ComponentCount != components)
            std::fprintf(stderr, "ScaleBench: the catalogue of %d did not load\n", components);
        load.push_back(Seconds() - start);
        start = Seconds();
        page.FillComponentList();
        fill.push_back(Seconds() - start);
        // One call per setting takes seconds at 5,000, so it is compared up to 1,000.
        if (components <= 1000) {
            start = Seconds();
            LoadOneCallPerSetting(file);
            reference.push_back(Seconds() - start);
        }
    }
    FreeComponents();
    return {Median(load), Median(fill), Median(reference)};
}

} // namespace

int main() {
    const std::string folder = FreshBenchFolder("scale");
    auto page = std::make_unique<SelectionPage>();
    page->MakeWindow(); // never shown: its window and list are made here
    const int sizes[] = {10, 100, 1000, 5000};
    std::vector<Figures> figures;
    for (int components : sizes) {
        const std::string file = folder + "\\Setup" + std::to_string(components) + ".INI";
        WriteWholeFile(file, Catalogue(components));
        DateBack(file);
        figures.push_back(Measure(*page, file, components));
    }

    const Figures& hundred = figures[1];
    const double perComponent = (hundred.load + hundred.fill) / 100;
    for (size_t i = 0; i < figures.size(); ++i) {
        const int n = sizes[i];
        const double total = figures[i].load + figures[i].fill;
        const double linear = perComponent * n;
        const double ratio = total / linear;
        const bool under = n != 1000 || total < 0.5;
        PrintRow("Catalogue of " + std::to_string(n) + ": load " +
                     FormatMilliseconds(figures[i].load) + " + fill " +
                     FormatMilliseconds(figures[i].fill),
                 FormatMilliseconds(total), FormatMilliseconds(linear) + " (linear from 100)",
                 FormatRatio(ratio), n == 1000 ? "linear (at most 1.5), under 0.5 s" : "linear",
                 (n < 100 || ratio <= 1.5) && under);
    }
    const Figures& thousand = figures[2];
    PrintRow("Loading 1,000 components, one profile call per section",
             FormatMilliseconds(thousand.load),
             FormatMilliseconds(thousand.reference) + " (one call per setting)",
             FormatRatio(thousand.load / thousand.reference), "(for comparison)", true);
    page.reset();
    RemoveFolderTree(folder);
    return 0;
}
