// Started from download folders as administrator, the installer never loads a planted DLL.
#include "Driver.h"
#include "ScenarioPackages.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <utility>

using namespace e2e;

namespace {

// Makes Wine search for a DLL as Windows does for one outside its known-DLL set: beside the
// program first. Under Wine 8 only the per-program key reaches a child, not WINEDLLOVERRIDES.
struct WindowsDllSearchForSetup {
    explicit WindowsDllSearchForSetup(std::string dll) : name(std::move(dll)) {
        RegSetKeyValueA(HKEY_CURRENT_USER, Key, name.c_str(), REG_SZ, "native,builtin",
                        sizeof "native,builtin");
    }
    ~WindowsDllSearchForSetup() { RegDeleteKeyValueA(HKEY_CURRENT_USER, Key, name.c_str()); }
    static constexpr const char* Key = "Software\\Wine\\AppDefaults\\Setup.exe\\DllOverrides";
    std::string name;
};

// The full path from which the process loaded the DLL; empty while not loaded.
std::string LoadedFrom(DWORD processId, const std::string& dll) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return "";
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    std::string path;
    for (BOOL more = Module32First(snapshot, &module); more && path.empty();
         more = Module32Next(snapshot, &module))
        if (lstrcmpiA(module.szModule, dll.c_str()) == 0)
            path = module.szExePath;
    CloseHandle(snapshot);
    return path;
}

// The installer (as built, or signed) with the DLL planted beside it, searched as Windows would.
struct PlantedDistribution {
    PlantedDistribution(const std::string& setup, const std::string& dll,
                        const std::string& package)
        : search(dll.substr(0, dll.find('.'))) {
        const std::string built = TestProgramFolder();
        CopyFileA((built + "\\" + setup).c_str(), (dist / "Setup.exe").c_str(), FALSE);
        CopyFileA((built + "\\planted\\" + dll).c_str(), (dist / dll).c_str(), FALSE);
        CopyFileA((built + "\\" + package).c_str(), (dist / "Beta.msi").c_str(), FALSE);
        WriteTextFile(dist / "Setup.INI",
                      "[Beta]\r\nComponentDescription=Beta\r\nMSIFileName=Beta.msi\r\n");
    }
    bool Loaded(const std::string& dll) const {
        return FileIsThere(dist / ("planted-" + dll + "-loaded"));
    }
    ScratchFolder dist;
    WindowsDllSearchForSetup search;
};

// The installer loads msi.dll itself at start-up, by its full path in the system folder.
TEST(PlantedDll, AnMsiDllBesideSetupIsNeverLoaded) {
    PlantedDistribution planted("Setup.exe", "msi.dll", "msi\\Beta.msi");
    SetupProcess setup(planted.dist.Path(), planted.dist / "Program Files");
    WaitForPage(setup.Id(), "Welcome to the Norvane Component Installer!");
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(lstrcmpiA(LoadedFrom(setup.Id(), "msi.dll").c_str(),
                        (std::string(system) + "\\msi.dll").c_str()),
              0);
    EXPECT_FALSE(planted.Loaded("msi.dll"));
}

// The system's signature functions load msisip.dll by name when a signed installer checks a
// package: only the installer's DLL search restriction keeps the planted one out. (A
// delay-loaded DLL such as msimg32.dll cannot show it: Wine ignores the restriction for delay
// loads, Windows applies it.)
TEST(PlantedDll, ADllThatASystemLibraryLoadsByNameIsTakenFromTheSystemFolder) {
    PlantedDistribution planted("signed\\Setup.exe", "msisip.dll", "signed\\Beta.msi");
    SetupProcess setup(planted.dist.Path(), "",
                       "/quiet /acceptlicense /dir \"" + (planted.dist / "Agents") + "\"");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    EXPECT_FALSE(planted.Loaded("msisip.dll"));
    RemoveAllProducts();
}

} // namespace
