// The controller and the program's top level.
#include "Main.h"

#include "Artwork.h"
#include "Contactinfo.h"
#include "Destination.h"
#include "Licenseagreement.h"
#include "MessageTexts.h"
#include "Progress.h"
#include "Readytoinstall.h"
#include "Selection.h"
#include "Success.h"
#include "Welcome.h"

#include "Installmanager.h"

#include <commctrl.h>

#include <exception>
#include <stdexcept>
#include <string>

TfrmMain* frmMain = nullptr;

namespace {

constexpr const char* MainClassName = "NorvaneWizardMain";

// Stored layout of the controller's window.
constexpr int MainLeft = 662;
constexpr int MainTop = 379;
constexpr int MainWidth = 267;
constexpr int MainHeight = 165;
// Off the visible desktop while the pages are shown.
constexpr int OffScreenLeft = -5000;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The controller alone decides when the program ends.
    if (message == WM_CLOSE)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterMainClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXA main = {};
    main.cbSize = sizeof main;
    main.lpfnWndProc = MainWindowProc;
    main.hInstance = GetModuleHandleA(nullptr);
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = MainClassName;
    registered = RegisterClassExA(&main) != 0;
}

// Drops the keys and clicks that arrived while the installation ran without
// processing messages: they were meant for the progress page, on which they
// do nothing, and must not press a button of the completion page. Clicks on
// the page's title bar and frame are input too.
void DiscardQueuedInput() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
    }
}

// The owner is the hidden main window, so the box has no taskbar button of
// its own: it is brought to the foreground, or it could open behind other
// windows (after the elevation prompt, say) and leave the user looking at
// nothing.
void ShowErrorBox(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), MessageTexts::Error, MB_ICONERROR | MB_OK | MB_SETFOREGROUND);
}

} // namespace

TfrmMain::TfrmMain(PackageSteps packages) : Packages(std::move(packages)) {
    RegisterMainClass();
    Handle = CreateWindowExA(WS_EX_TOOLWINDOW, MainClassName, InstallerCaption,
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, MainLeft, MainTop, MainWidth,
                             MainHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!Handle)
        throw std::runtime_error("The installer could not create its window.");
    SendMessageA(Handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(InstallerIcon(32)));
    SendMessageA(Handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(InstallerIcon(16)));
    FormCreate();
}

TfrmMain::~TfrmMain() {
    FormDestroy();
    DestroyWindow(Handle);
}

void TfrmMain::FormCreate() {
    if (!LoadConfiguration()) {
        ShowErrorBox(Handle, std::string(ConfigurationErrorText) + SupportEmail);
        Terminated = true;
    }
}

void TfrmMain::FormShow() {
    if (!Packages.RemoveEarlierPackages()) {
        ShowErrorBox(Handle, EarlierPackagesErrorText);
        Close();
        return;
    }
    RECT frame;
    GetWindowRect(Handle, &frame);
    SetWindowPos(Handle, nullptr, OffScreenLeft, frame.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Visible off-screen, it keeps the activation with this program while
    // one page goes and the next comes.
    ShowWindow(Handle, SW_SHOWNA);
    // The welcome page's stored position, as it has not been shown yet.
    PageTop = frmWelcome->Top();
    PageLeft = frmWelcome->Left();
    GoTo(&TfrmMain::ShowWelcome);
    RunSteps();
}

void TfrmMain::FormDestroy() {
    FreeComponents();
}

void TfrmMain::Run() {
    FormShow();
    MSG message;
    while (!Closed && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void TfrmMain::RunSteps() {
    while (nextStep_ && !Closed) {
        Step step = nextStep_;
        nextStep_ = nullptr;
        (this->*step)();
    }
}

void TfrmMain::Close() {
    Closed = true;
    nextStep_ = nullptr;
    ShowWindow(Handle, SW_HIDE);
}

int TfrmMain::ShowPageModal(Form& page) {
    page.SetPosition(PageLeft, PageTop);
    const int result = page.ShowModal();
    PageLeft = page.Left();
    PageTop = page.Top();
    return result;
}

void TfrmMain::ShowWelcome() {
    if (ShowPageModal(*frmWelcome) == PageResults::Next)
        GoTo(&TfrmMain::ShowLicenseAgreement);
    else
        Close();
}

void TfrmMain::ShowLicenseAgreement() {
    const int result = ShowPageModal(*frmLicenseAgreement);
    if (result == PageResults::Next)
        GoTo(&TfrmMain::ShowSelection);
    else if (result == PageResults::Back)
        GoTo(&TfrmMain::ShowWelcome);
    else
        Close();
}

void TfrmMain::ShowSelection() {
    const int result = ShowPageModal(*frmSelection);
    if (result == PageResults::Next)
        GoTo(&TfrmMain::ShowDestination);
    else if (result == PageResults::Back)
        GoTo(&TfrmMain::ShowLicenseAgreement);
    else
        Close();
}

void TfrmMain::ShowDestination() {
    const int result = ShowPageModal(*frmDestination);
    if (result == PageResults::Next)
        GoTo(&TfrmMain::ShowContactInfo);
    else if (result == PageResults::Back)
        GoTo(&TfrmMain::ShowSelection);
    else
        Close();
}

void TfrmMain::ShowContactInfo() {
    const int result = ShowPageModal(*frmContactInfo);
    if (result == PageResults::Next)
        GoTo(&TfrmMain::ShowReadyToInstall);
    else if (result == PageResults::Back)
        GoTo(&TfrmMain::ShowDestination);
    else
        Close();
}

void TfrmMain::ShowReadyToInstall() {
    const int result = ShowPageModal(*frmReadyToInstall);
    if (result == PageResults::Next)
        GoTo(&TfrmMain::RunInstallStep);
    else if (result == PageResults::Back)
        GoTo(&TfrmMain::ShowContactInfo);
    else
        Close();
}

void TfrmMain::RunInstallStep() {
    frmProgress->SetPosition(PageLeft, PageTop);
    frmProgress->Show();
    Packages.StageSetupFiles();
    Packages.RunInstallation(*frmProgress);
    frmProgress->Hide();
    DiscardQueuedInput();
    PageLeft = frmProgress->Left();
    PageTop = frmProgress->Top();
    GoTo(&TfrmMain::ShowSuccess);
}

void TfrmMain::ShowSuccess() {
    // Every result of the completion page ends the program.
    ShowPageModal(*frmSuccess);
    Close();
}

void CreateForms(const PackageSteps& packages) {
    frmMain = new TfrmMain(packages);
    if (frmMain->Terminated)
        return;
    frmWelcome = new TfrmWelcome;
    frmContactInfo = new TfrmContactInfo;
    frmDestination = new TfrmDestination;
    frmLicenseAgreement = new TfrmLicenseAgreement;
    frmProgress = new TfrmProgress;
    frmReadyToInstall = new TfrmReadyToInstall;
    frmSelection = new TfrmSelection;
    frmSuccess = new TfrmSuccess;
}

void DestroyForms() {
    auto destroy = [](auto*& form) {
        delete form;
        form = nullptr;
    };
    destroy(frmSuccess);
    destroy(frmSelection);
    destroy(frmReadyToInstall);
    destroy(frmProgress);
    destroy(frmLicenseAgreement);
    destroy(frmDestination);
    destroy(frmContactInfo);
    destroy(frmWelcome);
    destroy(frmMain);
    ReleaseArtwork();
}

int RunSetup(const PackageSteps& packages) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        CreateForms(packages);
        if (!frmMain->Terminated)
            frmMain->Run();
    } catch (const std::exception& error) {
        ShowErrorBox(frmMain ? frmMain->Handle : nullptr, error.what());
    } catch (...) {
        ShowErrorBox(frmMain ? frmMain->Handle : nullptr, "");
    }
    DestroyForms();
    return 0;
}
