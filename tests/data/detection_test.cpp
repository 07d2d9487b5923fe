#include "data/detection.h"

#include <gtest/gtest.h>

#include "data/dump.h"
#include "imagegen/recorder_image.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix {
namespace {

std::vector<std::uint8_t> Image(Model m, int failing, std::uint64_t seed = 3) {
  return gen::GenerateImage({m, seed, gen::PlausibleHeader(m, seed), failing, {}, {}});
}

struct Limit {
  Model model;
  int accepted;  // the most failing blocks at which the model is still accepted
  int blocks;
};
constexpr Limit kLimits[] = {
    {Model::k52A, 6, 14}, {Model::k52D, 5, 12}, {Model::k52N, 6, 14}, {Model::k38, 0, 5}};

TEST(Detection, EachModelIsAcceptedUpToItsLimitAndRejectedAboveIt) {
  for (const Limit& l : kLimits) {
    EXPECT_EQ(DetectionTableOf(l.model).blocks.size(), static_cast<std::size_t>(l.blocks));
    for (std::uint64_t seed : {1, 2, 3}) {
      const auto at_limit = Image(l.model, l.accepted, seed);
      EXPECT_EQ(CountFailingBlocks(ByteView(at_limit), l.model), l.accepted);
      EXPECT_EQ(DetectModel(ByteView(at_limit)), l.model) << Tag(l.model);
      const auto above = Image(l.model, l.accepted + 1, seed);
      EXPECT_EQ(CountFailingBlocks(ByteView(above), l.model), l.accepted + 1);
      EXPECT_NE(DetectModel(ByteView(above)), l.model) << Tag(l.model);
    }
  }
}

// Blocks 162+34 and 184+26 of ЗУЛ-52А overlap, and 164+4 lies inside 162+34: a zero image passes
// them only when the check bytes are chosen in the order of the blocks' last bytes.
TEST(Detection, OverlappingBlocksByHand) {
  std::vector<std::uint8_t> dump(kDumpSize, 0);
  const ByteView v(dump);
  dump[167] = 0xFF;  // 164+4: 0xFF
  dump[195] = 0x00;  // 162+34 holds 167 already: 0xFF
  dump[209] = 0xFF;  // 184+26 holds 195 (0): 0xFF
  EXPECT_TRUE(BlockPasses(v, {164, 4}));
  EXPECT_TRUE(BlockPasses(v, {162, 34}));
  EXPECT_TRUE(BlockPasses(v, {184, 26}));
  dump[170] = 1;  // inside 162+34 only
  EXPECT_TRUE(BlockPasses(v, {164, 4}));
  EXPECT_FALSE(BlockPasses(v, {162, 34}));
  EXPECT_TRUE(BlockPasses(v, {184, 26}));
}

TEST(Detection, TheEarlierModelWinsWhenTwoPass) {
  auto image = Image(Model::k52N, 0);
  gen::SealBlocks(image, Model::k38, {});
  EXPECT_EQ(CountFailingBlocks(ByteView(image), Model::k38), 0);
  EXPECT_EQ(DetectModel(ByteView(image)), Model::k52N);
  gen::SealBlocks(image, Model::k52D, {});
  EXPECT_EQ(DetectModel(ByteView(image)), Model::k52D);
}

TEST(Detection, AZeroDumpHasNoModel) {
  const std::vector<std::uint8_t> zeros(kDumpSize, 0);
  EXPECT_EQ(DetectModel(ByteView(zeros)), std::nullopt);
  for (Model m : kModels) {
    EXPECT_EQ(CountFailingBlocks(ByteView(zeros), m),
              static_cast<int>(DetectionTableOf(m).blocks.size()));
  }
}

TEST(Detection, BytesPastTheEndOfAShortDumpCountAsZero) {
  testing::TempDir dir;
  testing::Spit(dir / "short.tmp", std::vector<std::uint8_t>{0x10, 0xEF});
  const Dump dump = LoadDump(dir / "short.tmp");
  EXPECT_EQ(dump.file_size, 2u);
  ASSERT_EQ(dump.bytes.size(), kDumpSize);
  EXPECT_TRUE(BlockPasses(dump.view(), {0, 4}));  // 0x10 + 0xEF + 0 + 0
  EXPECT_FALSE(BlockPasses(dump.view(), {1, 4}));

  // A full image cut short loses its ЗУЛ-38 blocks at the end of the memory.
  auto image = Image(Model::k38, 0);
  image.resize(264000 + 40);
  testing::Spit(dir / "cut.tmp", image);
  EXPECT_EQ(CountFailingBlocks(LoadDump(dir / "cut.tmp").view(), Model::k38), 2);
}

}  // namespace
}  // namespace tavrix
