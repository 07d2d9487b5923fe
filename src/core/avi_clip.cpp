#include "core/avi_clip.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/byte_view.h"
#include "core/error.h"

namespace tavrix {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kKeyFrame = 0x10;

[[noreturn]] void Fail(std::string_view why) {
  throw Error("Файл анимации поврежден: " + std::string(why) + ".");
}

bool IsId(ByteView bytes, std::uint64_t at, std::string_view id) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (bytes.U8(at + i) != static_cast<std::uint8_t>(id[i])) return false;
  }
  return at + 4 <= bytes.size();
}

// A chunk's body: [begin, end) inside the file, checked against its parent's end.
struct Chunk {
  std::uint64_t id_at, begin, end;
};

Chunk ChunkAt(ByteView bytes, std::uint64_t at, std::uint64_t parent_end) {
  const std::uint64_t size = bytes.U32(at + 4);
  if (at + 8 > parent_end || size > parent_end - at - 8) Fail("блок выходит за конец файла");
  return {at, at + 8, at + 8 + size};
}

std::uint64_t NextChunk(const Chunk& chunk) { return chunk.end + (chunk.end & 1); }

struct Format {
  int width = 0, height = 0;
  std::uint32_t compression = kBiRgb;
};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> file) : bytes_(file) {}

  AviClip Read() {
    if (!IsId(bytes_, 0, "RIFF") || !IsId(bytes_, 8, "AVI ")) Fail("это не файл AVI");
    const Chunk riff = ChunkAt(bytes_, 0, bytes_.size());
    Walk(riff.begin + 4, riff.end);
    if (format_.width == 0) Fail("нет описания кадров");
    if (clip_.frames.empty()) Fail("нет ни одного кадра");
    return std::move(clip_);
  }

 private:
  void Walk(std::uint64_t at, std::uint64_t end) {
    while (at + 8 <= end) {
      const Chunk chunk = ChunkAt(bytes_, at, end);
      if (IsId(bytes_, at, "LIST") || IsId(bytes_, at, "RIFF")) {
        Walk(chunk.begin + 4, chunk.end);
      } else if (IsId(bytes_, at, "avih")) {
        const std::uint32_t interval = bytes_.U32(chunk.begin);
        if (interval > 0) clip_.frame_interval = std::chrono::microseconds(interval);
      } else if (IsId(bytes_, at, "strf") && format_.width == 0) {
        ReadFormat(chunk);
      } else if (bytes_.U8(at + 2) == 'd' &&
                 (bytes_.U8(at + 3) == 'b' || bytes_.U8(at + 3) == 'c')) {
        ReadFrame(chunk);
      }
      at = NextChunk(chunk);
    }
  }

  void ReadFormat(const Chunk& chunk) {
    const std::int32_t width = static_cast<std::int32_t>(bytes_.U32(chunk.begin + 4));
    const std::int32_t height = static_cast<std::int32_t>(bytes_.U32(chunk.begin + 8));
    if (width <= 0 || width > kMaxAviSide || height == 0 || height > kMaxAviSide ||
        height < -kMaxAviSide) {
      Fail("недопустимый размер кадра");
    }
    if (bytes_.U16(chunk.begin + 14) != 8) Fail("кадры не 8-битные");
    format_.compression = bytes_.U32(chunk.begin + 16);
    if (format_.compression != kBiRgb && format_.compression != kBiRle8) Fail("неизвестное сжатие");
    bottom_up_ = height > 0;
    format_.width = width;
    format_.height = std::abs(height);
    clip_.width = format_.width;
    clip_.height = format_.height;
    const std::uint64_t header_size = bytes_.U32(chunk.begin);
    std::uint32_t colours = bytes_.U32(chunk.begin + 32);
    if (colours == 0 || colours > 256) colours = 256;
    for (std::uint32_t i = 0; i < colours; ++i) {
      const std::uint64_t entry = chunk.begin + header_size + 4 * std::uint64_t{i};
      if (entry + 4 > chunk.end) break;
      clip_.palette[i] = bytes_.U8(entry + 2) << 16 | bytes_.U8(entry + 1) << 8 | bytes_.U8(entry);
    }
  }

  void ReadFrame(const Chunk& chunk) {
    if (format_.width == 0) Fail("кадр перед описанием кадров");
    const std::size_t pixels = static_cast<std::size_t>(format_.width) * format_.height;
    if (clip_.frames.size() >= kMaxAviFrames ||
        (clip_.frames.size() + 1) * pixels > kMaxAviPixels) {
      Fail("слишком много кадров");
    }
    std::vector<std::uint8_t> frame =
        clip_.frames.empty() ? std::vector<std::uint8_t>(pixels) : clip_.frames.back();
    const ByteView body(bytes_.bytes().subspan(chunk.begin, chunk.end - chunk.begin));
    if (format_.compression == kBiRle8) {
      DecodeRle8(body, frame);
    } else {
      DecodeRgb8(body, frame);
    }
    clip_.frames.push_back(std::move(frame));
  }

  // File row `r` (in storage order) is picture row `Row(r)`.
  int Row(int r) const { return bottom_up_ ? format_.height - 1 - r : r; }

  void DecodeRgb8(ByteView body, std::vector<std::uint8_t>& frame) const {
    const std::size_t stride = (static_cast<std::size_t>(format_.width) + 3) & ~std::size_t{3};
    if (body.size() < stride * format_.height) Fail("кадр короче своего размера");
    for (int r = 0; r < format_.height; ++r) {
      body.Copy(stride * r, std::span(frame).subspan(
                                static_cast<std::size_t>(Row(r)) * format_.width, format_.width));
    }
  }

  void DecodeRle8(ByteView body, std::vector<std::uint8_t>& frame) const {
    int x = 0, r = 0;
    const auto put = [&](std::uint8_t index) {
      if (x < format_.width && r < format_.height) {
        frame[static_cast<std::size_t>(Row(r)) * format_.width + x] = index;
      }
      ++x;
    };
    for (std::uint64_t at = 0; at + 1 < body.size();) {
      const std::uint8_t count = body.U8(at), value = body.U8(at + 1);
      at += 2;
      if (count > 0) {
        for (int i = 0; i < count; ++i) put(value);
      } else if (value == 0) {
        x = 0;
        ++r;
      } else if (value == 1) {
        return;
      } else if (value == 2) {
        x += body.U8(at);
        r += body.U8(at + 1);
        at += 2;
      } else {
        for (int i = 0; i < value; ++i) put(body.U8(at + i));
        at += value + (value & 1);
      }
    }
  }

  ByteView bytes_;
  AviClip clip_;
  Format format_;
  bool bottom_up_ = true;
};

class Writer {
 public:
  void Id(std::string_view id) { out.insert(out.end(), id.begin(), id.end()); }
  void U16(std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  // Starts a chunk (or a LIST/RIFF with its form type) and returns where its size goes.
  std::size_t Open(std::string_view id, std::string_view form = {}) {
    Id(id);
    const std::size_t size_at = out.size();
    U32(0);
    if (!form.empty()) Id(form);
    return size_at;
  }
  void Close(std::size_t size_at) {
    const std::size_t size = out.size() - size_at - 4;
    for (int i = 0; i < 4; ++i) out[size_at + i] = static_cast<std::uint8_t>(size >> (8 * i));
    if (size & 1) out.push_back(0);
  }

  std::vector<std::uint8_t> out;
};

std::vector<std::uint8_t> EncodeRle8(const AviClip& clip, const std::vector<std::uint8_t>& frame) {
  std::vector<std::uint8_t> body;
  for (int r = clip.height - 1; r >= 0; --r) {
    const std::uint8_t* row = frame.data() + static_cast<std::size_t>(r) * clip.width;
    for (int x = 0; x < clip.width;) {
      int run = 1;
      while (x + run < clip.width && run < 255 && row[x + run] == row[x]) ++run;
      body.push_back(static_cast<std::uint8_t>(run));
      body.push_back(row[x]);
      x += run;
    }
    body.push_back(0);
    body.push_back(r == 0 ? 1 : 0);
  }
  return body;
}

std::vector<std::uint8_t> EncodeRgb8(const AviClip& clip, const std::vector<std::uint8_t>& frame) {
  const std::size_t stride = (static_cast<std::size_t>(clip.width) + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> body(stride * clip.height);
  for (int r = 0; r < clip.height; ++r) {
    std::copy_n(frame.begin() + static_cast<std::ptrdiff_t>(r) * clip.width, clip.width,
                body.begin() + static_cast<std::ptrdiff_t>(stride * (clip.height - 1 - r)));
  }
  return body;
}

}  // namespace

AviClip ReadAviClip(std::span<const std::uint8_t> file) { return Reader(file).Read(); }

std::vector<std::uint8_t> WriteAviClip(const AviClip& clip, AviCompression compression) {
  const bool rle = compression == AviCompression::kRle8;
  std::vector<std::vector<std::uint8_t>> bodies;
  std::size_t largest = 0;
  for (const auto& frame : clip.frames) {
    bodies.push_back(rle ? EncodeRle8(clip, frame) : EncodeRgb8(clip, frame));
    largest = std::max(largest, bodies.back().size());
  }
  const auto frames = static_cast<std::uint32_t>(clip.frames.size());
  const auto interval = static_cast<std::uint32_t>(clip.frame_interval.count());
  Writer w;
  const std::size_t riff = w.Open("RIFF", "AVI ");
  const std::size_t hdrl = w.Open("LIST", "hdrl");
  const std::size_t avih = w.Open("avih");
  for (std::uint32_t v :
       {interval, 0u, 0u, kKeyFrame, frames, 0u, 1u, static_cast<std::uint32_t>(largest),
        static_cast<std::uint32_t>(clip.width), static_cast<std::uint32_t>(clip.height), 0u, 0u, 0u,
        0u}) {
    w.U32(v);
  }
  w.Close(avih);
  const std::size_t strl = w.Open("LIST", "strl");
  const std::size_t strh = w.Open("strh");
  w.Id("vids");
  w.Id(rle ? "RLE " : "DIB ");
  for (std::uint32_t v : {0u, 0u, interval, 1000000u, 0u, frames,
                          static_cast<std::uint32_t>(largest), 0xFFFFFFFFu, 0u}) {
    w.U32(v);
  }
  for (std::uint32_t v :
       {0u, 0u, static_cast<std::uint32_t>(clip.width), static_cast<std::uint32_t>(clip.height)}) {
    w.U16(v);
  }
  w.Close(strh);
  const std::size_t strf = w.Open("strf");
  for (std::uint32_t v :
       {40u, static_cast<std::uint32_t>(clip.width), static_cast<std::uint32_t>(clip.height)}) {
    w.U32(v);
  }
  w.U16(1);
  w.U16(8);
  for (std::uint32_t v : {rle ? kBiRle8 : kBiRgb, 0u, 0u, 0u, 256u, 0u}) w.U32(v);
  for (std::uint32_t colour : clip.palette) w.U32(colour & 0xFFFFFF);
  w.Close(strf);
  w.Close(strl);
  w.Close(hdrl);
  const std::size_t movi = w.Open("LIST", "movi");
  std::vector<std::pair<std::uint32_t, std::uint32_t>> index;  // offset from "movi", size
  for (const auto& body : bodies) {
    index.emplace_back(static_cast<std::uint32_t>(w.out.size() - movi - 4),
                       static_cast<std::uint32_t>(body.size()));
    const std::size_t chunk = w.Open(rle ? "00dc" : "00db");
    w.out.insert(w.out.end(), body.begin(), body.end());
    w.Close(chunk);
  }
  w.Close(movi);
  const std::size_t idx1 = w.Open("idx1");
  for (const auto& [offset, size] : index) {
    w.Id(rle ? "00dc" : "00db");
    w.U32(kKeyFrame);
    w.U32(offset);
    w.U32(size);
  }
  w.Close(idx1);
  w.Close(riff);
  return std::move(w.out);
}

}  // namespace tavrix
