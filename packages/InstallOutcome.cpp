// Checking each installation against what the service has registered.
#include "InstallOutcome.h"

#include "MsiFunctions.h"
#include "JoinText.h"

#include <vector>

namespace {

// Reads a text the service hands out in two steps: the length, then the text.
template <typename Call> std::optional<std::string> ReadText(Call call) {
    std::vector<char> buffer(64);
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const UINT result = call(buffer.data(), &length);
        if (result == ERROR_MORE_DATA) {
            buffer.assign(length + 1, '\0');
            continue;
        }
        if (result != ERROR_SUCCESS || length >= buffer.size())
            return std::nullopt;
        return std::string(buffer.data(), length);
    }
    return std::nullopt;
}

std::string Named(const ComponentEntry& entry) {
    return JoinText({"[", entry.SectionName, "]"});
}

} // namespace

std::optional<std::string> ReadPackageProperty(const std::string& packagePath,
                                               const char* property) {
    const std::string query =
        JoinText({"SELECT `Value` FROM `Property` WHERE `Property`='", property, "'"});
    MSIHANDLE database = 0, view = 0, record = 0;
    std::optional<std::string> value;
    if (Msi.MsiOpenDatabaseA(packagePath.c_str(), MSIDBOPEN_READONLY, &database) == ERROR_SUCCESS &&
        Msi.MsiDatabaseOpenViewA(database, query.c_str(), &view) == ERROR_SUCCESS &&
        Msi.MsiViewExecute(view, 0) == ERROR_SUCCESS &&
        Msi.MsiViewFetch(view, &record) == ERROR_SUCCESS)
        value = ReadText([record](char* buffer, DWORD* length) {
            return Msi.MsiRecordGetStringA(record, 1, buffer, length);
        });
    Msi.MsiCloseHandle(record);
    Msi.MsiCloseHandle(view);
    Msi.MsiCloseHandle(database);
    return value;
}

std::optional<std::string> RegisteredVersion(const std::string& productCode) {
    return ReadText([&productCode](char* buffer, DWORD* length) {
        return Msi.MsiGetProductInfoA(productCode.c_str(), "VersionString", buffer, length);
    });
}

bool NeedsRestart(unsigned result) {
    return result == ERROR_SUCCESS_REBOOT_REQUIRED || result == ERROR_SUCCESS_REBOOT_INITIATED;
}

std::string InstallOutcomes::Refusal(const std::string& productCode) const {
    for (const Product& product : products_)
        if (product.Code == productCode)
            return JoinText({"its product ", productCode, " was already installed by ",
                             product.Section, " in this run: two sections name one product"});
    return "";
}

RowFacts InstallOutcomes::Confirm(int row, const ComponentEntry& entry,
                                  const std::string& productCode, const std::string& packagePath) {
    RowFacts facts;
    facts.PackageVersion = ReadPackageProperty(packagePath, "ProductVersion").value_or("");
    const std::optional<std::string> registered = RegisteredVersion(productCode);
    facts.InstalledVersion = registered.value_or("");
    if (!registered)
        facts.Reason =
            JoinText({"its product ", productCode, " is not registered after the installation"});
    else if (*registered != facts.PackageVersion)
        facts.Reason =
            JoinText({"installed version is ", *registered, ", the package is ",
                      facts.PackageVersion.empty() ? "unreadable" : facts.PackageVersion});
    else
        products_.push_back(Product{row, productCode, *registered, Named(entry), facts});
    return facts;
}

std::vector<std::pair<int, RowFacts>> InstallOutcomes::Lost(const ComponentEntry& installed) {
    std::vector<std::pair<int, RowFacts>> lost;
    for (size_t i = 0; i < products_.size();) {
        const std::optional<std::string> now = RegisteredVersion(products_[i].Code);
        if (now && *now == products_[i].Version) {
            ++i;
            continue;
        }
        RowFacts facts = products_[i].Facts;
        facts.ServiceCalled = true; // it was installed, then lost
        facts.InstalledVersion = now.value_or("");
        facts.Reason = JoinText({now ? "changed to version " : "removed again", now ? *now : "",
                                 " by the installation of [", installed.SectionName, "]"});
        lost.emplace_back(products_[i].Row, facts);
        products_.erase(products_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return lost;
}
