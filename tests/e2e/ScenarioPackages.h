// What the end-to-end scenarios share: packages built from package.wxs.in, what they leave on
// the machine, configuration sections listing them, and a scratch distribution.
#pragma once

#include "Driver.h"
#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace e2e {

struct TestPackage {
    const char* name;
    const char* productCode;
};
inline const TestPackage Alpha{"Alpha", "{1EBA7E6B-78D8-43C1-983A-B38C96BB3E9D}"};
inline const TestPackage Beta{"Beta", "{EED733A5-9B3E-4EB8-9A38-FD1CE407D882}"};
inline const TestPackage Gamma{"Gamma", "{E53709D9-B95A-4F12-B335-A6AB9D913CD7}"};
inline const TestPackage EarlierTwo{"EarlierTwo", "{7AEDC31A-6F02-4677-8C7B-908B94801E20}"};
inline const TestPackage EarlierFive{"EarlierFive", "{CD38262E-8BA5-4FBD-A02E-022035AEE482}"};
inline const TestPackage EarlierOneRestart{"EarlierOneRestart",
                                           "{C7D3FDEC-834A-4FA7-A671-0D632E077B08}"};
inline const TestPackage AllPackages[] = {Alpha,      Beta,        Gamma,
                                          EarlierTwo, EarlierFive, EarlierOneRestart};

// A value of the set's Add/Remove Programs entry (64-bit view), or "(missing)".
std::string SetEntryText(const char* name);

// A value the package wrote under HKLM\Software\Norvane E2E\<package>, or "(missing)".
std::string RegistryText(const std::string& package, const char* name);

// Removes the product (when present) and the values it wrote.
void RemoveProduct(const TestPackage& package);
// Every scenario product and the set's entry, with no window from the service.
void RemoveAllProducts();

bool Installed(const TestPackage& package);

// One configuration-file section; the extra settings come first, so they win (the first of two
// equal names counts).
std::string Section(const std::string& description, const std::string& msi,
                    const std::string& extra = "");

// Drive T: is a 4 MiB tmpfs made by tools/tiny-drive.sh, where the machine allows mounting one.
bool TinyDriveIsThere();

// Copies Setup.exe and every scenario package into the folder.
void CopyDistribution(const std::string& folder);

// A scratch distribution with a program-files folder of its own; no scenario product is
// installed before or after a test.
class DistributionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RemoveAllProducts();
        CreateDirectoryA(programFiles_.c_str(), nullptr);
        CopyDistribution(dist_.Path());
    }
    void TearDown() override {
        setup_.reset();
        RemoveAllProducts();
    }
    void Configure(const std::string& ini) { WriteTextFile(dist_ / "Setup.INI", ini); }

    ScratchFolder dist_;
    std::string programFiles_ = dist_ / "Program Files";
    std::unique_ptr<SetupProcess> setup_;
};

} // namespace e2e
