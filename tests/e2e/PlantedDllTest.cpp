// Started from download folders as administrator, the installer never loads a planted DLL.
#include "Driver.h"
#include "ScenarioPackages.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

using namespace e2e;

namespace {

// Makes Wine search for a DLL as Windows does for one outside its known-DLL set: beside the
// program first. Under Wine 8 only the per-program key reaches a child, not WINEDLLOVERRIDES.
class WindowsDllSearchForSetup {
  public:
    explicit WindowsDllSearchForSetup(const char* name) : name_(name) {
        RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_,
                        nullptr);
        const char value[] = "native,builtin";
        RegSetValueExA(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    }
    ~WindowsDllSearchForSetup() {
        RegDeleteValueA(key_, name_);
        RegCloseKey(key_);
    }

  private:
    static constexpr const char* Key = "Software\\Wine\\AppDefaults\\Setup.exe\\DllOverrides";
    const char* name_;
    HKEY key_ = nullptr;
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
        : search(dll.substr(0, dll.find('.')).c_str()) {
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
