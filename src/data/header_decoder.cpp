#include "data/header_decoder.h"

#include "core/cp1251.h"
#include "core/hh.h"
#include "data/detection.h"
#include "data/header_layout.h"

namespace tavrix {
namespace {

std::string Dec(long v) { return std::to_string(v); }

// Several BCD bytes, most significant pair first: the bytes from offset + count - 1 down to
// offset.
std::string BcdDigits(const ByteView& dump, std::uint32_t offset, int count) {
  std::string digits;
  for (int i = count - 1; i >= 0; --i) digits += Hh(dump.U8(offset + i));
  return digits;
}

// "dd.mm.20yy" from three BCD bytes.
std::string InstallationDate(const ByteView& dump, std::uint32_t day, std::uint32_t month,
                             std::uint32_t year) {
  return Hh(dump.U8(day)) + "." + Hh(dump.U8(month)) + ".20" + Hh(dump.U8(year));
}

std::string LoadingGroup(const ByteView& dump, std::uint32_t offset) {
  return "A" + Dec(dump.U8(offset));  // Latin A
}

}  // namespace

void DecodeHeader52A(const ByteView& dump, HeaderValueList& list) {
  using L = Layout52A;
  list[1] = Dec(dump.U8(L::kVersion));
  list[2] = list[kEntryModel];
  list[3] = BcdDigits(dump, L::kLimiterSerial, 4);
  list[4] = InstallationDate(dump, L::kInstallDay, L::kInstallMonth, L::kInstallYear);
  list[6] = BcdDigits(dump, L::kCraneSerial, 4);
  list[8] = BcdDigits(dump, L::kCraneYear, 2);
  list[9] = LoadingGroup(dump, L::kLoadingGroup);
}

void DecodeHeader52D(const ByteView& dump, HeaderValueList& list) {
  using L = Layout52D;
  list[1] = Dec(dump.U8(L::kVersion));
  list[2] = list[kEntryModel];
  list[3] = dump.Text(L::kLimiterSerial, L::kLimiterSerialWidth);
  list[4] = InstallationDate(dump, L::kInstallDay, L::kInstallMonth, L::kInstallYear);
  std::string crane_model = dump.Text(L::kCraneModel, L::kCraneModelWidth);
  for (char& ch : crane_model) {
    if (static_cast<std::uint8_t>(ch) == kDeviceLetterBe) ch = '\xC1';
    if (static_cast<std::uint8_t>(ch) == kDeviceLetterPe) ch = '\xCF';
  }
  list[5] = crane_model;
  list[6] = Dec(dump.S16(L::kCraneSerial));
  list[8] = Dec(dump.S16(L::kCraneYear));
  list[9] = LoadingGroup(dump, L::kLoadingGroup);
}

void DecodeHeader52N(const ByteView& dump, HeaderValueList& list) {
  using L = Layout52N;
  const std::uint8_t variant = dump.U8(L::kVariant);
  list[1] = Dec(dump.U8(L::kVersion));
  // The N of the mark is the Latin letter, unlike the Н of the designation.
  list[2] = Utf8ToCp1251(std::string(variant > 9 ? "ЗУЛ-52N-" : "ЗУЛ-52N-0") + Dec(variant));
  list[3] = dump.Text(L::kLimiterSerial, L::kLimiterSerialWidth);
  list[4] = InstallationDate(dump, L::kInstallDay, L::kInstallMonth, L::kInstallYear);
  list[5] = dump.Text(L::kCraneModel, L::kCraneModelWidth);
  list[6] = Dec(dump.S16(L::kCraneSerial));
  list[8] = Dec(dump.S16(L::kCraneYear));
  list[9] = LoadingGroup(dump, L::kLoadingGroup);
  list[10] = dump.Text(L::kManufacturer, L::kManufacturerWidth);
}

void DecodeHeader38(const ByteView& dump, const Clock& clock, HeaderValueList& list) {
  using L = Layout38;
  static const std::string kMark = Utf8ToCp1251("ЗУЛ-38-");
  list[1] = "1.0";
  list[2] = kMark;
  list[4] = InstallationDate(dump, L::kInstallDay, L::kInstallMonth, L::kInstallYear);
  // The century rule applies only to day and month bytes in range; a text that is still no real
  // date (day 0x1F, 31 February) keeps its ".20" form.
  const std::uint8_t day = dump.U8(L::kInstallDay), month = dump.U8(L::kInstallMonth);
  if (day < 0x01 || day > 0x31 || month < 0x01 || month > 0x12) return;
  const auto date = ParseDayMonthYear(list[4]);
  const LocalDateTime now = clock.Now();
  if (date && *date > LocalDateTime{now.year, now.month, now.day, 0, 0, 0}) {
    list[4].replace(6, 2, "19");  // "dd.mm.20yy" -> "dd.mm.19yy"
  }
}

void SelectModel(Model m, const ByteView& dump, const Clock& clock, HeaderValueList& list) {
  for (std::size_t k = 0; k < kEntryReadoutTime; ++k) list[k].clear();
  list[kEntryModel] = Designation(m);
  switch (m) {
    case Model::k52A:
      return DecodeHeader52A(dump, list);
    case Model::k52D:
      return DecodeHeader52D(dump, list);
    case Model::k52N:
      return DecodeHeader52N(dump, list);
    case Model::k38:
      return DecodeHeader38(dump, clock, list);
  }
}

std::optional<Model> DetectAndDecode(const ByteView& dump, const Clock& clock,
                                     HeaderValueList& list) {
  const std::optional<Model> model = DetectModel(dump);
  if (model) {
    SelectModel(*model, dump, clock, list);
  } else {
    list[kEntryModel] = NoModelMarker();
  }
  return model;
}

}  // namespace tavrix
