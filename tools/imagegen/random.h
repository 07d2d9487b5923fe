// The generator's random numbers: splitmix64, whose sequence is the same on every platform, so
// that a seed always gives the same image.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavrix::gen {

// splitmix64: a small generator whose sequence is the same on every platform.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Between(int low, int high) {  // inclusive
    return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
  std::string Digits(int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + Between(0, 9));
    return digits;
  }
  template <typename T, std::size_t N>
  const T& Pick(const std::array<T, N>& items) {
    return items[Next() % N];
  }

 private:
  std::uint64_t state_;
};

}  // namespace tavrix::gen
