// Where each model keeps the header fields that the system decodes: absolute dump offsets and
// text widths. ЗУЛ-52А and ЗУЛ-52Д keep their header from offset 0, ЗУЛ-52Н from 232 320,
// ЗУЛ-38 from 264 000. The decoders read these fields and the image generator writes them.
#pragma once

#include <cstdint>

namespace tavrix {

inline constexpr std::uint32_t kBase52N = 232320;  // 0x38B80
inline constexpr std::uint32_t kBase38 = 264000;   // 0x40740

struct Layout52A {
  static constexpr std::uint32_t kCraneSerial = 0;     // 4 BCD bytes, low pair first
  static constexpr std::uint32_t kCraneYear = 6;       // 2 BCD bytes, low pair first
  static constexpr std::uint32_t kLoadingGroup = 8;    // byte
  static constexpr std::uint32_t kLimiterSerial = 14;  // 4 BCD bytes, low pair first
  static constexpr std::uint32_t kInstallMonth = 18;   // BCD
  static constexpr std::uint32_t kInstallDay = 19;     // BCD
  static constexpr std::uint32_t kInstallYear = 20;    // BCD, year within the century
  static constexpr std::uint32_t kVersion = 24;        // byte
};

struct Layout52D {
  static constexpr std::uint32_t kCraneSerial = 0;  // signed 16
  static constexpr std::uint32_t kCraneYear = 2;    // signed 16
  static constexpr std::uint32_t kVersion = 4;
  static constexpr std::uint32_t kLoadingGroup = 6;
  static constexpr std::uint32_t kCraneModel = 7;  // text 13, 0xA0 for Б and 0xA8 for П
  static constexpr std::uint32_t kCraneModelWidth = 13;
  static constexpr std::uint32_t kLimiterSerial = 20;  // text 9
  static constexpr std::uint32_t kLimiterSerialWidth = 9;
  static constexpr std::uint32_t kInstallDay = 31;
  static constexpr std::uint32_t kInstallMonth = 32;
  static constexpr std::uint32_t kInstallYear = 33;
};

struct Layout52N {
  static constexpr std::uint32_t kLimiterSerial = kBase52N + 0;  // text 8
  static constexpr std::uint32_t kLimiterSerialWidth = 8;
  static constexpr std::uint32_t kVariant = kBase52N + 8;
  static constexpr std::uint32_t kVersion = kBase52N + 12;
  static constexpr std::uint32_t kCraneSerial = kBase52N + 94;  // signed 16
  static constexpr std::uint32_t kCraneYear = kBase52N + 96;    // signed 16
  static constexpr std::uint32_t kLoadingGroup = kBase52N + 98;
  static constexpr std::uint32_t kCraneModel = kBase52N + 99;  // text 15
  static constexpr std::uint32_t kCraneModelWidth = 15;
  static constexpr std::uint32_t kInstallDay = kBase52N + 114;
  static constexpr std::uint32_t kInstallMonth = kBase52N + 115;
  static constexpr std::uint32_t kInstallYear = kBase52N + 116;
  static constexpr std::uint32_t kManufacturer = kBase52N + 117;  // text 40
  static constexpr std::uint32_t kManufacturerWidth = 40;
};

struct Layout38 {
  static constexpr std::uint32_t kInstallMonth = kBase38 + 0;
  static constexpr std::uint32_t kInstallDay = kBase38 + 1;
  static constexpr std::uint32_t kInstallYear = kBase38 + 2;
};

// ЗУЛ-52Д's own byte values in its crane-model text, and the code page 1251 letters they stand for.
inline constexpr std::uint8_t kDeviceLetterBe = 0xA0;  // Б, 0xC1 in code page 1251
inline constexpr std::uint8_t kDeviceLetterPe = 0xA8;  // П, 0xCF in code page 1251

}  // namespace tavrix
