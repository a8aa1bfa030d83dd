// The installer must never load a DLL planted beside it: it is started from
// download folders and runs as administrator.
#include "Driver.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// Makes Wine look for msi.dll as Windows does for a DLL outside its
// always-from-the-system-folder set: beside the program first. Under Wine 8
// only the per-program key reaches a child process, not WINEDLLOVERRIDES.
class WindowsDllSearchForSetup {
  public:
    WindowsDllSearchForSetup() {
        RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_,
                        nullptr);
        const char value[] = "native,builtin";
        RegSetValueExA(key_, "msi", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    }
    ~WindowsDllSearchForSetup() {
        RegDeleteValueA(key_, "msi");
        RegCloseKey(key_);
    }

  private:
    static constexpr const char* Key = "Software\\Wine\\AppDefaults\\Setup.exe\\DllOverrides";
    HKEY key_ = nullptr;
};

TEST(PlantedDll, AnMsiDllBesideSetupIsNeverLoaded) {
    ScratchFolder dist;
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "\\Setup.exe").c_str(),
                          (dist / "Setup.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "\\planted\\msi.dll").c_str(),
                          (dist / "msi.dll").c_str(), FALSE));
    WriteTextFile(dist / "Setup.INI",
                  "[Alpha]\r\nComponentDescription=Alpha\r\nMSIFileName=Alpha.msi\r\n");
    WindowsDllSearchForSetup search;

    SetupProcess setup(dist.Path(), dist / "Program Files");
    WaitForPage(setup.Id(), "Welcome to the Norvane Component Installer!");
    EXPECT_FALSE(FileIsThere(dist / "planted-msi-loaded"));
}

} // namespace
