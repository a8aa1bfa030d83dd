// Answers every dialog box of this process with its default button.
#include "ServiceBoxCloser.h"

#include <windows.h>

ServiceBoxCloser::ServiceBoxCloser()
    : thread_([this] {
          while (!stop_) {
              HWND box = nullptr;
              while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
                  DWORD owner = 0;
                  GetWindowThreadProcessId(box, &owner);
                  if (owner == GetCurrentProcessId() && IsWindowVisible(box)) {
                      PostMessageA(box, WM_COMMAND, IDOK, 0);
                      PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
                      ++closed_;
                      Sleep(200);
                  }
              }
              Sleep(50);
          }
      }) {}

ServiceBoxCloser::~ServiceBoxCloser() {
    stop_ = true;
    thread_.join();
}
