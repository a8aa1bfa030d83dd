// Drives the real wizard windows of the test thread from a helper thread, as
// a user would: waits for pages, clicks buttons, presses keys and answers
// message boxes. The test thread meanwhile runs the pages' modal loops.
#pragma once

#include "Form.h"

#include <functional>
#include <string>
#include <thread>

class PageRobot;

// Shows the page modally while the script plays the user; returns the
// page's result once the script has ended too.
int ShowModalWith(Form& page, const std::function<void(PageRobot&)>& script);

class PageRobot {
  public:
    // Starts the script on a helper thread; the calling thread is the one
    // whose windows it drives.
    explicit PageRobot(std::function<void(PageRobot&)> script);
    // Waits for the script to end.
    ~PageRobot();
    PageRobot(const PageRobot&) = delete;
    PageRobot& operator=(const PageRobot&) = delete;

    // Waits until the page is on screen, not disabled by a box, and has the
    // focus.
    void WaitUntilShown(const Form& page);
    void WaitUntilHidden(const Form& page);
    // Waits until the condition holds.
    void WaitUntil(const char* what, const std::function<bool()>& condition);
    // Clicks a button (also disabled ones: the page must ignore those).
    void Click(HWND button);
    // Presses a key in the control that has the focus.
    void Key(WPARAM virtualKey);
    // Alt and a letter, in the control that has the focus.
    void AltKey(char letter);
    // Closes the window from its close box.
    void CloseBox(const Form& page);
    // Waits for a message box with this caption, returns its text after
    // pressing the button with this id (IDYES, IDNO, IDOK).
    std::string AnswerBox(const char* caption, int button);
    // The window of the driven thread that has the focus.
    HWND Focus();

  private:
    HWND KeyTarget();

  public:
    // Waits until the driven thread has processed everything posted so far,
    // using a button's pushed look as the marker (restored afterwards).
    void Flush(HWND button);

  private:
    DWORD uiThread_;
    std::thread thread_;
};
