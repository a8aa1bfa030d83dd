// Closes and counts, from its own thread, the installer service's message boxes in this
// process (its "installation failed" box blocks until answered).
#pragma once

#include <atomic>
#include <thread>

class ServiceBoxCloser {
  public:
    ServiceBoxCloser();
    ~ServiceBoxCloser();
    ServiceBoxCloser(const ServiceBoxCloser&) = delete;
    ServiceBoxCloser& operator=(const ServiceBoxCloser&) = delete;

    int Closed() const { return closed_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<int> closed_{0};
    std::thread thread_;
};
