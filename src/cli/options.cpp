#include "cli/options.h"

#include "cli/command.h"

namespace tavrix::cli {

void AddNowOption(CLI::App& app, std::string& now) {
  app.add_option("--now", now,
                 "Take this local time as now, \"YYYY-MM-DD hh:mm:ss\" (default: the clock)");
}

void AddModelOption(CLI::App& app, std::string& model) {
  app.add_option("--model", model,
                 "Force the model as a click on its picture does: ЗУЛ-52А, ЗУЛ-52Д, ЗУЛ-52Н, "
                 "ЗУЛ-38, the short forms 52A, 52D, 52N, 38, or the tag 0..3");
}

std::unique_ptr<Clock> ClockFromOption(const std::string& now) {
  if (now.empty()) return std::make_unique<SystemClock>();
  const auto t = ParseIsoDateTime(now);
  if (!t) throw UsageError("--now expects \"YYYY-MM-DD hh:mm:ss\", got \"" + now + "\"");
  return std::make_unique<FixedClock>(*t);
}

std::optional<Model> ModelFromOption(const std::string& model) {
  if (model.empty()) return std::nullopt;
  const auto m = ParseModelName(model);
  if (!m) throw UsageError("unknown model \"" + model + "\"");
  return m;
}

}  // namespace tavrix::cli
