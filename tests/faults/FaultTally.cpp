// The summary line, printed by a GoogleTest environment after the last test.
#include "FaultTally.h"

#include <gtest/gtest.h>

#include <cstdio>

FaultTally Tally;

namespace {

class SummaryLine : public ::testing::Environment {
  public:
    void TearDown() override {
        std::printf("faults summary: %ld cases tried, %ld crashes, %ld overflows, %ld writes "
                    "outside, %ld failures shown as success\n",
                    Tally.Cases.load(), Tally.Crashes.load(), Tally.Overflows.load(),
                    Tally.WritesOutside.load(), Tally.FailuresShownAsSuccess.load());
    }
};

const auto* const summary = ::testing::AddGlobalTestEnvironment(new SummaryLine);

} // namespace
