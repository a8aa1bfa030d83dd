#include "RoundTrip.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace support {

RoundTrips TimeRoundTrips(HWND window, const std::function<void()>& busy) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    auto nowMs = [&] {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        return counter.QuadPart * 1000.0 / frequency.QuadPart;
    };
    std::atomic<bool> running{true}, done{false};
    RoundTrips trips;
    std::thread sampler([&] {
        while (running) {
            const double start = nowMs();
            DWORD_PTR answer = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
            trips.LongestMs = std::max(trips.LongestMs, nowMs() - start);
            ++trips.Count;
            Sleep(10);
        }
        done = true;
    });
    busy();
    running = false;
    // The last round trip is answered here.
    while (!done) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(1);
    }
    sampler.join();
    return trips;
}

} // namespace support
