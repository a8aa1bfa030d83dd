// The helper thread that plays the user.
#include "PageRobot.h"

#include "UserInput.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr auto Patience = std::chrono::seconds(20);

// A robot that cannot find what it waits for ends the whole test program:
// the test thread is inside a modal loop that nobody else would end.
[[noreturn]] void GiveUp(const char* what) {
    std::fprintf(stderr, "PageRobot: gave up waiting for %s\n", what);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) {
    }
}

template <class Condition>
void WaitFor(const char* what, Condition condition, HWND about = nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            if (about)
                std::fprintf(stderr, "PageRobot: page window %p (visible %d, enabled %d)\n",
                             static_cast<void*>(about), IsWindowVisible(about),
                             IsWindowEnabled(about));
            GiveUp(what);
        }
        Sleep(5);
    }
}

} // namespace

PageRobot::PageRobot(std::function<void(PageRobot&)> script) : uiThread_(GetCurrentThreadId()) {
    thread_ = std::thread([this, script] { script(*this); });
}

PageRobot::~PageRobot() {
    if (thread_.joinable())
        thread_.join();
}

void PageRobot::WaitUntilShown(const Form& page) {
    WaitFor(
        "a page to show",
        [&] {
            HWND focus = Focus();
            return IsWindowVisible(page.Handle) && IsWindowEnabled(page.Handle) && focus &&
                   (focus == page.Handle || IsChild(page.Handle, focus));
        },
        page.Handle);
}

void PageRobot::WaitUntilHidden(const Form& page) {
    WaitFor(
        "a page to close", [&] { return !IsWindowVisible(page.Handle); }, page.Handle);
}

void PageRobot::WaitUntil(const char* what, const std::function<bool()>& condition) {
    WaitFor(what, condition);
}

int ShowModalWith(Form& page, const std::function<void(PageRobot&)>& script) {
    // Made before the script starts, which reads the page's windows.
    page.MakeWindow();
    PageRobot robot(script);
    return page.ShowModal();
}

void PageRobot::Click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

HWND PageRobot::Focus() {
    return support::FocusOf(uiThread_);
}

// Mid-click the thread may briefly have no focus, and a key posted to no window is lost.
HWND PageRobot::KeyTarget() {
    WaitFor("a window with the focus", [&] { return Focus() != nullptr; });
    return Focus();
}

void PageRobot::Key(WPARAM virtualKey) {
    support::PostKey(KeyTarget(), static_cast<UINT>(virtualKey));
}

void PageRobot::AltKey(char letter) {
    support::PostAltKey(KeyTarget(), letter);
}

void PageRobot::CloseBox(const Form& page) {
    PostMessageA(page.Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::string PageRobot::AnswerBox(const char* caption, int button) {
    const support::WindowQuery query{0, uiThread_, support::DialogClass, caption, ""};
    HWND box = nullptr;
    WaitFor(caption, [&] { return (box = support::FindTopLevel(query)) != nullptr; });
    const std::string text = support::MessageBoxText(box);
    support::ClickBoxButton(box, button);
    WaitFor("a box to close", [&] { return !IsWindow(box); });
    return text;
}

void PageRobot::Flush(HWND button) {
    PostMessageA(button, BM_SETSTATE, TRUE, 0);
    WaitFor("the posted messages",
            [&] { return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; });
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
}
