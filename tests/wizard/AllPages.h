// One object of each of the eight pages, in the wizard's order, for tests of every page alike.
#pragma once

#include "ContactPage.h"
#include "DestinationPage.h"
#include "LicencePage.h"
#include "ProgressPage.h"
#include "ReadyPage.h"
#include "SelectionPage.h"
#include "CompletionPage.h"
#include "WelcomePage.h"

#include <vector>

struct AllPages {
    WelcomePage welcome;
    LicencePage license;
    SelectionPage selection;
    DestinationPage destination;
    ContactPage contact;
    ReadyPage ready;
    ProgressPage progress;
    CompletionPage success;
    // The names of the pages' pictures, in the order of All().
    static constexpr const char* Names[] = {"welcome", "license", "selection", "destination",
                                            "contact", "ready",   "progress",  "success"};
    std::vector<Form*> All() {
        return {&welcome, &license, &selection, &destination,
                &contact, &ready,   &progress,  &success};
    }
};
