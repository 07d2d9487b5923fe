// The recorder image generator: a 270 336-byte memory image of a chosen model whose header
// carries given or plausible values, whose protected blocks all pass (or exactly K of them
// fail), whose logs and tables may be filled (recorder_tables.h), and whose image checksum is
// correct. The same image_spec always gives the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/date_time.h"
#include "data/model.h"
#include "imagegen/recorder_tables.h"

namespace tavrix::gen {

// The header fields a model keeps; each model writes the ones it has. Texts are code page 1251.
struct RecorderHeader {
  std::string crane_serial;  // ЗУЛ-52А: up to 8 hex digits stored as BCD; others: -32768..32767
  int crane_year = 2005;     // ЗУЛ-52А: 4 digits as BCD; others: signed 16
  int loading_group = 5;
  std::string
      limiter_serial;  // ЗУЛ-52А: up to 8 hex digits as BCD; ЗУЛ-52Д: text 9; ЗУЛ-52Н: text 8
  LocalDateTime installed;  // day, month and the year within its century, as BCD
  int version = 1;
  int variant = 1;           // ЗУЛ-52Н: the suffix of the limiter mark
  std::string crane_model;   // ЗУЛ-52Д: text 13 (Б and П stored as the device's 0xA0, 0xA8);
                             // ЗУЛ-52Н: text 15
  std::string manufacturer;  // ЗУЛ-52Н: text 40
};

RecorderHeader PlausibleHeader(Model model, std::uint64_t seed);

struct ImageSpec {
  Model model = Model::k52A;
  std::uint64_t seed = 1;
  RecorderHeader header = PlausibleHeader(Model::k52A, 1);
  int failing_blocks = 0;  // how many of the model's protected blocks fail, chosen by the seed
  // Raw bytes put at absolute offsets after the header, before the check bytes are set.
  std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> pokes;
  TableSpec tables;  // the logs and tables; left as erased memory unless tables.fill
};

std::vector<std::uint8_t> GenerateImage(const ImageSpec& image_spec);

// Sets the check byte of every protected block of the model so that it passes, except the blocks
// whose table index is in `failing`, which are made to fail. Blocks are sealed in the order of
// their last byte, so a block that overlaps another is sealed after every byte of it is final.
void SealBlocks(std::vector<std::uint8_t>& image, Model model, const std::vector<int>& failing);

void StoreImageChecksum(std::vector<std::uint8_t>& image);

}  // namespace tavrix::gen
