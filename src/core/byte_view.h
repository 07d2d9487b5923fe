// Bounds-checked little-endian reads from a byte buffer (a dump, a data file, a slot).
// Every read at or past the end of the buffer gives zero bytes, as reading a file that ends
// early into a zero-filled buffer does; no offset ever indexes outside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tavrix {

class ByteView {
 public:
  ByteView() = default;
  explicit ByteView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

  std::uint8_t U8(std::uint64_t offset) const { return At(offset, 0); }
  std::uint16_t U16(std::uint64_t offset) const {
    return static_cast<std::uint16_t>(At(offset, 0) | At(offset, 1) << 8);
  }
  std::int16_t S16(std::uint64_t offset) const { return static_cast<std::int16_t>(U16(offset)); }
  std::uint32_t U32(std::uint64_t offset) const {
    return At(offset, 0) | At(offset, 1) << 8 | At(offset, 2) << 16 |
           static_cast<std::uint32_t>(At(offset, 3)) << 24;
  }

  // Copies out.size() bytes from `offset`, zeros where the buffer has none.
  void Copy(std::uint64_t offset, std::span<std::uint8_t> out) const;

  // The "text n" rule: the n bytes at `offset` up to the first zero byte, or all n of them when
  // none is zero. The bytes are returned as they are (code page 1251 for the recorder's texts).
  std::string Text(std::uint64_t offset, std::size_t n) const;

 private:
  // Byte `offset + i` without the sum ever overflowing.
  std::uint8_t At(std::uint64_t offset, std::size_t i) const {
    return offset < bytes_.size() && i < bytes_.size() - offset ? bytes_[offset + i] : 0;
  }

  std::span<const std::uint8_t> bytes_;
};

}  // namespace tavrix
