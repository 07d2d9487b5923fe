// tavrix-resource: turns a readable program-directory file (UTF-8) into the file Tavrix reads:
// code page 1251 with CR LF line ends, scrambled when it is a report library. A character that
// code page 1251 cannot hold is refused with its line number, so that no text turns into '?'.
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "report/unscramble.h"

namespace {

// The text's lines, each ended with CR LF; LF and CR LF line ends are both taken.
std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string ToCp1251(const std::string& utf8) {
  const std::string cp1251 = tavrix::Utf8ToCp1251(utf8);
  if (tavrix::Cp1251ToUtf8(cp1251) == utf8) return cp1251;
  int line = 1;
  const std::string back = tavrix::Cp1251ToUtf8(cp1251);
  for (std::size_t i = 0; i < utf8.size() && i < back.size() && utf8[i] == back[i]; ++i)
    line += utf8[i] == '\n';
  throw tavrix::Error("line " + std::to_string(line) +
                      ": a character that code page 1251 cannot hold");
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Converts a UTF-8 text into code page 1251 with CR LF line ends, and scrambles it "
      "into a report library with --scramble"};
  std::string in, out;
  bool scramble = false;
  app.add_flag("--scramble", scramble, "Write a scrambled report library");
  app.add_option("IN", in, "UTF-8 text to read")->required();
  app.add_option("OUT", out, "File to write (replaced only when written whole)")->required();
  CLI11_PARSE(app, argc, argv);
  try {
    const auto bytes = tavrix::ReadFileBytes(tavrix::PathFromUtf8(in));
    const std::string text = ToCp1251(WithCrLf(std::string(bytes.begin(), bytes.end())));
    const auto result = scramble ? tavrix::report::Scramble(text)
                                 : std::vector<std::uint8_t>(text.begin(), text.end());
    tavrix::WriteFileAtomically(tavrix::PathFromUtf8(out), result);
  } catch (const std::exception& e) {
    std::cerr << "tavrix-resource: " << in << ": " << e.what() << '\n';
    return 1;
  }
  return 0;
}
