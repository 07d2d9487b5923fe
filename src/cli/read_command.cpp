// tavrix-cli read: the download from the transfer unit, as "Считать" does it, for a terminal:
// the status line with a progress bar on stderr, the outcome message, default.tmp in the
// program directory, then the detected model and the decoded header as detect prints them.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/progress_bar.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "data/header_decoder.h"
#include "device/download_job.h"

namespace tavrix::cli {
namespace {

struct ReadOptions {
  std::vector<std::string> ports;
  std::string program_dir, now;
  bool json = false;
};

// The download window of a terminal: the job runs in place, so Synchronize just runs the step.
class TerminalHost final : public DownloadHost {
 public:
  TerminalHost(std::filesystem::path directory, std::ostream& err, bool live)
      : directory_(std::move(directory)), bar_(err, live) {}

  std::filesystem::path Directory() const override { return directory_; }
  void Synchronize(const std::function<void()>& step) override { step(); }

  void ShowStatus(const DownloadStatus& status) override {
    // Outcomes are reported by the command once the window has closed.
    if (status.message.empty() || !status.title.empty()) return;
    bar_.Draw(status.progress, status.message);
  }

  void CloseWindow() override { bar_.Close(); }

 private:
  std::filesystem::path directory_;
  ProgressBar bar_;
};

Cancellation* g_stop = nullptr;

void OnInterrupt(int) {
  if (g_stop != nullptr) g_stop->Cancel();
}

// Ctrl-C stops the download cleanly while the job runs.
class InterruptStops {
 public:
  explicit InterruptStops(Cancellation& stop) {
    g_stop = &stop;
    previous_ = std::signal(SIGINT, OnInterrupt);
  }
  ~InterruptStops() {
    std::signal(SIGINT, previous_);
    g_stop = nullptr;
  }

 private:
  void (*previous_)(int) = SIG_DFL;
};

std::vector<PortCandidate> Ports(const ReadOptions& o, const std::filesystem::path& dir) {
  if (o.ports.empty()) return PortCandidates(IniFile::Load(dir / "Tavrix.ini"));
  std::vector<PortCandidate> ports;
  for (const std::string& name : o.ports) ports.push_back(PortNamed(name));
  return ports;
}

void PrintLabel(std::ostream& err, std::string_view lead, const DownloadStatus& label) {
  // The message keeps its own line breaks (CR LF), byte for byte.
  err << "tavrix-cli: " << lead << label.title << "\n" << label.message << "\n";
}

int Run(const ReadOptions& o, Streams& io) {
  const auto clock = ClockFromOption(o.now);
  const std::filesystem::path dir = o.program_dir.empty() ? "." : PathFromUtf8(o.program_dir);
  const std::vector<PortCandidate> ports = Ports(o, dir);

  Cancellation stop;
  const auto port = MakeSerialPort(stop);
  TerminalHost host(dir, io.err, &io.err == &std::cerr && StderrIsTerminal());
  const SystemClock wall_clock;
  ThreadPotok job(host, *port, ports, stop, wall_clock);
  DownloadOutcome outcome;
  {
    InterruptStops interrupt(stop);
    outcome = job.Execute();
  }
  if (outcome == DownloadOutcome::kStopped) {
    io.err << "\ntavrix-cli: the download was stopped; " << kDumpFileName
           << " was left as it was\n";
    return 1;
  }
  switch (NextReadFlowStep(job.status())) {
    case ReadFlowStep::kWarnThenSuccess:
      PrintLabel(io.err, "warning: ", job.status());
      break;
    case ReadFlowStep::kSuccess:
      break;
    case ReadFlowStep::kOfferRepeat:
    case ReadFlowStep::kFinalNotice:
      PrintLabel(io.err, "", job.status());
      if (!job.write_error().empty()) io.err << "tavrix-cli: " << job.write_error() << "\n";
      return 1;
  }

  const std::filesystem::path dump_path = dir / kDumpFileName;
  io.err << "tavrix-cli: " << job.received() << " bytes written to " << PathToUtf8(dump_path)
         << "\n";
  const Dump dump = LoadDump(dump_path);
  HeaderValueList list;
  DetectAndDecode(dump.view(), *clock, list);
  PrintDetection(io.out, dump.view(), list, o.json);
  return 0;
}

}  // namespace

Command AddReadCommand(CLI::App& parent) {
  auto o = std::make_shared<ReadOptions>();
  CLI::App* app = parent.add_subcommand(
      "read",
      "Download the recorder memory from the ЖУВ-6 transfer unit into default.tmp, "
      "as \"Считать\" does, then detect and decode it");
  app->add_option("--port", o->ports,
                  "Serial port to scan, in order; may be repeated (default: the SerialPorts "
                  "list in Tavrix.ini, else the system's serial devices; on Windows COM0..COM54)");
  app->add_option("--program-dir", o->program_dir,
                  "Program directory: where Tavrix.ini is read and default.tmp is written "
                  "(default: the current folder)");
  AddNowOption(*app, o->now);
  app->add_flag("--json", o->json, "Print the detection as JSON, as detect --json does");
  return {app, [o](Streams& io) { return Run(*o, io); }};
}

}  // namespace tavrix::cli
