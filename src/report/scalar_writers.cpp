#include "report/scalar_writers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <type_traits>
#include <utility>

#include "core/hh.h"
#include "data/model.h"
#include "report/number_text.h"
#include "report/report_job.h"

namespace tavrix::report {
namespace {

// Scalar line fields.
constexpr std::size_t kOffset = 1, kCopy = 2, kCount = 4, kScale = 5, kSheet = 6, kCorner1 = 7,
                      kCorner2 = 8, kPrefix = 9, kSeparator = 10, kSuffix = 11;

constexpr std::array<std::pair<std::string_view, ScalarKind>, 9> kKeywords = {{
    {"Int", ScalarKind::kInt},
    {"UShortInt", ScalarKind::kUShortInt},
    {"ShortInt", ScalarKind::kShortInt},
    {"Char", ScalarKind::kChar},
    {"UChar", ScalarKind::kUChar},
    {"Hex", ScalarKind::kHex},
    {"Time", ScalarKind::kTime},
    {"Data", ScalarKind::kData},
    {"Float", ScalarKind::kFloat},
}};

// How many bytes a line may read into its keyword's value buffer.
std::size_t MaxCount(ScalarKind kind) {
  switch (kind) {
    case ScalarKind::kInt:
    case ScalarKind::kTime:
    case ScalarKind::kFloat:
      return 4;
    case ScalarKind::kUShortInt:
    case ScalarKind::kShortInt:
      return 2;
    case ScalarKind::kChar:
      return 49;  // of 50, so that a zero byte ends the text
    case ScalarKind::kUChar:
    case ScalarKind::kHex:
      return 50;
    case ScalarKind::kData:
      return 6;
  }
  return 0;
}

using Bytes = std::array<std::uint8_t, 50>;

class ScalarLine {
 public:
  ScalarLine(TZULToExcel& job, ScalarKind kind, const DescriptionLine& line)
      : job_(job), line_(line), max_count_(MaxCount(kind)) {}

  // The skip test: a worksheet or a corner missing, or an offset not inside the data file.
  bool Skipped() const {
    return line_.Text(kCorner1).empty() || line_.Text(kCorner2).empty() ||
           line_.Text(kSheet).empty() || line_.Integer(kOffset) >= job_.data_size();
  }

  std::size_t Count(std::size_t max) const {
    return static_cast<std::size_t>(
        std::clamp<std::int64_t>(line_.Integer(kCount), 0, static_cast<std::int64_t>(max)));
  }
  // The field 4 bytes at the offset in `offset_field`, at most `max_count` of them; the rest of
  // the buffer is zero. A negative offset reads as beyond the end of the file.
  Bytes Read(std::size_t offset_field, std::size_t max_count) const {
    Bytes bytes{};
    const std::int32_t offset = line_.Integer(offset_field);
    job_.data().Copy(offset < 0 ? UINT64_MAX : static_cast<std::uint64_t>(offset),
                     std::span(bytes).first(Count(max_count)));
    return bytes;
  }
  Bytes Read() const { return Read(kOffset, max_count_); }
  std::size_t Count() const { return Count(max_count_); }

  // The value, or the larger of it and its second copy when field 2 names one.
  template <typename T>
  T Larger() const {
    T value = As<T>(Read());
    if (line_.Integer(kCopy) != 0) {
      const T second = As<T>(Read(kCopy, max_count_));
      if (second > value) value = second;
    }
    return value;
  }

  std::string Wrapped(std::string_view value) const {
    return std::string(line_.Text(kPrefix)) + std::string(value) + std::string(line_.Text(kSuffix));
  }
  std::string_view Separator() const { return line_.Text(kSeparator); }
  const DescriptionLine& line() const { return line_; }

  void Write(CellValue value) {
    job_.SwitchWorksheet(line_.Integer(kSheet));
    job_.WriteRange(std::string(line_.Text(kCorner1)), std::string(line_.Text(kCorner2)),
                    std::move(value));
    job_.set_line_index(job_.line_index() + 1);
  }

 private:
  template <typename T>
  static T As(const Bytes& bytes) {
    const ByteView view(bytes);
    if constexpr (std::is_same_v<T, std::int32_t>) {
      return static_cast<std::int32_t>(view.U32(0));
    } else if constexpr (std::is_same_v<T, std::uint32_t>) {
      return view.U32(0);
    } else if constexpr (std::is_same_v<T, std::uint16_t>) {
      return view.U16(0);
    } else if constexpr (std::is_same_v<T, std::int16_t>) {
      return view.S16(0);
    } else {
      return std::bit_cast<float>(view.U32(0));
    }
  }

  TZULToExcel& job_;
  const DescriptionLine& line_;
  std::size_t max_count_;
};

// "Int", "UShortInt", "ShortInt": the text of the value when field 5 is exactly "1", else the
// value times field 5 as a single-precision number.
template <typename T>
CellValue IntegerValue(const ScalarLine& s) {
  const T value = s.Larger<T>();
  if (s.line().Text(kScale) == "1") return s.Wrapped(std::to_string(value));
  return static_cast<float>(s.line().Decimal(kScale) * static_cast<double>(value));
}

// "UChar", "Hex": each byte, last first, followed by the separator.
std::string BytesText(const ScalarLine& s, bool hex) {
  const Bytes bytes = s.Read();
  std::string text;
  for (std::size_t i = s.Count(); i-- > 0;) {
    text += hex ? Hh(bytes[i]) : std::to_string(bytes[i]);
    text += s.Separator();
  }
  return text;
}

std::string TimeText(const ScalarLine& s) {
  const std::uint32_t value = s.Larger<std::uint32_t>();
  const auto t = static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) *
                                            static_cast<std::uint32_t>(s.line().Integer(kScale)));
  const std::uint32_t h = t / 3600, m = t / 60 - h * 60, sec = t - h * 3600 - m * 60;
  const auto two = [](std::uint32_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  return std::to_string(h) + ":" + two(m) + ":" + two(sec);
}

// The packed date and time of a ЗУЛ-38 stamp; the recorder's empty stamp gives the empty text.
std::string Stamp38Text(const Bytes& b) {
  const auto d = [](int v) { return std::to_string(v); };
  const std::string text = d((b[1] & 0x30) >> 4) + d(b[1] & 0x0F) + ":" + d((b[0] & 0x70) >> 4) +
                           d(b[0] & 0x0F) + " " + d((b[2] & 0x30) >> 4) + d(b[2] & 0x0F) + "." +
                           d((b[3] & 0x10) >> 4) + d(b[3] & 0x0F) + ".20" + d(b[4] >> 4) +
                           d(b[4] & 0x0F);
  return text == "00:00 00.00.2000" ? std::string() : text;
}

std::string DateText(const ScalarLine& s, const std::string& model) {
  const Bytes b = s.Read();
  const auto m = ModelFromDesignation(model);
  if (m == Model::k52D || m == Model::k52N) return Hh(b[0]) + "." + Hh(b[1]) + "." + Hh(b[2]);
  if (m == Model::k38) return Stamp38Text(b);
  if (s.line().Integer(kCount) == 4) return Hh(b[1]) + "." + Hh(b[0]) + "." + Hh(b[3]) + Hh(b[2]);
  return Hh(b[1]) + "." + Hh(b[0]) + "." + Hh(b[2]);
}

CellValue FloatValue(const ScalarLine& s, const TZULToExcel& job) {
  if (ModelFromDesignation(job.model()) == Model::k38) {
    // An unsigned fixed-point number with 16 fraction bits, read from up to 5 bytes.
    const Bytes b = s.Read(kOffset, 5);
    const double v = b[4] * 65536.0 + b[3] * 256.0 + b[2] + b[1] / 256.0 + b[0] / 65536.0;
    return FormatGeneral(v, job.decimal_separator());
  }
  return s.Wrapped(FormatGeneral(s.Larger<float>(), job.decimal_separator()));
}

CellValue Render(ScalarKind kind, const ScalarLine& s, const TZULToExcel& job) {
  switch (kind) {
    case ScalarKind::kInt:
      return IntegerValue<std::int32_t>(s);
    case ScalarKind::kUShortInt:
      return IntegerValue<std::uint16_t>(s);
    case ScalarKind::kShortInt:
      return IntegerValue<std::int16_t>(s);
    case ScalarKind::kChar:
      return s.Wrapped(ByteView(s.Read()).Text(0, 50));
    case ScalarKind::kUChar:
      return s.Wrapped(BytesText(s, false));
    case ScalarKind::kHex:
      return s.Wrapped(BytesText(s, true));
    case ScalarKind::kTime:
      return s.Wrapped(TimeText(s));
    case ScalarKind::kData:
      return s.Wrapped(DateText(s, job.model()));
    case ScalarKind::kFloat:
      return FloatValue(s, job);
  }
  return std::string();
}

}  // namespace

std::optional<ScalarKind> ScalarKindFromKeyword(std::string_view keyword) {
  for (const auto& [text, kind] : kKeywords) {
    if (text == keyword) return kind;
  }
  return std::nullopt;
}

void WriteScalar(TZULToExcel& job, ScalarKind kind, const DescriptionLine& line) {
  ScalarLine scalar(job, kind, line);
  if (scalar.Skipped()) return;
  scalar.Write(Render(kind, scalar, job));
}

}  // namespace tavrix::report
