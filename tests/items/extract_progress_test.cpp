// The codec's progress callback over the extraction signals.
#include "tests/items/recording_signals.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtractProgressTest, ShowsProgressUntilACancelIsSeen) {
    RecordingSignals signals(3);
    EXPECT_EQ(ExtractProgress(5, &signals), 1);
    EXPECT_EQ(ExtractProgress(-1, &signals), 1);
    EXPECT_EQ(ExtractProgress(7, &signals), 0);
    EXPECT_EQ(signals.m_progress, std::vector<int32_t>({5}));
    EXPECT_EQ(signals.m_nStopped, 1);
    // The request was consumed by the poll that saw it.
    EXPECT_EQ(ExtractProgress(8, &signals), 1);
    EXPECT_EQ(signals.m_progress, std::vector<int32_t>({5, 8}));
}

TEST(ExtractProgressTest, WithoutSignalsItGoesOn) {
    EXPECT_EQ(ExtractProgress(50, nullptr), 1);
    EXPECT_EQ(ExtractProgress(-1, nullptr), 1);
}

}  // namespace
