#include "device/download_job.h"

#include <algorithm>
#include <array>

#include "core/error.h"
#include "core/file_io.h"
#include "data/image_checksum.h"
#include "device/transfer_protocol.h"

namespace tavrix {
namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 3600;

std::int64_t SecondsSinceMidnight(const LocalDateTime& t) {
  return t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

ThreadPotok::ThreadPotok(DownloadHost& host, SerialPort& port, std::vector<PortCandidate> ports,
                         const Cancellation& cancellation, const Clock& clock)
    : host_(host),
      port_(port),
      ports_(std::move(ports)),
      cancellation_(cancellation),
      clock_(clock),
      image_(kDumpSize) {}

DownloadOutcome ThreadPotok::Execute() {
  if (!FindUnit()) return Stopped() ? DownloadOutcome::kStopped : End(DownloadOutcome::kNotFound);
  Receive();
  port_.Close();
  if (Stopped()) return DownloadOutcome::kStopped;
  if (received_ != kDumpSize) {
    progress_ = 0;
    return End(DownloadOutcome::kInterrupted);
  }

  progress_ = 0;
  status_.message = "Считано " + std::to_string(received_) + " байт. Расчет контрольной суммы...";
  Show();
  DownloadOutcome outcome =
      ChecksumMatches() ? DownloadOutcome::kDone : DownloadOutcome::kChecksumDiffers;
  SetLabel(outcome);
  progress_ = 0;
  Show();
  // The image is kept whether or not its checksum matched.
  try {
    WriteFileAtomically(host_.Directory() / kDumpFileName, image_);
  } catch (const Error& e) {
    write_error_ = e.what();
    outcome = DownloadOutcome::kWriteRefused;
    SetLabel(outcome);
    Show();
  }
  CloseWindow();
  return outcome;
}

bool ThreadPotok::FindUnit() {
  for (std::size_t i = 0; i < ports_.size() && !Stopped(); ++i) {
    status_.message = "Поиск подключенного устройства ЖУВ-6 (" + ports_[i].display + ")...";
    progress_ = static_cast<int>(i * 100 / 20);
    Show();
    if (Answers(ports_[i])) return true;
  }
  return false;
}

// Leaves the port open when the unit answered; otherwise puts its settings back and closes it.
bool ThreadPotok::Answers(const PortCandidate& candidate) {
  if (!port_.Open(candidate.device)) return false;
  port_.SaveSettings();
  if (port_.ApplyLineSettings()) {
    port_.SetTimeouts(kProbeTimeouts);
    if (!cancellation_.WaitFor(kSettleAfterOpen)) {
      port_.Purge();
      Drain();
      // Only the read after the probe answers it: a 0xA0 among the drained bytes does not.
      std::uint8_t answer = 0;
      if (port_.Write(kProbeByte) && port_.Read({&answer, 1}) == 1 && answer == kAnswerByte) {
        return true;
      }
    }
  }
  port_.RestoreSettings();
  port_.Close();
  return false;
}

// Discards what the line still carries, at most kMaxDrainReads bytes, so that a port that
// never falls silent cannot hold the scan.
void ThreadPotok::Drain() {
  std::array<std::uint8_t, kMaxDrainReads> discard;
  for (std::size_t drained = 0; drained < discard.size();) {
    const std::size_t n = port_.Read(std::span(discard).subspan(drained));
    if (n == 0) break;
    drained += n;
  }
}

void ThreadPotok::Receive() {
  port_.Purge();
  port_.SetTimeouts(kDownloadTimeouts);
  if (cancellation_.WaitFor(kSettleBeforeImage)) return;
  const std::int64_t start = SecondsSinceMidnight(clock_.Now());
  received_ = 0;
  if (!port_.Write(kSendImageByte)) return;
  // Bytes past one image are counted, so that the message names them, but go to `surplus`.
  // A line that never falls silent is given up after kMaxReceived bytes.
  std::array<std::uint8_t, 4096> surplus;
  while (received_ < kMaxReceived) {
    std::span<std::uint8_t> into(surplus.data(),
                                 std::min<std::uint64_t>(surplus.size(), kMaxReceived - received_));
    if (received_ < kDumpSize) into = std::span(image_).subspan(received_);
    const std::size_t n = port_.Read(into);
    // The percent is taken for every byte index and once more for the read that got nothing,
    // so that a complete image brings the bar to 100.
    if (n == 0) {
      ShowReceivingIfChanged(received_, start);
      return;
    }
    for (const std::uint64_t end = received_ + n; received_ < end; ++received_) {
      ShowReceivingIfChanged(received_, start);
    }
  }
}

void ThreadPotok::ShowReceivingIfChanged(std::uint64_t k, std::int64_t start) {
  const int p = static_cast<int>(k * 100 / kDumpSize);
  if (p == progress_) return;
  progress_ = p;
  ShowReceiving(k, start);
}

// The status line for byte index k, in whole seconds as the recorder's users know it.
void ThreadPotok::ShowReceiving(std::uint64_t k, std::int64_t start) {
  std::int64_t elapsed = SecondsSinceMidnight(clock_.Now()) - start;
  if (elapsed < 0) elapsed += kSecondsPerDay;  // the download ran past midnight
  if (elapsed == 0) elapsed = 1;
  const std::int64_t got = k == 0 ? 1 : static_cast<std::int64_t>(k);
  const std::int64_t remaining = elapsed * static_cast<std::int64_t>(kDumpSize) / got - elapsed;
  const std::int64_t speed = static_cast<std::int64_t>(k) * 8 / elapsed / 1024;
  status_.message = "Загрузка данных " + std::to_string(k / 1024) + " КБайт (" +
                    std::to_string(speed) + " Кбит/с),  осталось " + std::to_string(remaining) +
                    " сек.";
  Show();
}

bool ThreadPotok::ChecksumMatches() {
  std::uint32_t sum = 0;
  for (std::uint32_t i = 0; i < kImageChecksumOffset; ++i) {
    const int p = static_cast<int>(std::uint64_t{i} * 100 / kImageChecksumOffset);
    if (p != progress_) {
      progress_ = p;
      status_.message = "Проверено " + std::to_string(i) + " байт";
      Show();
    }
    sum += image_[i];
  }
  return sum == StoredImageChecksum(ByteView(image_));
}

DownloadOutcome ThreadPotok::End(DownloadOutcome outcome) {
  SetLabel(outcome);
  Show();
  CloseWindow();
  return outcome;
}

void ThreadPotok::SetLabel(DownloadOutcome outcome) {
  const DownloadStatus label = OutcomeLabel(outcome, received_);
  status_.message = label.message;
  status_.title = label.title;
  status_.kind = label.kind;
}

void ThreadPotok::Show() {
  if (Stopped()) return;
  status_.progress = std::clamp(progress_, 0, 100);
  const DownloadStatus shown = status_;
  host_.Synchronize([&] { host_.ShowStatus(shown); });
}

void ThreadPotok::CloseWindow() {
  if (Stopped()) return;
  host_.Synchronize([&] { host_.CloseWindow(); });
}

}  // namespace tavrix
