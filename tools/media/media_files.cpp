#include "media/media_files.h"

#include <cmath>
#include <numbers>

namespace tavrix::media {
namespace {

enum Colour : std::uint8_t {
  kCream,
  kNavy,
  kFolder,
  kFolderEdge,
  kWhite,
  kFrame,
  kGreen,
  kLightGreen,
  kGrey,
  kBlue,
};
constexpr std::array<std::uint32_t, 10> kColours = {0xFFFBF0, 0x000080, 0xF2C24B, 0x9A6B12,
                                                    0xFFFFFF, 0x8CA6C6, 0x1D6F42, 0xCFE8D8,
                                                    0x555555, 0x2F6FB0};

class Canvas {
 public:
  Canvas(int width, int height)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, kCream) {}

  void Fill(int x, int y, int w, int h, std::uint8_t colour) {
    for (int row = std::max(0, y); row < std::min(height_, y + h); ++row) {
      for (int col = std::max(0, x); col < std::min(width_, x + w); ++col) {
        pixels_[static_cast<std::size_t>(row) * width_ + col] = colour;
      }
    }
  }
  void Box(int x, int y, int w, int h, std::uint8_t inside, std::uint8_t edge) {
    Fill(x, y, w, h, edge);
    Fill(x + 1, y + 1, w - 2, h - 2, inside);
  }
  std::vector<std::uint8_t> Take() { return std::move(pixels_); }

 private:
  int width_, height_;
  std::vector<std::uint8_t> pixels_;
};

AviClip EmptyClip(int width, int height, int interval_ms) {
  AviClip clip;
  clip.width = width;
  clip.height = height;
  clip.frame_interval = std::chrono::milliseconds(interval_ms);
  for (std::size_t i = 0; i < kColours.size(); ++i) clip.palette[i] = kColours[i];
  return clip;
}

void Folder(Canvas& c, int x, int y) {
  c.Box(x, y, 16, 6, kFolder, kFolderEdge);
  c.Box(x, y + 5, 40, 28, kFolder, kFolderEdge);
}

void Sheet(Canvas& c, int x, int y) {
  c.Box(x, y, 16, 20, kWhite, kNavy);
  for (int line = 0; line < 4; ++line) c.Fill(x + 3, y + 4 + 4 * line, 10, 1, kGrey);
}

}  // namespace

AviClip FileCopyClip() {
  constexpr int kWidth = 272, kHeight = 60;
  AviClip clip = EmptyClip(kWidth, kHeight, 100);
  for (int n = 0; n < kFileCopyFrames; ++n) {
    Canvas c(kWidth, kHeight);
    Folder(c, 18, 24);
    Folder(c, kWidth - 58, 24);
    const double t = static_cast<double>(n) / (kFileCopyFrames - 1);
    const int x = static_cast<int>(30 + t * (kWidth - 88));
    const int y = static_cast<int>(26 - std::sin(t * std::numbers::pi) * 24);
    Sheet(c, x, y);
    clip.frames.push_back(c.Take());
  }
  return clip;
}

AviClip ToXlsClip() {
  constexpr int kWidth = 272, kHeight = 46;
  constexpr int kColumns = 8, kRows = 6, kCellW = 14, kCellH = 6;
  constexpr int kGridX = 130, kGridY = 4;
  AviClip clip = EmptyClip(kWidth, kHeight, 60);
  for (int n = 0; n < kToXlsFrames; ++n) {
    Canvas c(kWidth, kHeight);
    Sheet(c, 24, 12);
    // Dots travel from the data file to the worksheet.
    for (int dot = 0; dot < 3; ++dot) {
      const int x = 48 + ((n * 3 + dot * 20) % 66);
      c.Fill(x, 21, 3, 3, kBlue);
    }
    c.Box(kGridX - 1, kGridY - 1, kColumns * kCellW + 3, kRows * kCellH + 3, kWhite, kGreen);
    const int filled = n * kColumns * kRows / (kToXlsFrames - 1);
    for (int cell = 0; cell < kColumns * kRows; ++cell) {
      const int x = kGridX + 1 + (cell % kColumns) * kCellW;
      const int y = kGridY + 1 + (cell / kColumns) * kCellH;
      c.Box(x, y, kCellW, kCellH, cell < filled ? kLightGreen : kWhite, kFrame);
      if (cell < filled) c.Fill(x + 3, y + 2, kCellW - 7, 2, kGreen);
    }
    clip.frames.push_back(c.Take());
  }
  return clip;
}

std::vector<std::uint8_t> TadaWav() {
  constexpr std::uint32_t kRate = 22050;
  constexpr double kSeconds = 1.4;
  constexpr std::array<double, 4> kNotes = {523.25, 659.25, 783.99, 1046.5};  // C E G C
  const auto samples = static_cast<std::uint32_t>(kRate * kSeconds);
  std::vector<std::uint8_t> wav;
  wav.reserve(44 + std::size_t{samples} * 2);
  const auto u16 = [&](std::uint32_t v) {
    wav.push_back(static_cast<std::uint8_t>(v));
    wav.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  const auto u32 = [&](std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  const auto id = [&](const char* s) { wav.insert(wav.end(), s, s + 4); };
  id("RIFF");
  u32(36 + samples * 2);
  id("WAVE");
  id("fmt ");
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(kRate);
  u32(kRate * 2);
  u16(2);
  u16(16);
  id("data");
  u32(samples * 2);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double t = static_cast<double>(i) / kRate;
    double v = 0;
    for (std::size_t k = 0; k < kNotes.size(); ++k) {
      const double start = 0.09 * static_cast<double>(k);
      if (t < start) continue;
      const double age = t - start;
      v += std::sin(2 * std::numbers::pi * kNotes[k] * age) * std::exp(-age * 3.0) *
           std::min(1.0, age * 200);
    }
    u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v / kNotes.size() * 30000)));
  }
  return wav;
}

}  // namespace tavrix::media
