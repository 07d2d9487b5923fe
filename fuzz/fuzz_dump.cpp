// Fuzz target: a dump (bytes, as default.tmp holds them) through model detection and every
// header decoder. A shorter input reads as if the missing bytes were zero, as LoadDump gives it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/clock.h"
#include "data/detection.h"
#include "data/dump.h"
#include "data/header_decoder.h"
#include "data/passport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavrix;
  // One buffer for all inputs: a fresh 270 KB one for each would cost more than the decoding.
  static Dump dump;
  const std::size_t n = std::min(size, kDumpSize);
  std::copy_n(data, n, dump.bytes.begin());
  std::fill(dump.bytes.begin() + static_cast<std::ptrdiff_t>(n), dump.bytes.end(), 0);
  const ByteView view = dump.view();
  // Two days either side of a century boundary of the ЗУЛ-38 installation date rule.
  const FixedClock clocks[] = {FixedClock({2026, 6, 15, 12, 0, 0}),
                               FixedClock({2000, 1, 1, 0, 0, 0})};

  for (const Model m : kModels) {
    if (CountFailingBlocks(view, m) < 0) std::abort();
    for (const FixedClock& clock : clocks) {
      HeaderValueList list;
      SelectModel(m, view, clock, list);
      if (list[kEntryModel] != Designation(m)) std::abort();
    }
  }
  HeaderValueList list;
  const auto model = DetectAndDecode(view, clocks[0], list);
  if (model != DetectModel(view)) std::abort();
  return 0;
}
