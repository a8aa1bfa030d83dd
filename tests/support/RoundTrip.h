// How long a window keeps other programs waiting while its thread is busy.
#pragma once

#include <windows.h>

#include <functional>

namespace support {

// Runs busy() here while another thread sends the window WM_NULL every 10 ms, as a program
// broadcasting to all windows does; returns the longest round trip (ms) and the count.
struct RoundTrips {
    double LongestMs = 0;
    int Count = 0;
};
RoundTrips TimeRoundTrips(HWND window, const std::function<void()>& busy);

} // namespace support
