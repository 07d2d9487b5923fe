// zhuv6-sim: a simulated ЖУВ-6 transfer unit on a pseudo-terminal, for tests, demos and
// benchmarks of the download. Prints the device path to open, then serves until killed.
#include <charconv>
#include <csignal>
#include <iostream>

#include <CLI/CLI.hpp>

#include "core/error.h"
#include "core/file_io.h"
#include "data/dump.h"
#include "imagegen/recorder_image.h"
#include "zhuv6sim/simulator.h"

namespace {

tavrix::Cancellation* g_stop = nullptr;

void OnSignal(int) {
  if (g_stop != nullptr) g_stop->Cancel();
}

std::uint8_t ParseByte(const std::string& hex) {
  unsigned value = 0;
  const char* end = hex.data() + hex.size();
  const auto [stop, error] = std::from_chars(hex.data(), end, value, 16);
  if (hex.empty() || error != std::errc() || stop != end || value > 0xFF) {
    throw tavrix::Error("--answer takes one byte in hex, such as 55, not \"" + hex + "\"");
  }
  return static_cast<std::uint8_t>(value);
}

std::vector<std::uint8_t> LoadImage(const std::string& image, const std::string& model_name,
                                    std::uint64_t seed) {
  if (!image.empty()) return tavrix::ReadFileBytes(tavrix::PathFromUtf8(image));
  const auto model = tavrix::ParseModelName(model_name);
  if (!model) throw tavrix::Error("unknown model: " + model_name);
  return tavrix::gen::GenerateImage(
      {*model, seed, tavrix::gen::PlausibleHeader(*model, seed), 0, {}, {}});
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "zhuv6-sim: a ЖУВ-6 transfer unit on a pseudo-terminal. Prints the device path to open, "
      "answers the probe 0x08 with 0xA0 and sends its memory image on 0x02."};
  tavrix::sim::SimOptions o;
  std::string image, model = "52A", path_file, answer;
  std::uint64_t seed = 1;
  unsigned answer_late_ms = 0;
  auto* source = app.add_option("--image", image, "Memory image file to serve");
  app.add_option("--model", model,
                 "Serve a generated image of this model: 52A, 52D, 52N, 38 (default 52A)")
      ->excludes(source);
  app.add_option("--seed", seed, "Seed of the generated image (default 1)")->excludes(source);
  app.add_option("--path-file", path_file, "Also write the device path to this file");
  app.add_flag("--fast", o.fast, "Send as fast as the pty takes it, not at 9 600 bytes/s");
  app.add_flag("--once", o.once, "Exit after one download, once the client has closed the port");
  app.add_option("--stop-after", o.stop_after, "Fault: send only the first N bytes");
  app.add_option("--surplus", o.surplus, "Fault: send N bytes more after the image");
  app.add_flag("--corrupt-checksum", o.corrupt_checksum,
               "Fault: the stored image checksum is off by one");
  app.add_flag("--never-answer", o.never_answer, "Fault: ignore the probe and every request");
  app.add_option("--answer", answer, "Fault: answer the probe with this byte (hex, e.g. 55)");
  app.add_flag("--noise", o.noise, "Fault: send a constant stream of noise until the probe");
  app.add_option("--answer-late", answer_late_ms, "Fault: answer the probe after MS milliseconds");
  app.add_option("--hangup-after", o.hangup_after,
                 "Fault: hang up (close the line and exit) after sending N bytes");
  CLI11_PARSE(app, argc, argv);
  try {
    o.image = LoadImage(image, model, seed);
    if (!answer.empty()) o.answer = ParseByte(answer);
    o.answer_delay = std::chrono::milliseconds(answer_late_ms);
    tavrix::Cancellation stop;
    g_stop = &stop;
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    tavrix::sim::Simulator simulator(std::move(o));
    if (!path_file.empty()) {
      const std::string line = simulator.slave_path() + "\n";
      tavrix::WriteFileAtomically(
          tavrix::PathFromUtf8(path_file),
          {reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
    }
    std::cout << simulator.slave_path() << std::endl;
    simulator.Run(stop);
    g_stop = nullptr;
  } catch (const std::exception& e) {
    std::cerr << "zhuv6-sim: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
