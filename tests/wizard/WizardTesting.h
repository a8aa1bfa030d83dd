// Shared set-up of the wizard tests: common controls and a catalogue.
#pragma once

#include "core/SessionReset.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// A component for a test catalogue.
struct TestComponent {
    std::string Description;
    bool Selected = true;
    bool Succeeded = false;
    bool Required = false;
};

// Puts a catalogue of these components into a fresh session.
inline void UseCatalogue(const std::vector<TestComponent>& components) {
    ResetInstallSession();
    const size_t count = components.size();
    InstallSession.Components = std::make_unique<ComponentEntry[]>(count);
    InstallSession.ComponentCount = static_cast<int32_t>(count);
    for (size_t i = 0; i < count; ++i) {
        ComponentEntry& entry = InstallSession.Components[i];
        entry.Description = components[i].Description;
        entry.MSIFileName = components[i].Description + ".msi";
        entry.Selected = components[i].Selected;
        entry.Succeeded = components[i].Succeeded;
        entry.Required = components[i].Required;
    }
}

class WizardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override { ResetInstallSession(); }
};
