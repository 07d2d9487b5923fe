// The link to the ЖУВ-6 transfer unit: the PC probes with 0x08, the unit answers 0xA0; on 0x02
// the unit sends its memory image (kDumpSize bytes, byte 0 first) and then falls silent.
// The line runs at 115200 baud, 8 data bits, even parity, 2 stop bits: 12 bits a byte.
#pragma once

#include <cstdint>

#include "data/dump.h"

namespace tavrix {

inline constexpr std::uint8_t kProbeByte = 0x08;
inline constexpr std::uint8_t kAnswerByte = 0xA0;
inline constexpr std::uint8_t kSendImageByte = 0x02;

inline constexpr std::uint32_t kLineBaudRate = 115200;
inline constexpr std::uint32_t kLineBitsPerByte = 12;
inline constexpr std::uint32_t kLineBytesPerSecond = kLineBaudRate / kLineBitsPerByte;  // 9 600

}  // namespace tavrix
