// Replays a fuzz target's corpus without the fuzzing engine: every file named on the command
// line, or found in a folder named there, goes once through LLVMFuzzerTestOneInput. A fault
// shows as a crash or a sanitizer report; the name of each input is printed before it runs.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& arg) {
  if (!std::filesystem::is_directory(arg)) return {arg};
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(arg)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& file : InputsOf(argv[i])) {
      std::printf("%s\n", file.c_str());
      std::fflush(stdout);
      std::ifstream in(file, std::ios::binary);
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++replayed;
    }
  }
  if (replayed == 0) {
    std::fprintf(stderr, "no corpus input found\n");
    return 1;
  }
  return 0;
}
