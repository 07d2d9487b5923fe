#include "imagegen/recorder_image.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <stdexcept>

#include "core/byte_view.h"
#include "core/cp1251.h"
#include "data/detection.h"
#include "data/dump.h"
#include "data/header_layout.h"
#include "data/image_checksum.h"
#include "imagegen/random.h"
#include "imagegen/recorder_tables.h"

namespace tavrix::gen {
namespace {

constexpr std::array<const char*, 6> kCraneModels52D = {"КС-45717", "КС-55713-1", "МКГ-25БР",
                                                        "КС-3577",  "КС-35714",   "ПКС-5"};
constexpr std::array<const char*, 6> kCraneModels52N = {"КС-45717К-1", "КС-55713-5К", "КС-54711",
                                                        "КС-6476",     "КС-55729-1В", "КС-35719-1"};
constexpr std::array<const char*, 4> kManufacturers = {
    "Галичский автокрановый завод", "Ивановский автокрановый завод",
    "Клинцовский автокрановый завод", "Камышинский крановый завод"};

std::uint8_t ToBcd(int value) {
  return static_cast<std::uint8_t>((value / 10 % 10) << 4 | value % 10);
}

std::uint8_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  throw std::invalid_argument("not a hexadecimal digit: " + std::string(1, c));
}

class ImageWriter {
 public:
  explicit ImageWriter(std::vector<std::uint8_t>& image) : image_(image) {}

  void Byte(std::uint32_t offset, int value) {
    image_.at(offset) = static_cast<std::uint8_t>(value);
  }
  void S16(std::uint32_t offset, int value) {
    Byte(offset, value & 0xFF);
    Byte(offset + 1, (value >> 8) & 0xFF);
  }
  // Digits (hexadecimal digits allowed, so that non-BCD bytes can be made) stored as `count`
  // BCD bytes, least significant pair first.
  void Bcd(std::uint32_t offset, const std::string& digits, int count) {
    std::string padded = digits;
    if (padded.size() > static_cast<std::size_t>(2 * count))
      padded.erase(0, padded.size() - 2 * count);
    padded.insert(0, 2 * count - padded.size(), '0');
    for (int i = 0; i < count; ++i) {
      const std::size_t pos = padded.size() - 2 * (i + 1);
      Byte(offset + i, HexDigit(padded[pos]) << 4 | HexDigit(padded[pos + 1]));
    }
  }
  void Text(std::uint32_t offset, std::size_t width, const std::string& text) {
    for (std::size_t i = 0; i < width; ++i) {
      Byte(offset + static_cast<std::uint32_t>(i),
           i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
    }
  }
  template <typename Layout>
  void Date(const LocalDateTime& d) {
    Byte(Layout::kInstallDay, ToBcd(d.day));
    Byte(Layout::kInstallMonth, ToBcd(d.month));
    Byte(Layout::kInstallYear, ToBcd(d.year % 100));
  }

 private:
  std::vector<std::uint8_t>& image_;
};

void WriteHeader(std::vector<std::uint8_t>& image, Model model, const RecorderHeader& h) {
  ImageWriter w(image);
  switch (model) {
    case Model::k52A: {
      using L = Layout52A;
      w.Bcd(L::kCraneSerial, h.crane_serial, 4);
      w.Bcd(L::kCraneYear, std::to_string(h.crane_year), 2);
      w.Byte(L::kLoadingGroup, h.loading_group);
      w.Bcd(L::kLimiterSerial, h.limiter_serial, 4);
      w.Date<L>(h.installed);
      w.Byte(L::kVersion, h.version);
      return;
    }
    case Model::k52D: {
      using L = Layout52D;
      std::string crane_model = h.crane_model;
      for (char& ch : crane_model) {
        if (ch == '\xC1') ch = static_cast<char>(kDeviceLetterBe);
        if (ch == '\xCF') ch = static_cast<char>(kDeviceLetterPe);
      }
      w.S16(L::kCraneSerial, std::stoi(h.crane_serial));
      w.S16(L::kCraneYear, h.crane_year);
      w.Byte(L::kVersion, h.version);
      w.Byte(L::kLoadingGroup, h.loading_group);
      w.Text(L::kCraneModel, L::kCraneModelWidth, crane_model);
      w.Text(L::kLimiterSerial, L::kLimiterSerialWidth, h.limiter_serial);
      w.Date<L>(h.installed);
      return;
    }
    case Model::k52N: {
      using L = Layout52N;
      w.Text(L::kLimiterSerial, L::kLimiterSerialWidth, h.limiter_serial);
      w.Byte(L::kVariant, h.variant);
      w.Byte(L::kVersion, h.version);
      w.S16(L::kCraneSerial, std::stoi(h.crane_serial));
      w.S16(L::kCraneYear, h.crane_year);
      w.Byte(L::kLoadingGroup, h.loading_group);
      w.Text(L::kCraneModel, L::kCraneModelWidth, h.crane_model);
      w.Date<L>(h.installed);
      w.Text(L::kManufacturer, L::kManufacturerWidth, h.manufacturer);
      return;
    }
    case Model::k38:
      w.Date<Layout38>(h.installed);
      return;
  }
}

// The stretch of memory that the model's protected blocks cover.
std::pair<std::uint32_t, std::uint32_t> ParameterArea(Model model) {
  std::uint32_t first = UINT32_MAX, end = 0;
  for (const ProtectedBlock& b : DetectionTableOf(model).blocks) {
    first = std::min(first, b.offset);
    end = std::max(end, b.offset + b.length);
  }
  return {first, end};
}

}  // namespace

RecorderHeader PlausibleHeader(Model model, std::uint64_t seed) {
  Random r(seed ^ 0x5A17ull);
  RecorderHeader h;
  h.crane_year = r.Between(1995, 2016);
  h.loading_group = r.Between(3, 7);
  h.installed = {r.Between(2008, 2022), r.Between(1, 12), r.Between(1, 28), 0, 0, 0};
  h.version = r.Between(1, 4);
  h.variant = r.Between(0, 15);
  switch (model) {
    case Model::k52A:
      h.crane_serial = r.Digits(8);
      h.limiter_serial = r.Digits(8);
      break;
    case Model::k52D:
      h.crane_serial = std::to_string(r.Between(1, 32000));
      h.limiter_serial = r.Digits(6);
      h.crane_model = Utf8ToCp1251(r.Pick(kCraneModels52D));
      break;
    case Model::k52N:
      h.crane_serial = std::to_string(r.Between(1, 32000));
      h.limiter_serial = r.Digits(6);
      h.crane_model = Utf8ToCp1251(r.Pick(kCraneModels52N));
      h.manufacturer = Utf8ToCp1251(r.Pick(kManufacturers));
      break;
    case Model::k38:
      break;
  }
  return h;
}

void SealBlocks(std::vector<std::uint8_t>& image, Model model, const std::vector<int>& failing) {
  const auto blocks = DetectionTableOf(model).blocks;
  std::vector<int> order(blocks.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return blocks[a].offset + blocks[a].length < blocks[b].offset + blocks[b].length;
  });
  for (int index : order) {
    const ProtectedBlock& block = blocks[index];
    const std::uint32_t check = block.offset + block.length - 1;
    std::uint8_t sum = 0;
    for (std::uint32_t i = block.offset; i < check; ++i)
      sum = static_cast<std::uint8_t>(sum + image.at(i));
    const bool fails = std::find(failing.begin(), failing.end(), index) != failing.end();
    image.at(check) = static_cast<std::uint8_t>((fails ? 0xFE : 0xFF) - sum);
  }
}

void StoreImageChecksum(std::vector<std::uint8_t>& image) {
  const std::uint32_t sum = ComputeImageChecksum(ByteView(image));
  for (int i = 0; i < 4; ++i)
    image.at(kImageChecksumOffset + i) = static_cast<std::uint8_t>(sum >> (8 * i));
}

std::vector<std::uint8_t> GenerateImage(const ImageSpec& image_spec) {
  const auto& blocks = DetectionTableOf(image_spec.model).blocks;
  if (image_spec.failing_blocks < 0 ||
      image_spec.failing_blocks > static_cast<int>(blocks.size())) {
    throw std::invalid_argument("the model has " + std::to_string(blocks.size()) +
                                " protected blocks; cannot make " +
                                std::to_string(image_spec.failing_blocks) + " of them fail");
  }
  Random r(image_spec.seed);
  std::vector<std::uint8_t> image(kDumpSize, 0xFF);  // erased memory
  const auto [first, end] = ParameterArea(image_spec.model);
  for (std::uint32_t i = first; i < end; ++i) image[i] = static_cast<std::uint8_t>(r.Next());
  WriteHeader(image, image_spec.model, image_spec.header);
  if (image_spec.tables.fill)
    FillTables(image, image_spec.model, image_spec.tables, image_spec.seed);
  for (const auto& [offset, bytes] : image_spec.pokes) {
    if (offset + bytes.size() > image.size())
      throw std::invalid_argument("poke past the end of the image");
    std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
  }
  std::vector<int> indexes(blocks.size());
  std::iota(indexes.begin(), indexes.end(), 0);
  for (std::size_t i = indexes.size(); i > 1; --i) std::swap(indexes[i - 1], indexes[r.Next() % i]);
  indexes.resize(static_cast<std::size_t>(image_spec.failing_blocks));
  SealBlocks(image, image_spec.model, indexes);
  StoreImageChecksum(image);
  return image;
}

}  // namespace tavrix::gen
