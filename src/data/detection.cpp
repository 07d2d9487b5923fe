#include "data/detection.h"

#include <array>

#include "data/header_layout.h"

namespace tavrix {
namespace {

// clang-format off
constexpr std::array<ProtectedBlock, 14> kBlocks52A = {{
    {0, 26}, {184, 26}, {26, 5}, {210, 5}, {32, 5}, {216, 5}, {38, 46},
    {222, 46}, {84, 46}, {268, 46}, {162, 34}, {246, 34}, {164, 4}, {348, 4}}};

constexpr std::array<ProtectedBlock, 12> kBlocks52D = {{
    {0, 44}, {176, 44}, {44, 5}, {220, 5}, {49, 43}, {225, 43},
    {92, 43}, {268, 43}, {135, 21}, {311, 21}, {156, 4}, {332, 4}}};

constexpr std::uint32_t N = kBase52N;
constexpr std::array<ProtectedBlock, 14> kBlocks52N = {{
    {N + 0, 94}, {N + 332, 94}, {N + 94, 104}, {N + 426, 104}, {N + 198, 5}, {N + 530, 5},
    {N + 203, 50}, {N + 535, 50}, {N + 253, 46}, {N + 585, 46}, {N + 299, 17}, {N + 631, 17},
    {N + 316, 4}, {N + 648, 4}}};

constexpr std::uint32_t T = kBase38;
constexpr std::array<ProtectedBlock, 5> kBlocks38 = {{
    {T + 0, 4}, {T + 4, 7}, {T + 11, 21}, {T + 32, 12}, {T + 66, 50}}};
// clang-format on

constexpr std::array<DetectionTable, 4> kTables = {
    {{kBlocks52A, 6}, {kBlocks52D, 5}, {kBlocks52N, 6}, {kBlocks38, 0}}};

}  // namespace

const DetectionTable& DetectionTableOf(Model m) { return kTables[static_cast<std::size_t>(m)]; }

bool BlockPasses(const ByteView& dump, const ProtectedBlock& block) {
  std::uint8_t sum = 0;
  for (std::uint32_t i = 0; i < block.length; ++i) {
    sum = static_cast<std::uint8_t>(sum + dump.U8(std::uint64_t{block.offset} + i));
  }
  return sum == 0xFF;
}

int CountFailingBlocks(const ByteView& dump, Model m) {
  int failing = 0;
  for (const ProtectedBlock& block : DetectionTableOf(m).blocks) {
    if (!BlockPasses(dump, block)) ++failing;
  }
  return failing;
}

std::optional<Model> DetectModel(const ByteView& dump) {
  for (Model m : kModels) {
    if (CountFailingBlocks(dump, m) <= DetectionTableOf(m).max_failing) return m;
  }
  return std::nullopt;
}

}  // namespace tavrix
