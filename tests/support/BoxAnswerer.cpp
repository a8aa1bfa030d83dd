#include "BoxAnswerer.h"

#include "UserInput.h"

namespace {

struct ChildSurvey {
    int buttons = 0;
    HICON icon = nullptr;
};

BOOL CALLBACK SurveyChild(HWND child, LPARAM survey) {
    auto* found = reinterpret_cast<ChildSurvey*>(survey);
    const std::string className = support::ClassOf(child);
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    if (lstrcmpiA(className.c_str(), "Button") == 0 && (style & WS_VISIBLE))
        ++found->buttons;
    if (lstrcmpiA(className.c_str(), "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
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
    const support::WindowQuery query{GetCurrentProcessId(), 0, support::DialogClass, caption_, ""};
    while (!stop_) {
        HWND box = support::FindTopLevel(query);
        if (!box) {
            Sleep(10);
            continue;
        }
        Box seen;
        seen.Text = support::MessageBoxText(box);
        seen.Owned = GetWindow(box, GW_OWNER) != nullptr;
        ChildSurvey survey;
        EnumChildWindows(box, SurveyChild, reinterpret_cast<LPARAM>(&survey));
        seen.YesNo = survey.buttons == 2 && GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO);
        seen.QuestionIcon = survey.icon && survey.icon == LoadIconA(nullptr, IDI_QUESTION);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            answered_.push_back(seen);
        }
        support::ClickBoxButton(box, button_);
        // The same box is never answered twice.
        for (int waited = 0; IsWindow(box) && waited < 500; ++waited)
            Sleep(10);
    }
}
