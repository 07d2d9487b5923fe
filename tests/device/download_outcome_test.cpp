// What the Read flow does with each label the download leaves, row by row of its table.
#include "device/download_outcome.h"

#include <gtest/gtest.h>

namespace tavrix {
namespace {

struct FlowCase {
  const char* name;
  DownloadOutcome outcome;
  ReadFlowStep step;
};

void PrintTo(const FlowCase& c, std::ostream* os) { *os << c.name; }

class ReadFlowTest : public ::testing::TestWithParam<FlowCase> {};

TEST_P(ReadFlowTest, FollowsTheLabel) {
  EXPECT_EQ(NextReadFlowStep(OutcomeLabel(GetParam().outcome, 1000)), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ReadFlowTest,
    ::testing::Values(
        FlowCase{"Done", DownloadOutcome::kDone, ReadFlowStep::kSuccess},
        FlowCase{"ChecksumDiffers", DownloadOutcome::kChecksumDiffers,
                 ReadFlowStep::kWarnThenSuccess},
        FlowCase{"NotFound", DownloadOutcome::kNotFound, ReadFlowStep::kOfferRepeat},
        FlowCase{"Interrupted", DownloadOutcome::kInterrupted, ReadFlowStep::kOfferRepeat},
        FlowCase{"WriteRefused", DownloadOutcome::kWriteRefused, ReadFlowStep::kFinalNotice}),
    [](const auto& info) { return info.param.name; });

// A window closed by hand leaves a status line on the label: not a success, and the user may
// try again.
TEST(ReadFlowLabelTest, AStatusLineLeftOnTheLabelOffersARepeat) {
  EXPECT_EQ(NextReadFlowStep({"Поиск подключенного устройства ЖУВ-6 (COM3)...", "", 0, 15}),
            ReadFlowStep::kOfferRepeat);
}

}  // namespace
}  // namespace tavrix
