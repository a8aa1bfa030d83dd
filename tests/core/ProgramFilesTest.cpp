// Where the program-files folder comes from: the environment, the registry, a fixed folder.
// These tests change a registry value Wine reads at every program start, so they run alone.
#include "Folders.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Sets an environment variable for one test and puts the old value back.
class EnvironmentOverride {
  public:
    EnvironmentOverride(const char* name, const char* value) : name_(name) {
        char old[32768];
        const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        had_ = length > 0 && length < sizeof old;
        if (had_)
            old_ = old;
        SetEnvironmentVariableA(name, value);
    }
    ~EnvironmentOverride() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

  private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// Replaces the registry's ProgramFilesDir for one test and restores it.
class ProgramFilesDirOverride {
  public:
    explicit ProgramFilesDirOverride(const char* value) {
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_READ | KEY_WRITE, &key_);
        char old[1024] = {};
        DWORD size = sizeof old - 1;
        had_ = RegQueryValueExA(key_, "ProgramFilesDir", nullptr, &type_,
                                reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        old_ = old;
        if (value)
            RegSetValueExA(key_, "ProgramFilesDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                           static_cast<DWORD>(strlen(value) + 1));
        else
            RegDeleteValueA(key_, "ProgramFilesDir");
    }
    ~ProgramFilesDirOverride() {
        if (had_)
            RegSetValueExA(key_, "ProgramFilesDir", 0, type_,
                           reinterpret_cast<const BYTE*>(old_.c_str()),
                           static_cast<DWORD>(old_.size() + 1));
        RegCloseKey(key_);
    }

  private:
    HKEY key_ = nullptr;
    DWORD type_ = REG_SZ;
    bool had_ = false;
    std::string old_;
};

TEST(GetProgramFilesFolder, EnvironmentFirst) {
    EnvironmentOverride env("ProgramFiles", "D:\\Programs");
    EXPECT_EQ(GetProgramFilesFolder(), "D:\\Programs");
}

TEST(GetProgramFilesFolder, RegistryWhenTheEnvironmentHasNone) {
    EnvironmentOverride env("ProgramFiles", nullptr);
    ProgramFilesDirOverride reg("E:\\Registry Programs");
    EXPECT_EQ(GetProgramFilesFolder(), "E:\\Registry Programs");
}

TEST(GetProgramFilesFolder, FixedFolderWhenTheRegistryHasNone) {
    EnvironmentOverride env("ProgramFiles", nullptr);
    ProgramFilesDirOverride reg(nullptr);
    EXPECT_EQ(GetProgramFilesFolder(), "C:\\Program Files");
}

TEST(GetProgramFilesFolder, OverlongValuesCountAsNotSet) {
    const std::string longValue = "D:\\" + std::string(300, 'p');
    EnvironmentOverride env("ProgramFiles", longValue.c_str());
    ProgramFilesDirOverride reg("E:\\From Registry");
    EXPECT_EQ(GetProgramFilesFolder(), "E:\\From Registry");
    // 259 characters is the longest accepted value.
    const std::string longest = "D:\\" + std::string(256, 'q');
    EnvironmentOverride env2("ProgramFiles", longest.c_str());
    EXPECT_EQ(GetProgramFilesFolder(), longest);
    const std::string atLimit = longest + "r";
    EnvironmentOverride env3("ProgramFiles", atLimit.c_str());
    EXPECT_EQ(GetProgramFilesFolder(), "E:\\From Registry");
    // So is an overlong registry value.
    EnvironmentOverride env4("ProgramFiles", nullptr);
    ProgramFilesDirOverride reg2(longValue.c_str());
    EXPECT_EQ(GetProgramFilesFolder(), "C:\\Program Files");
}

} // namespace
