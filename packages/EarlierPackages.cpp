// Detection and removal of earlier packages of the component family.
#include "EarlierPackages.h"

#include "InstallOutcome.h"
#include "MessageTexts.h"
#include "MsiFunctions.h"

const std::array<const char*, 6> EarlierProductCodes = {
    "{C7D3FDEC-834A-4FA7-A671-0D632E077B08}", "{7AEDC31A-6F02-4677-8C7B-908B94801E20}",
    "{735AA62C-B283-4B29-B4D5-9635400E136E}", "{B89F98BB-C091-482E-A3AB-50400930B86D}",
    "{CD38262E-8BA5-4FBD-A02E-022035AEE482}", "{F958E782-09E9-4781-B2AD-8917E75BF4E5}",
};

const char* const EarlierPackagesQuestion =
    "An older Norvane Components package has been detected. To install this new one, the older "
    "package must first be uninstalled. Do you wish to uninstall the old package? ";

bool RemoveEarlierPackages() {
    return RemoveEarlierPackagesWith(EarlierRemoval{});
}

bool RemoveEarlierPackagesWith(const EarlierRemoval& removal) {
    if (removal.UiLevel)
        Msi.MsiSetInternalUI(*removal.UiLevel, nullptr);
    bool agreed = !removal.Ask;
    for (const char* productCode : EarlierProductCodes) {
        if (!ProductIsPresent(Msi.MsiQueryProductStateA(productCode)))
            continue;
        if (!agreed) {
            // Only an explicit Yes agrees; No, Esc or a box that cannot be shown declines.
            if (MessageBoxA(nullptr, EarlierPackagesQuestion, MessageTexts::Confirm,
                            MB_YESNO | MB_ICONQUESTION) != IDYES)
                return false;
            agreed = true;
        }
        const UINT result =
            removal.Properties.empty()
                ? Msi.MsiConfigureProductA(productCode, INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT)
                : Msi.MsiConfigureProductExA(productCode, INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT,
                                             removal.Properties.c_str());
        if (removal.Removed)
            removal.Removed(productCode, result);
        // A removal that needs a restart to finish has removed the product.
        if (result != ERROR_SUCCESS && !NeedsRestart(result))
            return false;
    }
    return true;
}
