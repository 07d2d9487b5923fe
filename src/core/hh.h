// HH rendering: a recorder byte as two upper-case hexadecimal digits. For the recorder's BCD
// dates, times and serial numbers this gives their decimal digits (0x25 -> "25"); a byte that is
// not valid BCD shows its hexadecimal digits all the same (0x1A -> "1A").
#pragma once

#include <cstdint>
#include <string>

namespace tavrix {

inline std::string Hh(std::uint8_t b) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[b >> 4], kDigits[b & 0x0F]};
}

}  // namespace tavrix
