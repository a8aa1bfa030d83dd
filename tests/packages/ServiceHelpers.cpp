#include "ServiceHelpers.h"

#include "TestFiles.h"

#include <msi.h>

#include <algorithm>
#include <cstdio>

std::string TestPackageFolder() {
    return TestProgramFolder() + "\\msi";
}

std::string TestPackagePath(const std::string& package) {
    return TestPackageFolder() + "\\" + package + ".msi";
}

std::string RecordedProperty(const std::string& package, const std::string& name) {
    char value[512] = {};
    DWORD size = sizeof value;
    const std::string key = "Software\\Norvane Test\\" + package;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return "<none>";
    return value;
}

void ForgetRecordedProperties(const std::string& package) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("Software\\Norvane Test\\" + package).c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\Norvane Test\\" + package).c_str());
}

UINT InstallTestPackage(const std::string& package, const std::string& folder) {
    const INSTALLUILEVEL previous = MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    const UINT result = MsiInstallProductA(TestPackagePath(package).c_str(),
                                           ("INSTALLDIR=\"" + folder + "\"").c_str());
    MsiSetInternalUI(previous, nullptr);
    return result;
}

INSTALLSTATE ProductState(const std::string& productCode) {
    return MsiQueryProductStateA(productCode.c_str());
}

std::string PackedProductCode(const std::string& productCode) {
    // Hex digits only: the first three groups reversed, the rest with each byte's digits swapped.
    std::string hex;
    for (char c : productCode)
        if (c != '{' && c != '}' && c != '-')
            hex += c;
    std::string packed = hex;
    std::reverse(packed.begin(), packed.begin() + 8);
    std::reverse(packed.begin() + 8, packed.begin() + 12);
    std::reverse(packed.begin() + 12, packed.begin() + 16);
    for (size_t i = 16; i + 1 < packed.size(); i += 2)
        std::swap(packed[i], packed[i + 1]);
    return packed;
}

ProductCleanup::~ProductCleanup() {
    const INSTALLSTATE state = ProductState(productCode_);
    if (state != INSTALLSTATE_DEFAULT && state != INSTALLSTATE_ADVERTISED)
        return;
    const INSTALLUILEVEL previous = MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    MsiConfigureProductA(productCode_.c_str(), INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
    MsiSetInternalUI(previous, nullptr);
}

void MarkAsAdvertised(const std::string& productCode) {
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\"
                            "S-1-5-18\\Products\\" +
                            PackedProductCode(productCode) + "\\InstallProperties";
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "WindowsInstaller");
}

InstallWatchdog::InstallWatchdog(DWORD milliseconds)
    : done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread_([this, milliseconds] {
          if (WaitForSingleObject(done_, milliseconds) == WAIT_TIMEOUT) {
              fprintf(stderr, "The Windows Installer service did not return in time.\n");
              fflush(stderr);
              TerminateProcess(GetCurrentProcess(), 3);
          }
      }) {}

InstallWatchdog::~InstallWatchdog() {
    SetEvent(done_);
    thread_.join();
    CloseHandle(done_);
}
