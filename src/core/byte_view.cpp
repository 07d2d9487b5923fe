#include "core/byte_view.h"

#include <algorithm>

namespace tavrix {

void ByteView::Copy(std::uint64_t offset, std::span<std::uint8_t> out) const {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  if (offset >= bytes_.size()) return;
  const auto available = std::min<std::uint64_t>(out.size(), bytes_.size() - offset);
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), available, out.begin());
}

std::string ByteView::Text(std::uint64_t offset, std::size_t n) const {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t b = At(offset, i);
    if (b == 0) break;
    text += static_cast<char>(b);
  }
  return text;
}

}  // namespace tavrix
