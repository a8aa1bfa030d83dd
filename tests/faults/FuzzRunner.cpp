// One generated file through the loader and the selection page.
#include "FuzzRunner.h"

#include "Configuration.h"
#include "Session.h"
#include "SelectionPage.h"
#include "core/SessionReset.h"

#include <commctrl.h>

void DateBack(const std::string& path, long serial) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= (3600ull + static_cast<unsigned long long>(serial)) * 10000000ull;
    FILETIME past{time.LowPart, time.HighPart};
    SetFileTime(file, nullptr, nullptr, &past);
    CloseHandle(file);
}

void InitPageControls() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

namespace {

std::string CheckEntry(const ComponentEntry& entry, int index) {
    const std::string where = "entry " + std::to_string(index) + ": ";
    for (const std::string* text : {&entry.Description, &entry.Version, &entry.MSIFileName})
        if (text->size() > 2047)
            return where + "a text longer than 2047 characters";
    if (!entry.Selected || entry.Succeeded)
        return where + "not selected, or marked as succeeded, at load";
    // Past the 64-bit range a number reads as 0; converted anyway it would wrap to the lowest
    // value (no generated file names that value itself).
    if (entry.Size == INT64_MIN)
        return where + "size out of range";
    return "";
}

} // namespace

std::string LoadAndShow(const std::string& file, SelectionPage& page) {
    // The page is never shown: its window and list are made here.
    page.MakeWindow();
    ResetInstallSession();
    std::string problem;
    if (!LoadConfigurationFrom(file)) {
        problem = "the file did not load";
    } else if (InstallSession.ComponentCount < 0 ||
               (InstallSession.ComponentCount > 0 && !InstallSession.Components)) {
        problem = "the catalogue is inconsistent";
    } else {
        for (int32_t i = 0; i < InstallSession.ComponentCount && problem.empty(); ++i)
            problem = CheckEntry(InstallSession.Components[i], i);
        page.FillComponentList();
        const LRESULT rows = SendMessageA(page.componentList, LVM_GETITEMCOUNT, 0, 0);
        if (problem.empty() && rows != InstallSession.ComponentCount)
            problem = "the page shows " + std::to_string(rows) + " rows for " +
                      std::to_string(InstallSession.ComponentCount) + " components";
    }
    ResetInstallSession();
    // The rows refer to the entries just released: empty the list before anything reads them.
    page.FillComponentList();
    return problem;
}
