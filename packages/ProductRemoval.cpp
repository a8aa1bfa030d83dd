// Removal of the catalogue's products.
#include "ProductRemoval.h"

#include "InstallOutcome.h"
#include "InstallationRun.h"
#include "JoinText.h"
#include "MessageTexts.h"
#include "MsiFunctions.h"
#include "PackagePaths.h"

namespace {

enum RowImage { RowBeingRemoved = 0, RowRemoved = 1, RowFailed = 2 };

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::string SourcePackagePath(const std::string& sourceFolder, const ComponentEntry& entry) {
    const std::string beside = PackageFile(sourceFolder, entry);
    if (!entry.SetupFileSubFolder || IsFile(beside))
        return beside;
    return PackageFile(PackageFolder(sourceFolder, entry), entry);
}

std::optional<std::string> ComponentProductCode(const std::string& sourceFolder,
                                                const ComponentEntry& entry) {
    if (!HasSafeNames(entry))
        return std::nullopt;
    return ReadPackageProperty(SourcePackagePath(sourceFolder, entry), "ProductCode");
}

void RunRemoval(ProgressRows& rows, INSTALLUILEVEL uiLevel, const std::string& sourceFolder) {
    Msi.MsiSetInternalUI(uiLevel, nullptr);
    for (int row = rows.RowCount() - 1; row >= 0; --row) {
        rows.SetRowImage(row, RowBeingRemoved);
        rows.SetRowStatus(row, Removing);
        rows.MakeRowVisible(row);

        ComponentEntry& entry = rows.RowEntry(row);
        RowFacts facts;
        UINT result = ERROR_INSTALL_FAILURE;
        const std::optional<std::string> code = ComponentProductCode(sourceFolder, entry);
        if (!code) {
            facts.Reason = "its package, which names the product, cannot be read";
        } else {
            facts.InstalledVersion = RegisteredVersion(*code).value_or("");
            result = Msi.MsiConfigureProductExA(code->c_str(), INSTALLLEVEL_DEFAULT,
                                                INSTALLSTATE_ABSENT, SuppressRestart + 1);
            facts.ServiceCalled = true;
            if ((result == ERROR_SUCCESS || NeedsRestart(result)) &&
                ProductIsPresent(Msi.MsiQueryProductStateA(code->c_str())))
                facts.Reason =
                    JoinText({"its product ", *code, " is still registered after the removal"});
        }
        entry.Succeeded = facts.Reason.empty() && (result == ERROR_SUCCESS || NeedsRestart(result));
        rows.SetRowResult(row, result);
        rows.SetRowFacts(row, facts);
        rows.SetRowImage(row, entry.Succeeded ? RowRemoved : RowFailed);
        rows.SetRowStatus(row, entry.Succeeded ? MessageTexts::Succeeded : MessageTexts::Failed);
    }
}
