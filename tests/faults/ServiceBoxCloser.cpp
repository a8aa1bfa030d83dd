// Posts OK and Cancel to every dialog box of this process.
#include "ServiceBoxCloser.h"

#include "UserInput.h"

ServiceBoxCloser::ServiceBoxCloser()
    : thread_([this] {
          while (!stop_) {
              const support::WindowQuery boxes{GetCurrentProcessId(), 0, support::DialogClass, "",
                                               ""};
              if (HWND box = support::FindTopLevel(boxes)) {
                  PostMessageA(box, WM_COMMAND, IDOK, 0);
                  PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
                  ++closed_;
                  Sleep(200);
              }
              Sleep(50);
          }
      }) {}

ServiceBoxCloser::~ServiceBoxCloser() {
    stop_ = true;
    thread_.join();
}
