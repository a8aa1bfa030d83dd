// Answers this process's message boxes by caption from a thread of its own, as a user would.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class BoxAnswerer {
  public:
    // What an answered box showed.
    struct Box {
        std::string Text;
        bool Owned = false;        // had an owner window
        bool YesNo = false;        // offered Yes and No, and no other button
        bool QuestionIcon = false; // showed the question icon
    };

    // Answers every box captioned caption with button (IDYES, IDNO, ...).
    BoxAnswerer(const std::string& caption, int button);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // The boxes answered so far.
    std::vector<Box> Answered();

  private:
    void Watch();

    std::string caption_;
    int button_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Box> answered_;
    std::thread thread_;
};
