// tavrix-gen: writes a recorder memory image made by the image generator.
#include <cstdio>
#include <iostream>
#include <map>
#include <stdexcept>

#include <CLI/CLI.hpp>

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "imagegen/recorder_image.h"

namespace {

using tavrix::gen::RecorderHeader;

int ToInt(const std::string& text) {
  std::size_t used = 0;
  const int value = std::stoi(text, &used, 0);
  if (used != text.size()) throw std::invalid_argument("not a number: " + text);
  return value;
}

void SetField(RecorderHeader& h, const std::string& name, const std::string& value) {
  if (name == "crane-serial") {
    h.crane_serial = value;
  } else if (name == "crane-year") {
    h.crane_year = ToInt(value);
  } else if (name == "loading-group") {
    h.loading_group = ToInt(value);
  } else if (name == "limiter-serial") {
    h.limiter_serial = tavrix::Utf8ToCp1251(value);
  } else if (name == "installed") {
    const auto date = tavrix::ParseDayMonthYear(value);
    if (!date) throw std::invalid_argument("installed: expected dd.mm.yyyy, got " + value);
    h.installed = *date;
  } else if (name == "version") {
    h.version = ToInt(value);
  } else if (name == "variant") {
    h.variant = ToInt(value);
  } else if (name == "crane-model") {
    h.crane_model = tavrix::Utf8ToCp1251(value);
  } else if (name == "manufacturer") {
    h.manufacturer = tavrix::Utf8ToCp1251(value);
  } else {
    throw std::invalid_argument("unknown header field: " + name);
  }
}

std::pair<std::uint32_t, std::vector<std::uint8_t>> ParsePoke(const std::string& text) {
  const auto eq = text.find('=');
  if (eq == std::string::npos || (text.size() - eq - 1) % 2 != 0) {
    throw std::invalid_argument("--poke expects OFFSET=HEXBYTES, got " + text);
  }
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = eq + 1; i < text.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
  }
  return {static_cast<std::uint32_t>(std::stoul(text.substr(0, eq), nullptr, 0)), bytes};
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Writes a 270 336-byte recorder memory image of a ЗУЛ limiter model, with valid "
      "protected blocks and image checksum, deterministic for a given seed."};
  std::string model_name, output;
  std::uint64_t seed = 1;
  int failing = 0;
  std::vector<std::string> sets, pokes;
  tavrix::gen::TableSpec tables;
  std::string newest;
  app.add_option("--model,-m", model_name, "Model: ЗУЛ-52А, 52A, 52D, 52N, 38 or the tag 0..3")
      ->required();
  app.add_option("--output,-o", output, "Image file to write")->required();
  app.add_option("--seed", seed, "Seed of the plausible values (default 1)");
  app.add_option("--failing", failing, "Make this many of the model's protected blocks fail");
  app.add_option("--set", sets,
                 "Header field FIELD=VALUE: crane-serial, crane-year, loading-group, "
                 "limiter-serial, installed (dd.mm.yyyy), version, variant, crane-model, "
                 "manufacturer");
  app.add_option("--poke", pokes,
                 "Raw bytes OFFSET=HEXBYTES put into the image before the check bytes are set");
  app.add_flag("--tables", tables.fill,
               "Fill the model's operation logs, rings, small tables and cycle tables with "
               "plausible records");
  app.add_option("--invalid-share", tables.invalid_share,
                 "With --tables: the share of record slots whose checksum fails, 0..1 (default 0)");
  app.add_option("--pointer", tables.pointer_slot,
                 "With --tables: the slot where every ring starts, taken modulo the ring's size "
                 "(default: chosen by the seed)");
  app.add_option("--newest", newest,
                 "With --tables: the time of the newest records, \"YYYY-MM-DD hh:mm:ss\" "
                 "(default 2026-06-01 12:00:00)");
  CLI11_PARSE(app, argc, argv);
  try {
    const auto model = tavrix::ParseModelName(model_name);
    if (!model) throw std::invalid_argument("unknown model: " + model_name);
    tavrix::gen::ImageSpec image_spec{*model,  seed, tavrix::gen::PlausibleHeader(*model, seed),
                                      failing, {},   tables};
    if (!newest.empty()) {
      const auto t = tavrix::ParseIsoDateTime(newest);
      if (!t)
        throw std::invalid_argument("--newest: expected \"YYYY-MM-DD hh:mm:ss\", got " + newest);
      image_spec.tables.newest = *t;
    }
    for (const std::string& s : sets) {
      const auto eq = s.find('=');
      if (eq == std::string::npos)
        throw std::invalid_argument("--set expects FIELD=VALUE, got " + s);
      SetField(image_spec.header, s.substr(0, eq), s.substr(eq + 1));
    }
    for (const std::string& p : pokes) image_spec.pokes.push_back(ParsePoke(p));
    tavrix::WriteFileAtomically(tavrix::PathFromUtf8(output),
                                tavrix::gen::GenerateImage(image_spec));
  } catch (const std::exception& e) {
    std::cerr << "tavrix-gen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
