// Plays the user on the test thread's real wizard pages from a helper thread, while the
// test thread runs the pages' modal loops.
#pragma once

#include "Form.h"

#include <functional>
#include <string>
#include <thread>

class PageRobot;

// Shows the page modally while the script plays the user; returns its result once both end.
int ShowModalWith(Form& page, const std::function<void(PageRobot&)>& script);

class PageRobot {
  public:
    // Runs the script on a helper thread against the calling thread's windows.
    explicit PageRobot(std::function<void(PageRobot&)> script);
    // Waits for the script to end.
    ~PageRobot();
    PageRobot(const PageRobot&) = delete;
    PageRobot& operator=(const PageRobot&) = delete;

    // Waits until the page is on screen, not disabled by a box, and focused so keys reach it.
    void WaitUntilShown(const Form& page);
    void WaitUntilHidden(const Form& page);
    void WaitUntil(const char* what, const std::function<bool()>& condition);
    // Clicks a button (also disabled ones: the page must ignore those).
    void Click(HWND button);
    // Presses a key in the control that has the focus.
    void Key(WPARAM virtualKey);
    // Alt and a letter, in the control that has the focus.
    void AltKey(char letter);
    // Closes the window from its title bar's close box.
    void CloseBox(const Form& page);
    // Waits for a box with this caption, presses button (IDYES, IDNO, IDOK); returns its text.
    std::string AnswerBox(const char* caption, int button);
    // The window of the driven thread that has the focus.
    HWND Focus();

  private:
    HWND KeyTarget();

  public:
    // Waits until the driven thread has handled all posted so far; the button's pushed look
    // is the marker (restored afterwards).
    void Flush(HWND button);

  private:
    DWORD uiThread_;
    std::thread thread_;
};
