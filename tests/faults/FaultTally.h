// The fault suite's running counts, printed as one summary line when the test program ends.
#pragma once

#include <atomic>

struct FaultTally {
    std::atomic<long> Cases{0};
    std::atomic<long> Crashes{0};
    std::atomic<long> Overflows{0};
    std::atomic<long> WritesOutside{0};
    std::atomic<long> FailuresShownAsSuccess{0};
};

extern FaultTally Tally;
