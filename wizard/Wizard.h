// The hidden controller: loads the configuration when created, runs the earlier-package check
// when shown, then walks the pages, carrying the window position from each to the next.
#pragma once

#include "Form.h"
#include "ProgressRows.h"

#include <cstdint>
#include <functional>

// The package operations, in calling order: the first before the first page, the others after
// Install with the progress page on screen. Tests pass their own.
struct PackageSteps {
    std::function<bool()> RemoveEarlierPackages;
    std::function<void()> StageSetupFiles;
    std::function<void(ProgressRows&)> RunInstallation;
};

// The configuration error: this text followed by the support address.
inline constexpr const char* ConfigurationErrorText =
    "The setup failed to open the configuration file. Please alert ";
inline constexpr const char* SupportEmail = "support@norvane.example";
inline constexpr const char* EarlierPackagesErrorText =
    "The installer could not (or was instructed not to) uninstall the older Norvane component "
    "packages that are currently installed on your system. The installer cannot proceed until "
    "they are removed.";

inline constexpr const char* WindowsInstallerMissingText =
    "Windows Installer is not available on this computer, so the Norvane components cannot be "
    "installed.";

class Wizard {
  public:
    // Creates the window (hidden) and runs OnCreate.
    explicit Wizard(PackageSteps packages);
    // Runs OnDestroy.
    ~Wizard();
    Wizard(const Wizard&) = delete;
    Wizard& operator=(const Wizard&) = delete;

    HWND Handle = nullptr;
    // Where the next page opens (screen coordinates of its top-left corner).
    int32_t PageLeft = 0;
    int32_t PageTop = 0;
    // Set when the configuration could not be loaded: no page is shown.
    bool NotConfigured = false;
    // Set when the controller has closed itself: the program ends.
    bool Closed = false;
    PackageSteps Packages;

    void OnCreate();
    void OnShow();
    void OnDestroy();

    // Runs the wizard (OnShow), then the message loop until the controller is closed.
    void Run();

    // The wizard's steps: each shows its page and picks the next step from the result.
    void ShowWelcome();
    void ShowLicence();
    void ShowSelection();
    void ShowDestination();
    void ShowContact();
    void ShowReady();
    void RunInstallStep();
    void ShowCompletion();

    // Shows the page modally at the carried position and carries its final position on.
    int ShowPageModal(Form& page);

    // Ends the wizard; the program ends.
    void Close();

  private:
    using Step = void (Wizard::*)();
    // Steps run one after another from a loop, so going back and forth does not deepen the stack.
    void GoTo(Step step) { nextStep_ = step; }
    void RunSteps();
    Step nextStep_ = nullptr;
};

extern Wizard* theWizard;

// Creates the controller (which loads the configuration) and, unless that
// failed, every page, in the installer's order of creation.
void CreatePages(const PackageSteps& packages);
// Destroys the pages and the controller (which releases the catalogue).
void DestroyPages();

// The whole program: creates the pages, runs the wizard, reports an
// unexpected error in a message box, destroys the pages. Always returns 0.
int RunSetup(const PackageSteps& packages);
