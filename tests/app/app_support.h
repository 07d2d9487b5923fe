// Support for the desktop application's tests: one application object under the offscreen
// platform, a program directory on a volume of its own with data files in it, and prompts that
// the test answers.
#pragma once

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <ostream>
#include <string>

#include "app/application.h"
#include "app/form_err.h"
#include "core/clock.h"
#include "core/cp1251.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "data/dump.h"
#include "data/passport.h"
#include "report/memory_spreadsheet.h"
#include "support/temp_dir.h"

namespace tavrix::testing {

// The application object that the tests' main() creates.
inline app::Application*& AppInstance() {
  static app::Application* app = nullptr;
  return app;
}
inline void SetApp(app::Application* app) { AppInstance() = app; }
inline app::Application& App() { return *AppInstance(); }

// Clicks the named button of the next modal window as soon as it is shown, whether it is open
// already or opens later in the event loop.
inline void AnswerNextPrompt(const char* button) {
  QTimer::singleShot(0, [button] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* b =
        modal != nullptr ? modal->findChild<QPushButton*>(QString::fromLatin1(button)) : nullptr;
    if (b != nullptr) {
      b->click();
    } else {
      AnswerNextPrompt(button);
    }
  });
}

inline QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// What a message window showed.
struct Prompt {
  QString title, text;
  bool ok_only = true;

  bool operator==(const Prompt&) const = default;
};
inline void PrintTo(const Prompt& p, std::ostream* out) {
  *out << "{" << p.title.toStdString() << " | " << p.text.toStdString() << " | "
       << (p.ok_only ? "Ок" : "Продолжить/Выход") << "}";
}

// Writes Tavrix.ini in the program directory with the working directory the browser opens.
inline void SetWorkingDirectory(const std::filesystem::path& program_dir,
                                const std::filesystem::path& working_dir) {
  IniFile ini;
  ini.WriteString(Utf8ToCp1251("Настройки"), Utf8ToCp1251("Рабочая директория"),
                  Utf8ToCp1251(working_dir.string()));
  ini.Save(program_dir / "Tavrix.ini");
}

// Answers every message window that opens with the next button of `answers` (Ок, or Выход on a
// two-button prompt, once they run out) and records what each showed.
class PromptAnswerer {
 public:
  explicit PromptAnswerer(std::vector<const char*> answers = {}) : answers_(std::move(answers)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
    timer_.start();
  }

  std::vector<Prompt> seen;

 private:
  void Answer() {
    auto* err = dynamic_cast<app::TForm_Err*>(QApplication::activeModalWidget());
    if (err == nullptr || !err->isVisible()) return;
    const auto& ui = err->controls();
    const bool ok_only = ui.BitBtn_Ok->isVisibleTo(err);
    seen.push_back({ui.Label_SMSTitl->text(), err->Text(), ok_only});
    const char* button = next_ < answers_.size() ? answers_[next_++]
                         : ok_only               ? "BitBtn_Ok"
                                                 : "BitBtn_Cencel";
    err->findChild<QPushButton*>(QString::fromLatin1(button))->click();
  }

  std::vector<const char*> answers_;
  std::size_t next_ = 0;
  QTimer timer_;
};

inline void Enter(QWidget* control) {
  QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(control, &event);
}

inline void Leave(QWidget* control) {
  QEvent event(QEvent::Leave);
  QApplication::sendEvent(control, &event);
}

inline HeaderValueList Passport(std::initializer_list<std::pair<std::size_t, const char*>> utf8) {
  HeaderValueList list;
  for (const auto& [entry, text] : utf8) list[entry] = Utf8ToCp1251(text);
  return list;
}

inline void WriteSample(const std::filesystem::path& path, const HeaderValueList& list) {
  WriteDataFile(path, std::vector<std::uint8_t>(kDumpSize), list);
}

// A temporary folder that stands for a removable volume; the program directory and the working
// directory lie on it. The current directory is put back when the test ends.
class AppFixture {
 public:
  AppFixture() : saved_cwd_(QDir::currentPath()) {
    App();
    std::filesystem::create_directories(program_dir());
    volumes_ = {{"/", app::VolumeKind::kLocal}, {root().string(), app::VolumeKind::kRemovable}};
  }
  ~AppFixture() {
    windows_.reset();
    QDir::setCurrent(saved_cwd_);
  }

  std::filesystem::path root() const { return dir_.path(); }
  std::filesystem::path program_dir() const { return dir_ / "prog"; }
  const std::vector<app::Volume>& volumes() const { return volumes_; }

  // Builds the windows with the program directory as the current directory.
  app::TForm_main& Open() {
    windows_.reset();
    QDir::setCurrent(QString::fromStdString(program_dir().string()));
    windows_ = std::make_unique<app::WindowSet>(app::CreateWindows(
        {.volumes = [this] { return volumes_; },
         .clock = clock,
         .open_url = [this](const QUrl& url) { opened_urls.push_back(url); },
         .play_sound = [this](const std::filesystem::path& wav) { sounds.push_back(wav); },
         .make_spreadsheet = [this](std::function<std::filesystem::path()> destination)
             -> std::unique_ptr<report::Spreadsheet> {
           return make_spreadsheet(std::move(destination));
         },
         .show_error_box = [this](const QString& message) { error_boxes.push_back(message); },
         .documents_dir = root() / "documents"}));
    windows_->main->AttachWindows(nullptr, windows_->err.get());
    return *windows_->main;
  }
  app::WindowSet& windows() { return *windows_; }

  std::vector<QUrl> opened_urls;
  std::vector<std::filesystem::path> sounds;
  std::vector<QString> error_boxes;
  const Clock* clock = nullptr;  // the system clock when none
  // The report's spreadsheet; by default one in memory.
  std::function<std::unique_ptr<report::Spreadsheet>(std::function<std::filesystem::path()>)>
      make_spreadsheet = [](std::function<std::filesystem::path()>) {
        return std::make_unique<report::MemorySpreadsheet>();
      };

 private:
  TempDir dir_;
  QString saved_cwd_;
  std::vector<app::Volume> volumes_;
  std::unique_ptr<app::WindowSet> windows_;
};

}  // namespace tavrix::testing
