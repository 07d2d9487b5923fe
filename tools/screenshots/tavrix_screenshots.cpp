// tavrix-screenshots OUT_DIR PROGRAM_DIR: renders the desktop application's windows to PNG files
// in OUT_DIR: the main window with a sample data file selected (main.png; main-icons.png and
// main-list.png in the other two views), the same with a balloon tip (balloon.png), the splash
// (splash.png), the message window with each logo (message-attention.png, ...), both progress
// windows mid-way (download.png, report.png) and, when Tavrix.ini lists a transfer unit's port,
// the main window in reading mode after a download from it (reading.png). PROGRAM_DIR is the
// program directory with its samples folder and media files.
#include <QDir>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/app_texts.h"
#include "app/application.h"
#include "app/file_list.h"
#include "app/form_err.h"

namespace {

using tavrix::app::TForm_main;

bool Save(const QPixmap& picture, const QString& dir, const char* name) {
  const QString path = QDir(dir).filePath(QString::fromLatin1(name));
  if (picture.save(path, "PNG")) return true;
  std::fprintf(stderr, "tavrix-screenshots: cannot write %s\n", path.toLocal8Bit().constData());
  return false;
}

// Opens the entry of that caption as a user would: select it, then double-click it.
void Open(TForm_main& main, const QString& caption, bool double_click) {
  const auto& entries = main.controls().ListView_FileList->entries();
  for (std::size_t row = 0; row < entries.size(); ++row) {
    if (entries[row].caption == caption ||
        (caption.isEmpty() && entries[row].kind == tavrix::app::EntryKind::kDataFile)) {
      main.controls().ListView_FileList->SelectRow(static_cast<int>(row));
      if (double_click) main.ListView_FileListDblClick();
      return;
    }
  }
}

// The main window with its balloon, which is a window of its own and may reach past it.
QPixmap WithBalloon(TForm_main& main) {
  const QRect window(main.mapToGlobal(QPoint(0, 0)), main.size());
  if (!main.Balloon()->isVisible()) return main.grab();
  const QRect area = window.united(main.Balloon()->geometry());
  QPixmap picture(area.size());
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.drawPixmap(window.topLeft() - area.topLeft(), main.grab());
  painter.drawPixmap(main.Balloon()->pos() - area.topLeft(), main.Balloon()->grab());
  return picture;
}

// The progress windows as they look half-way through their work.
bool SaveProgressWindows(const tavrix::app::WindowSet& windows, const QString& out) {
  const std::filesystem::path& program = windows.main->ProgramDir();
  windows.ctrl_proc->SetDirectory(program);
  windows.ctrl_proc->show();
  windows.ctrl_proc->animation()->SeekFrame(8);
  windows.ctrl_proc->ShowStatus(
      {"Загрузка данных 132 КБайт (75 Кбит/с),  осталось 14 сек.", "", 0, 50});
  bool ok = Save(windows.ctrl_proc->grab(), out, "download.png");
  windows.ctrl_proc->CloseByJob();
  windows.send_to_excel->SetDirectory(program);
  windows.send_to_excel->show();
  windows.send_to_excel->animation()->SeekFrame(70);
  windows.send_to_excel->SetProgress(55);
  ok = Save(windows.send_to_excel->grab(), out, "report.png") && ok;
  windows.send_to_excel->CloseByJob();
  return ok;
}

// A download from the port that Tavrix.ini lists; a message it brings is answered with Выход.
bool SaveReadingMode(const tavrix::app::WindowSet& windows, const QString& out) {
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&windows] {
    if (windows.err->isVisible()) windows.err->controls().BitBtn_Cencel->click();
    if (windows.err->isVisible()) windows.err->controls().BitBtn_Ok->click();
  });
  answer.start(50);
  windows.main->BitBtn_ReadClick();
  if (!windows.main->controls().BitBtn_Save->isEnabled()) {
    std::fprintf(stderr, "tavrix-screenshots: the download failed; no reading.png\n");
    return false;
  }
  return Save(WithBalloon(*windows.main), out, "reading.png");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc != 3) {
    std::fprintf(stderr, "usage: tavrix-screenshots OUT_DIR PROGRAM_DIR\n");
    return 2;
  }
  tavrix::app::Application app(argc, argv);
  const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(out);
  if (!QDir::setCurrent(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "tavrix-screenshots: cannot enter %s\n", argv[2]);
    return 1;
  }
  const tavrix::app::WindowSet windows = tavrix::app::CreateWindows();
  TForm_main& main = *windows.main;
  main.AttachWindows(nullptr, windows.err.get());  // no splash over the pictures
  main.move(40, 40);
  main.show();
  Open(main, QStringLiteral("samples"), true);
  Open(main, QString(), false);
  bool ok = Save(main.grab(), out, "main.png");
  main.BitBtn_vsIconClick();
  ok = Save(main.grab(), out, "main-icons.png") && ok;
  main.BitBtn_vsListClick();
  ok = Save(main.grab(), out, "main-list.png") && ok;
  main.BitBtn_vsReportClick();

  main.BalloonMouseEnter(main.controls().ListView_FileList);
  ok = Save(WithBalloon(main), out, "balloon.png") && ok;
  ok = Save(windows.intro->grab(), out, "splash.png") && ok;

  const struct {
    const char* title;
    const char* file;
    const char* text;
    bool ok_only;
  } messages[] = {
      {tavrix::app::texts::kTitleAttention, "message-attention.png",
       "ЖУВ-6 не обнаружен. Проверьте подключение к USB-порту.", false},
      {tavrix::app::texts::kTitleQuestion, "message-question.png",
       "Продолжить работу с выбранным файлом?", false},
      {tavrix::app::texts::kTitleWarning, "message-warning.png",
       "Файл с таким именем уже существует!.\r\n\r\nДля замены существующего файла нажмите "
       "\"Продолжить\".\r\n\r\nДля выхода и корректировки имени файла назмите \"Выход\".",
       false},
      {tavrix::app::texts::kTitleError, "message-error.png", "Нет доступа к файлу.", true},
  };
  for (const auto& m : messages) {
    windows.err->SetMessage(QString::fromUtf8(m.text), QString::fromUtf8(m.title), m.ok_only);
    windows.err->FormShow();
    ok = Save(windows.err->grab(), out, m.file) && ok;
  }
  ok = SaveProgressWindows(windows, out) && ok;
  if (qEnvironmentVariableIsSet("TAVRIX_SCREENSHOT_DOWNLOAD")) {
    ok = SaveReadingMode(windows, out) && ok;
  }
  return ok ? 0 : 1;
}
