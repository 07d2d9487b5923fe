// The message window, the splash and the application object.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/app_texts.h"
#include "app/form_err.h"
#include "app/form_intro.h"
#include "app_support.h"
#include "core/error.h"

namespace tavrix::app {
namespace {

using testing::AnswerNextPrompt;

class MessageWindowTest : public ::testing::Test {
 protected:
  testing::AppFixture fixture_;
  TForm_main& main_ = fixture_.Open();
  TForm_Err& err_ = *fixture_.windows().err;
};

TEST_F(MessageWindowTest, HeightGrowsFifteenPixelsAWrappedLine) {
  struct Case {
    const char* name;
    QString text;
    int height;
  };
  const Case cases[] = {
      {"one line", QStringLiteral("Файл записан."), 110},
      {"three lines", QStringLiteral("a\nb\nc"), 140},
      {"a last empty line is not counted", QStringLiteral("a\r\nb\r\n"), 125},
      {"empty lines between count", QStringLiteral("a\r\n\r\nb"), 140},
      {"a long line wraps", QString(120, QLatin1Char('w')), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    err_.SetMessage(c.text, QString::fromUtf8(texts::kTitleError), true);
    err_.FormShow();
    if (c.height != 0) {
      EXPECT_EQ(err_.height(), c.height);
    } else {
      EXPECT_GT(err_.height(), 110);
      EXPECT_EQ((err_.height() - 95) % 15, 0);
    }
    // The buttons keep their distance from the bottom edge.
    EXPECT_EQ(err_.controls().BitBtn_Ok->geometry().bottom() + 1, err_.height() - 12);
  }
  // A text longer than the screen scrolls inside a window that fits on it.
  QStringList lines;
  for (int i = 0; i < 200; ++i) lines << QStringLiteral("строка %1").arg(i);
  err_.SetMessage(lines.join(QLatin1Char('\n')), QString::fromUtf8(texts::kTitleError), true);
  err_.FormShow();
  EXPECT_EQ(err_.height(), err_.screen()->availableGeometry().height());
  EXPECT_EQ(err_.controls().BitBtn_Ok->geometry().bottom() + 1, err_.height() - 12);
}

TEST_F(MessageWindowTest, OkAloneIsCentredAndTheTwoButtonsStandAtTheirPlaces) {
  const TForm_Err::Controls& ui = err_.controls();
  main_.show();
  AnswerNextPrompt("BitBtn_Ok");
  main_.ShowSMS(QStringLiteral("Текст"), QString::fromUtf8(texts::kTitleAttention), true);
  EXPECT_EQ(ui.BitBtn_Ok->x(), 148);
  EXPECT_FALSE(ui.BitBtn_Next->isVisibleTo(&err_));
  EXPECT_FALSE(ui.BitBtn_Cencel->isVisibleTo(&err_));
  EXPECT_EQ(err_.NextTag(), 0);
  EXPECT_EQ(err_.CencelTag(), 0);

  AnswerNextPrompt("BitBtn_Cencel");
  main_.ShowSMS(QStringLiteral("Текст"), QString::fromUtf8(texts::kTitleQuestion), false);
  EXPECT_FALSE(ui.BitBtn_Ok->isVisibleTo(&err_));
  EXPECT_EQ(ui.BitBtn_Next->x(), 187);
  EXPECT_EQ(ui.BitBtn_Cencel->x(), 279);
  EXPECT_EQ(err_.CencelTag(), 1);
  EXPECT_EQ(err_.NextTag(), 0);

  // Shown again, both tags start at 0; closing it otherwise than by a button leaves them there.
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  main_.ShowSMS(QStringLiteral("Текст"), QString::fromUtf8(texts::kTitleQuestion), false);
  EXPECT_EQ(err_.CencelTag(), 0);
  EXPECT_EQ(err_.NextTag(), 0);

  AnswerNextPrompt("BitBtn_Next");
  main_.ShowSMS(QStringLiteral("Текст"), QString::fromUtf8(texts::kTitleQuestion), false);
  EXPECT_EQ(err_.NextTag(), 1);
  EXPECT_EQ(err_.CencelTag(), 0);
}

TEST_F(MessageWindowTest, TheLogoFollowsTheTitle) {
  const auto logo_centre = [&](const char* title) {
    err_.SetMessage(QStringLiteral("Текст"), QString::fromUtf8(title), true);
    err_.FormShow();
    return err_.controls().Image_SMSLog->pixmap().toImage().pixelColor(16, 16);
  };
  const QColor attention = logo_centre(texts::kTitleAttention);
  const QColor error = logo_centre(texts::kTitleError);
  EXPECT_NE(attention, QColor(Qt::white));
  EXPECT_NE(error, QColor(Qt::white));
  EXPECT_NE(attention, error);
  EXPECT_EQ(logo_centre("Сообщение"), QColor(Qt::white));  // no logo for another title
  EXPECT_EQ(err_.controls().Label_SMSTitl->text(), QStringLiteral("Сообщение"));
}

TEST(Splash, ShowsTheVersionAndClosesThreeSecondsAfterItsCreation) {
  testing::App();
  EXPECT_EQ(VersionLabelText(3, 3),
            QStringLiteral("Версия: 3.3 (beta). Программа в режиме тестирования."));
  TForm_intro intro(nullptr);
  EXPECT_EQ(intro.Label_Version()->text(), VersionLabelText(3, 3));
  EXPECT_TRUE(intro.Timer_intro().isActive());
  EXPECT_EQ(intro.Timer_intro().interval(), 3000);
  // Esc leaves the splash standing; its timer closes it.
  bool stood_after_esc = false;
  QTimer::singleShot(0, [&] {
    QTest::keyClick(&intro, Qt::Key_Escape);
    stood_after_esc = intro.isVisible();
    intro.Timer_introTimer();
  });
  intro.ShowModal();
  EXPECT_TRUE(stood_after_esc);
  EXPECT_FALSE(intro.isVisible());
  // Time that ran out before the splash was shown leaves it closed: ShowModal returns at once.
  TForm_intro late(nullptr);
  late.Timer_introTimer();
  EXPECT_FALSE(late.Timer_intro().isActive());
  late.ShowModal();
  EXPECT_FALSE(late.isVisible());
}

TEST(ApplicationObject, AnExceptionInAnEventHandlerIsShownAndTheProgramGoesOn) {
  Application& app = testing::App();
  EXPECT_EQ(Application::applicationName(), QString::fromUtf8(texts::kApplicationTitle));
  struct Throwing : QObject {
    bool event(QEvent*) override { throw tavrix::Error("Файл не найден."); }
  } receiver;
  QStringList shown;
  const auto saved = app.show_exception;
  app.show_exception = [&](const QString& message) { shown << message; };
  QEvent event(QEvent::User);
  EXPECT_FALSE(QApplication::sendEvent(&receiver, &event));
  struct ThrowingInt : QObject {
    bool event(QEvent*) override { throw 42; }
  } other;
  QApplication::sendEvent(&other, &event);
  app.show_exception = saved;
  EXPECT_EQ(shown, (QStringList{QStringLiteral("Файл не найден."), QString()}));
}

}  // namespace
}  // namespace tavrix::app
