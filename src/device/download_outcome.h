// How a download ends and what the Read flow does about it. The job leaves its outcome on the
// download window's status label: caption (message), hint (title) and tag (kind: 0 = the user
// may repeat the download, 1 = a final notice). The texts are the system's own, in UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrix {

// What the download window shows: the status line, the outcome's title and kind, and the
// position of the progress bar (0..100).
struct DownloadStatus {
  std::string message;
  std::string title;
  int kind = 0;
  int progress = 0;

  bool operator==(const DownloadStatus&) const = default;
};

enum class DownloadOutcome {
  kDone,             // default.tmp written, checksum matches
  kChecksumDiffers,  // default.tmp written, with the integrity warning
  kNotFound,         // no port answered the probe; nothing written
  kInterrupted,      // fewer or more bytes than one image; default.tmp untouched
  kWriteRefused,     // default.tmp could not be written; the earlier file is kept
  kStopped,          // a stop request ended the job; default.tmp untouched, nothing shown
};

inline constexpr std::string_view kAttentionTitle = "Внимание!";
inline constexpr std::string_view kWarningTitle = "Предупреждение!";
inline constexpr std::string_view kErrorTitle = "Ошибка!";

inline constexpr std::string_view kNotFoundText =
    "Для копирования данных подключите ЖУВ-6 к USB-порту Вашего компьютера и нажмите "
    "\"Продолжить\".\r\n\r\nЕсли Вы хотите выйти из процедуры копирования нажмите \"Выход\"";
inline constexpr std::string_view kIntegrityWarningText =
    "При проверке полученых данных было обнаружено нарушение их целостности.\r\n Результатом "
    "данной ошибки может быть некорректное отображение отдельных параметров.";
inline constexpr std::string_view kAccessText =
    "При записи данных на диск отказано в доступе.\r\nВозможные причины:\r\n    Запуск "
    "программы с CD-диска.\r\n    Отсутствие соответствующих прав у пользователя в Windows.";

// The interruption text, naming how many bytes arrived.
std::string InterruptionText(std::uint64_t received);

// The label of an end state: message, title and kind (progress left 0). `received` is used by
// kInterrupted only; kStopped has no label of its own and gives an empty one.
DownloadStatus OutcomeLabel(DownloadOutcome outcome, std::uint64_t received);

// What the Read flow does with the label it finds after the window has closed.
enum class ReadFlowStep {
  kSuccess,          // decode default.tmp
  kWarnThenSuccess,  // show the message with Ок only, then decode default.tmp
  kOfferRepeat,  // show the message with Продолжить and Выход; Продолжить repeats
  kFinalNotice,  // show the message with Ок only; the Read flow ends
};

ReadFlowStep NextReadFlowStep(const DownloadStatus& label);

}  // namespace tavrix
