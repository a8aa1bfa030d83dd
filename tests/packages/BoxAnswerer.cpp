#include "BoxAnswerer.h"

namespace {

// A visible dialog-class window of this process with that caption.
HWND FindOwnBox(const std::string& caption) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32770", caption.c_str())) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

struct ChildSurvey {
    int buttons = 0;
    HICON icon = nullptr;
};

BOOL CALLBACK SurveyChild(HWND child, LPARAM survey) {
    auto* found = reinterpret_cast<ChildSurvey*>(survey);
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    if (lstrcmpiA(className, "Button") == 0 && (style & WS_VISIBLE))
        ++found->buttons;
    if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
        found->icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return TRUE;
}

} // namespace

BoxAnswerer::BoxAnswerer(const std::string& caption, int button)
    : caption_(caption), button_(button), thread_([this] { Watch(); }) {}

BoxAnswerer::~BoxAnswerer() {
    stop_ = true;
    thread_.join();
}

std::vector<BoxAnswerer::Box> BoxAnswerer::Answered() {
    std::lock_guard<std::mutex> lock(mutex_);
    return answered_;
}

void BoxAnswerer::Watch() {
    while (!stop_) {
        HWND box = FindOwnBox(caption_);
        if (!box) {
            Sleep(10);
            continue;
        }
        Box seen;
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        seen.Text = text;
        seen.Owned = GetWindow(box, GW_OWNER) != nullptr;
        ChildSurvey survey;
        EnumChildWindows(box, SurveyChild, reinterpret_cast<LPARAM>(&survey));
        seen.YesNo = survey.buttons == 2 && GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO);
        seen.QuestionIcon = survey.icon && survey.icon == LoadIconA(nullptr, IDI_QUESTION);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            answered_.push_back(seen);
        }
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
        // The same box is never answered twice.
        for (int waited = 0; IsWindow(box) && waited < 500; ++waited)
            Sleep(10);
    }
}
