// Options that several commands share: --now (the clock) and --model (a forced model).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "core/clock.h"
#include "data/model.h"

namespace tavrix::cli {

void AddNowOption(CLI::App& app, std::string& now);
void AddModelOption(CLI::App& app, std::string& model);

// The system clock, or a fixed one when --now was given. Throws UsageError for a bad text.
std::unique_ptr<Clock> ClockFromOption(const std::string& now);
// No model when --model was not given. Throws UsageError for an unknown name.
std::optional<Model> ModelFromOption(const std::string& model);

}  // namespace tavrix::cli
