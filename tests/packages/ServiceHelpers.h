// Helpers for tests that install and remove real products through the Windows Installer service.
#pragma once

#include <windows.h>
#include <msi.h>

#include <string>
#include <thread>

// Product codes of the test packages that are not earlier packages.
inline constexpr const char* FreshProductCode = "{ED9BBA27-BCA4-45A3-9D77-528494C6EE4D}";
inline constexpr const char* NestedProductCode = "{48462116-4A84-4F88-BB01-1CED0EAD043B}";

// The folder the test packages are built into, and one package in it.
std::string TestPackageFolder();
std::string TestPackagePath(const std::string& package);

// The package's record of an installation property (InstallDir, CameLauncher, Reinstall);
// "<none>" when nothing was recorded.
std::string RecordedProperty(const std::string& package, const std::string& name);
void ForgetRecordedProperties(const std::string& package);

// Installs a test package into folder without any user interface.
UINT InstallTestPackage(const std::string& package, const std::string& folder);

INSTALLSTATE ProductState(const std::string& productCode);

// The registry form of a product code ("{12345678-9ABC-...}" with each part reversed).
std::string PackedProductCode(const std::string& productCode);

// Removes the product when it is present, at the end of its scope.
class ProductCleanup {
  public:
    explicit ProductCleanup(std::string productCode) : productCode_(std::move(productCode)) {}
    ~ProductCleanup();
    ProductCleanup(const ProductCleanup&) = delete;
    ProductCleanup& operator=(const ProductCleanup&) = delete;

  private:
    std::string productCode_;
};

// Makes an installed product read as advertised, keeping its cached package so it can be
// removed. (Wine cannot advertise a product, nor remove one registered only as advertised.)
void MarkAsAdvertised(const std::string& productCode);

// Ends the test program past the time allowed: Wine's service can hang on a bad target.
class InstallWatchdog {
  public:
    explicit InstallWatchdog(DWORD milliseconds = 60000);
    ~InstallWatchdog();
    InstallWatchdog(const InstallWatchdog&) = delete;
    InstallWatchdog& operator=(const InstallWatchdog&) = delete;

  private:
    HANDLE done_;
    std::thread thread_;
};
