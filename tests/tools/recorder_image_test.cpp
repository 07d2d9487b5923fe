#include "imagegen/recorder_image.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "data/detection.h"
#include "data/dump.h"
#include "data/header_decoder.h"
#include "data/image_checksum.h"

namespace tavrix::gen {
namespace {

ImageSpec MakeSpec(Model m, std::uint64_t seed, int failing = 0) {
  return {m, seed, PlausibleHeader(m, seed), failing, {}, {}};
}

TEST(RecorderImage, EveryModelDetectsAndCarriesItsChecksum) {
  for (Model m : kModels) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
      const auto image = GenerateImage(MakeSpec(m, seed));
      ASSERT_EQ(image.size(), kDumpSize);
      EXPECT_EQ(CountFailingBlocks(ByteView(image), m), 0);
      EXPECT_EQ(DetectModel(ByteView(image)), m) << Tag(m) << " seed " << seed;
      EXPECT_EQ(ComputeImageChecksum(ByteView(image)), StoredImageChecksum(ByteView(image)));
    }
  }
}

TEST(RecorderImage, ExactlyKBlocksFail) {
  for (Model m : kModels) {
    const int blocks = static_cast<int>(DetectionTableOf(m).blocks.size());
    for (int k = 0; k <= blocks; ++k) {
      EXPECT_EQ(CountFailingBlocks(ByteView(GenerateImage(MakeSpec(m, 7, k))), m), k);
    }
    EXPECT_THROW(GenerateImage(MakeSpec(m, 7, blocks + 1)), std::invalid_argument);
  }
}

TEST(RecorderImage, DeterministicForASeed) {
  EXPECT_EQ(GenerateImage(MakeSpec(Model::k52D, 5)), GenerateImage(MakeSpec(Model::k52D, 5)));
  EXPECT_NE(GenerateImage(MakeSpec(Model::k52D, 5)), GenerateImage(MakeSpec(Model::k52D, 6)));
}

TEST(RecorderImage, GivenHeaderValuesDecodeBack) {
  RecorderHeader h;
  h.crane_serial = "-1234";
  h.crane_year = 2011;
  h.loading_group = 6;
  h.limiter_serial = "Z-7";
  h.installed = {2019, 3, 14, 0, 0, 0};
  h.version = 3;
  h.crane_model = Utf8ToCp1251("МКГ-25БР");
  const auto image = GenerateImage({Model::k52D, 1, h, 0, {}, {}});
  HeaderValueList list;
  SelectModel(Model::k52D, ByteView(image), FixedClock({}), list);
  EXPECT_EQ(list[3], "Z-7");
  EXPECT_EQ(list[4], "14.03.2019");
  EXPECT_EQ(list[5], Utf8ToCp1251("МКГ-25БР"));  // Б went in as the device's 0xA0
  EXPECT_EQ(image[7 + 6], 0xA0);
  EXPECT_EQ(list[6], "-1234");
  EXPECT_EQ(list[8], "2011");
  EXPECT_EQ(list[9], "A6");
}

TEST(RecorderImage, PokesLandBeforeTheCheckBytes) {
  ImageSpec image_spec = MakeSpec(Model::k52A, 2);
  image_spec.pokes = {{14, {0x67, 0x45, 0x23, 0x01}}, {20, {0x1A}}};
  const auto image = GenerateImage(image_spec);
  EXPECT_EQ(DetectModel(ByteView(image)), Model::k52A);
  HeaderValueList list;
  SelectModel(Model::k52A, ByteView(image), FixedClock({}), list);
  EXPECT_EQ(list[3], "01234567");
  EXPECT_TRUE(list[4].ends_with(".201A"));
}

}  // namespace
}  // namespace tavrix::gen

namespace tavrix::gen {
namespace {

TEST(RecorderTables, FullTablesKeepTheModelAndTheChecksumAndEveryCycleSlotValid) {
  for (Model m : kModels) {
    ImageSpec image_spec = MakeSpec(m, 3);
    image_spec.tables.fill = true;
    const auto image = GenerateImage(image_spec);
    const ByteView view(image);
    EXPECT_EQ(DetectModel(view), m) << Tag(m);
    EXPECT_EQ(ComputeImageChecksum(view), StoredImageChecksum(view));
    for (const CycleTableLayout& t : CycleTablesOf(m)) {
      for (int k = 0; k < t.slots; ++k) {
        ASSERT_TRUE(BlockPasses(view, {t.base + static_cast<std::uint32_t>(k * t.slot_size),
                                       static_cast<std::uint32_t>(t.slot_size)}))
            << Tag(m) << " slot " << k;
      }
    }
    EXPECT_EQ(GenerateImage(image_spec), image) << "deterministic";
  }
}

TEST(RecorderTables, PointersAndTheShareOfInvalidSlots) {
  ImageSpec image_spec = MakeSpec(Model::k52A, 3);
  image_spec.tables = {true, 0.25, 1905, {}};
  const auto image = GenerateImage(image_spec);
  const ByteView view(image);
  const CycleTableLayout t = CycleTablesOf(Model::k52A)[0];
  EXPECT_EQ(view.U16(t.pointer), t.base + 5 * t.slot_size) << "1905 wraps to slot 5 of 1900";
  EXPECT_EQ(view.U16(t.pointer + 2), static_cast<std::uint16_t>(~view.U16(t.pointer)));
  int invalid = 0;
  for (int k = 0; k < t.slots; ++k) {
    invalid += !BlockPasses(view, {t.base + static_cast<std::uint32_t>(k * t.slot_size),
                                   static_cast<std::uint32_t>(t.slot_size)});
  }
  EXPECT_GT(invalid, t.slots / 8);
  EXPECT_LT(invalid, t.slots / 2);
  image_spec.tables.invalid_share = 2;
  EXPECT_THROW(GenerateImage(image_spec), std::invalid_argument);
}

}  // namespace
}  // namespace tavrix::gen
