// The controller and the program's top level.
#include "Wizard.h"

#include "Artwork.h"
#include "ContactPage.h"
#include "DestinationPage.h"
#include "JoinText.h"
#include "LicencePage.h"
#include "MessageTexts.h"
#include "ProgressPage.h"
#include "ReadyPage.h"
#include "SelectionPage.h"
#include "CompletionPage.h"
#include "WelcomePage.h"

#include "Configuration.h"
#include "Session.h"

#include <commctrl.h>

#include <exception>
#include <stdexcept>
#include <string>

Wizard* theWizard = nullptr;

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

// Drops keys and clicks (title bar and frame included) queued while the installation ran
// without serving messages: meant for the progress page, they must not press a button of the
// completion page.
void DiscardQueuedInput() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
    }
}

// Owned by the hidden main window, the box has no taskbar button, so it is brought to the
// foreground, or it could open behind other windows (after the elevation prompt, say) unseen.
void ShowErrorBox(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), MessageTexts::Error, MB_ICONERROR | MB_OK | MB_SETFOREGROUND);
}

} // namespace

Wizard::Wizard(PackageSteps packages) : Packages(std::move(packages)) {
    RegisterMainClass();
    Handle = CreateWindowExA(WS_EX_TOOLWINDOW, MainClassName, InstallerCaption,
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, MainLeft, MainTop, MainWidth,
                             MainHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!Handle)
        throw std::runtime_error("The installer could not create its window.");
    SendMessageA(Handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(InstallerIcon(32)));
    SendMessageA(Handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(InstallerIcon(16)));
    OnCreate();
}

Wizard::~Wizard() {
    OnDestroy();
    DestroyWindow(Handle);
}

void Wizard::OnCreate() {
    if (!LoadConfiguration()) {
        const std::string folderNote = UnnamedExecutableFolderNote();
        ShowErrorBox(Handle, JoinText({ConfigurationErrorText, SupportEmail,
                                       folderNote.empty() ? "" : "\n\n", folderNote}));
        NotConfigured = true;
    }
}

void Wizard::OnShow() {
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
    PageTop = welcomePage->Top();
    PageLeft = welcomePage->Left();
    GoTo(&Wizard::ShowWelcome);
    RunSteps();
}

void Wizard::OnDestroy() {
    FreeComponents();
}

void Wizard::Run() {
    OnShow();
    MSG message;
    while (!Closed && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Wizard::RunSteps() {
    while (nextStep_ && !Closed) {
        Step step = nextStep_;
        nextStep_ = nullptr;
        (this->*step)();
    }
}

void Wizard::Close() {
    Closed = true;
    nextStep_ = nullptr;
    ShowWindow(Handle, SW_HIDE);
}

int Wizard::ShowPageModal(Form& page) {
    page.SetPosition(PageLeft, PageTop);
    const int result = page.ShowModal();
    PageLeft = page.Left();
    PageTop = page.Top();
    return result;
}

void Wizard::ShowWelcome() {
    if (ShowPageModal(*welcomePage) == PageResults::Next)
        GoTo(&Wizard::ShowLicence);
    else
        Close();
}

void Wizard::ShowLicence() {
    const int result = ShowPageModal(*licencePage);
    if (result == PageResults::Next)
        GoTo(&Wizard::ShowSelection);
    else if (result == PageResults::Back)
        GoTo(&Wizard::ShowWelcome);
    else
        Close();
}

void Wizard::ShowSelection() {
    const int result = ShowPageModal(*selectionPage);
    if (result == PageResults::Next)
        GoTo(&Wizard::ShowDestination);
    else if (result == PageResults::Back)
        GoTo(&Wizard::ShowLicence);
    else
        Close();
}

void Wizard::ShowDestination() {
    const int result = ShowPageModal(*destinationPage);
    if (result == PageResults::Next)
        GoTo(&Wizard::ShowContact);
    else if (result == PageResults::Back)
        GoTo(&Wizard::ShowSelection);
    else
        Close();
}

void Wizard::ShowContact() {
    const int result = ShowPageModal(*contactPage);
    if (result == PageResults::Next)
        GoTo(&Wizard::ShowReady);
    else if (result == PageResults::Back)
        GoTo(&Wizard::ShowDestination);
    else
        Close();
}

void Wizard::ShowReady() {
    const int result = ShowPageModal(*readyPage);
    if (result == PageResults::Next)
        GoTo(&Wizard::RunInstallStep);
    else if (result == PageResults::Back)
        GoTo(&Wizard::ShowContact);
    else
        Close();
}

void Wizard::RunInstallStep() {
    progressPage->SetPosition(PageLeft, PageTop);
    progressPage->Show();
    Packages.StageSetupFiles();
    Packages.RunInstallation(*progressPage);
    progressPage->Hide();
    DiscardQueuedInput();
    PageLeft = progressPage->Left();
    PageTop = progressPage->Top();
    GoTo(&Wizard::ShowCompletion);
}

void Wizard::ShowCompletion() {
    // Every result of the completion page ends the program.
    ShowPageModal(*completionPage);
    Close();
}

void CreatePages(const PackageSteps& packages) {
    theWizard = new Wizard(packages);
    if (theWizard->NotConfigured)
        return;
    welcomePage = new WelcomePage;
    contactPage = new ContactPage;
    destinationPage = new DestinationPage;
    licencePage = new LicencePage;
    progressPage = new ProgressPage;
    readyPage = new ReadyPage;
    selectionPage = new SelectionPage;
    completionPage = new CompletionPage;
}

void DestroyPages() {
    auto destroy = [](auto*& form) {
        delete form;
        form = nullptr;
    };
    destroy(completionPage);
    destroy(selectionPage);
    destroy(readyPage);
    destroy(progressPage);
    destroy(licencePage);
    destroy(destinationPage);
    destroy(contactPage);
    destroy(welcomePage);
    destroy(theWizard);
    ReleaseArtwork();
}

int RunSetup(const PackageSteps& packages) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        CreatePages(packages);
        if (!theWizard->NotConfigured)
            theWizard->Run();
    } catch (const std::exception& error) {
        ShowErrorBox(theWizard ? theWizard->Handle : nullptr, error.what());
    } catch (...) {
        ShowErrorBox(theWizard ? theWizard->Handle : nullptr, "");
    }
    DestroyPages();
    return 0;
}
