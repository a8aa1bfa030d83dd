#include "ScenarioPackages.h"

#include "TestFiles.h"

#include <msi.h>

namespace e2e {

std::string RegistryText(const std::string& package, const char* name) {
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    const std::string key = "Software\\Norvane E2E\\" + package;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return "(missing)";
    return value;
}

void RemoveProduct(const TestPackage& package) {
    const INSTALLSTATE state = MsiQueryProductStateA(package.productCode);
    if (state == INSTALLSTATE_DEFAULT || state == INSTALLSTATE_ADVERTISED)
        MsiConfigureProductA(package.productCode, 0, INSTALLSTATE_ABSENT);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                   (std::string("Software\\Norvane E2E\\") + package.name).c_str());
}

constexpr const char* SetEntryKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\NorvaneComponents";

void RemoveAllProducts() {
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    for (const TestPackage& package : AllPackages)
        RemoveProduct(package);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, SetEntryKey, KEY_WOW64_64KEY, 0);
}

std::string SetEntryText(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetEntryKey, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                      &key) != ERROR_SUCCESS)
        return "(missing)";
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    const LSTATUS status = RegGetValueA(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? value : "(missing)";
}

bool Installed(const TestPackage& package) {
    return MsiQueryProductStateA(package.productCode) == INSTALLSTATE_DEFAULT;
}

std::string Section(const std::string& description, const std::string& msi,
                    const std::string& extra) {
    return "[" + description + "]\r\n" + extra + "ComponentDescription=" + description +
           "\r\nMSIFileName=" + msi + "\r\nVersion=1.0\r\nSize=100\r\nComponentImageIndex=1\r\n";
}

bool TinyDriveIsThere() {
    ULARGE_INTEGER available = {}, total = {}, totalFree = {};
    return GetDiskFreeSpaceExA("T:\\", &available, &total, &totalFree) &&
           total.QuadPart <= 64u << 20;
}

void CopyDistribution(const std::string& folder) {
    CopyFileA((TestProgramFolder() + "\\Setup.exe").c_str(), (folder + "\\Setup.exe").c_str(),
              FALSE);
    for (const TestPackage& package : AllPackages)
        CopyFileA((TestProgramFolder() + "\\msi\\" + package.name + ".msi").c_str(),
                  (folder + "\\" + package.name + ".msi").c_str(), FALSE);
}

} // namespace e2e
