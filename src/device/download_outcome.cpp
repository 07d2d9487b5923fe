#include "device/download_outcome.h"

namespace tavrix {

std::string InterruptionText(std::uint64_t received) {
  return "Процесс копирования данных был прерван на " + std::to_string(received) +
         " байте.\r\nВозможная причина большое количество открытых приложений.\r\nДля повтора "
         "процедуры копирования намите \"Продолжить\".\r\nЕсли Вы хотите выйти из процедуры "
         "копирования нажмите \"Выход\"";
}

DownloadStatus OutcomeLabel(DownloadOutcome outcome, std::uint64_t received) {
  switch (outcome) {
    case DownloadOutcome::kChecksumDiffers:
      return {std::string(kIntegrityWarningText), std::string(kWarningTitle), 1};
    case DownloadOutcome::kNotFound:
      return {std::string(kNotFoundText), std::string(kAttentionTitle), 0};
    case DownloadOutcome::kInterrupted:
      return {InterruptionText(received), std::string(kErrorTitle), 0};
    case DownloadOutcome::kWriteRefused:
      return {std::string(kAccessText), std::string(kErrorTitle), 1};
    case DownloadOutcome::kDone:
    case DownloadOutcome::kStopped:
      break;
  }
  return {};
}

ReadFlowStep NextReadFlowStep(const DownloadStatus& label) {
  // The warning is shown and its caption cleared, which makes the run a success.
  if (label.title == kWarningTitle) return ReadFlowStep::kWarnThenSuccess;
  if (label.message.empty()) return ReadFlowStep::kSuccess;
  return label.kind != 0 ? ReadFlowStep::kFinalNotice : ReadFlowStep::kOfferRepeat;
}

}  // namespace tavrix
