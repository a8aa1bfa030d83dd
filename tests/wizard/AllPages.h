// One object of each of the eight pages, in the wizard's order, for tests
// that check every page alike.
#pragma once

#include "Contactinfo.h"
#include "Destination.h"
#include "Licenseagreement.h"
#include "Progress.h"
#include "Readytoinstall.h"
#include "Selection.h"
#include "Success.h"
#include "Welcome.h"

#include <vector>

struct AllPages {
    TfrmWelcome welcome;
    TfrmLicenseAgreement license;
    TfrmSelection selection;
    TfrmDestination destination;
    TfrmContactInfo contact;
    TfrmReadyToInstall ready;
    TfrmProgress progress;
    TfrmSuccess success;
    // The names of the pages' pictures, in the order of All().
    static constexpr const char* Names[] = {"welcome", "license", "selection", "destination",
                                            "contact", "ready",   "progress",  "success"};
    std::vector<Form*> All() {
        return {&welcome, &license, &selection, &destination,
                &contact, &ready,   &progress,  &success};
    }
};
