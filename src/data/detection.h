// Model detection: each model protects stretches of its parameter area with a check byte (a
// block passes when the sum of its bytes, the check byte included, is 0xFF modulo 256). The
// models are tested in the order ЗУЛ-52А, ЗУЛ-52Д, ЗУЛ-52Н, ЗУЛ-38, and the first one with no
// more failing blocks than its limit is the dump's model.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/byte_view.h"
#include "data/model.h"

namespace tavrix {

struct ProtectedBlock {
  std::uint32_t offset;
  std::uint32_t length;  // check byte included
};

struct DetectionTable {
  std::span<const ProtectedBlock> blocks;  // in test order
  int max_failing;                         // the model is accepted with at most this many
};

const DetectionTable& DetectionTableOf(Model m);

bool BlockPasses(const ByteView& dump, const ProtectedBlock& block);
int CountFailingBlocks(const ByteView& dump, Model m);

// The first model that is accepted, or none.
std::optional<Model> DetectModel(const ByteView& dump);

}  // namespace tavrix
