#include "app/sound.h"

#include <QCoreApplication>
#include <QUrl>

#ifdef TAVRIX_HAVE_MULTIMEDIA
#include <QSoundEffect>
#endif

#include "core/file_io.h"

namespace tavrix::app {

void PlaySoundAsync(const std::filesystem::path& wav) {
#ifdef TAVRIX_HAVE_MULTIMEDIA
  std::error_code error;
  if (!std::filesystem::is_regular_file(wav, error)) return;
  // One effect for the program's run, so that a sound still playing is not cut off by its end.
  static QSoundEffect* effect = new QSoundEffect(QCoreApplication::instance());
  effect->stop();
  effect->setSource(QUrl::fromLocalFile(QString::fromStdString(PathToUtf8(wav))));
  effect->play();
#else
  (void)wav;
#endif
}

}  // namespace tavrix::app
