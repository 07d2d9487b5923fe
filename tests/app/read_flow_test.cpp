// The Read flow against zhuv6-sim: success, the checksum warning, no unit with its repeat, an
// interrupted transfer, default.tmp that cannot be written, and the window closed by hand.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "app/app_texts.h"
#include "app/balloon_tips.h"
#include "app/form_ctrl_proc.h"
#include "app_support.h"
#include "core/ini_file.h"
#include "device/download_outcome.h"
#include "device/serial_port.h"
#include "support/files.h"
#include "support/zhuv6_sim.h"

namespace tavrix::app {
namespace {

using testing::Prompt;
using testing::PromptAnswerer;
using testing::Q;
using testing::SimProcess;

class ReadFlowTest : public ::testing::Test {
 protected:
  void SetUp() override { fixture_.clock = &clock_; }

  // Tavrix.ini names the ports the download scans.
  void UsePorts(const std::string& ports) {
    const std::filesystem::path ini_path = fixture_.program_dir() / "Tavrix.ini";
    IniFile ini = IniFile::Load(ini_path);
    ini.WriteString(Utf8ToCp1251("Настройки"), "SerialPorts", ports);
    ini.Save(ini_path);
  }
  std::filesystem::path Dump() const { return fixture_.program_dir() / "default.tmp"; }
  void PutEarlierDump() { WriteFileAtomically(Dump(), std::vector<std::uint8_t>(100, 0x5A)); }
  bool EarlierDumpKept() const {
    return ReadFileBytes(Dump()) == std::vector<std::uint8_t>(100, 0x5A);
  }

  static void ExpectBrowseMode(const TForm_main& main) {
    EXPECT_TRUE(main.controls().BitBtn_Read->isEnabled());
    EXPECT_TRUE(main.controls().BitBtn_SendToXcl->isEnabled());
    EXPECT_FALSE(main.controls().BitBtn_Save->isEnabled());
    EXPECT_EQ(main.controls().model_pictures[0]->cursor().shape(), Qt::ArrowCursor);
  }
  static void ExpectReadingMode(const TForm_main& main) {
    EXPECT_FALSE(main.controls().BitBtn_Read->isEnabled());
    EXPECT_FALSE(main.controls().BitBtn_SendToXcl->isEnabled());
    EXPECT_TRUE(main.controls().BitBtn_Save->isEnabled());
    EXPECT_EQ(main.controls().model_pictures[3]->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(main.NewDumpFlag(), 1);
    EXPECT_FALSE(main.controls().Edit_FileName->isReadOnly());
  }

  FixedClock clock_{{2010, 4, 5, 14, 30, 0}};
  testing::AppFixture fixture_;
};

TEST_F(ReadFlowTest, DownloadDecodesTheDumpAndProposesAFileName) {
  SimProcess sim({"--model", "52N", "--fast", "--seed", "7"});
  UsePorts(sim.path());
  TForm_main& main = fixture_.Open();
  main.show();
  PromptAnswerer answers;
  main.BitBtn_ReadClick();

  EXPECT_TRUE(answers.seen.empty());
  EXPECT_EQ(std::filesystem::file_size(Dump()), kDumpSize);
  const HeaderValueList& list = main.HeaderValues();
  EXPECT_EQ(list[0], Utf8ToCp1251("ЗУЛ-52Н"));
  EXPECT_EQ(list[16], "05.04.2010 14:30");
  EXPECT_EQ(main.EditNamed("Edit_CO_DataSchit")->text(), QStringLiteral("05.04.2010 14:30"));
  EXPECT_EQ(main.controls().Edit_FileName->text(),
            QString::fromStdString(Cp1251ToUtf8(list[5]) + " №" + Cp1251ToUtf8(list[6]) +
                                   " 05.04.2010.rpk"));
  ExpectReadingMode(main);
  EXPECT_EQ(fixture_.sounds, std::vector{fixture_.program_dir() / "tada.wav"});
  ASSERT_TRUE(main.Balloon()->isVisible());
  EXPECT_EQ(main.Balloon()->title(), Q(kCheckModelTipTitle));
  EXPECT_EQ(main.Balloon()->text(), Q(kCheckModelTipText));
}

TEST_F(ReadFlowTest, ChecksumWarningIsShownOnceWithOkThenTheDumpIsDecoded) {
  SimProcess sim({"--model", "38", "--fast", "--corrupt-checksum"});
  UsePorts(sim.path());
  TForm_main& main = fixture_.Open();
  PromptAnswerer answers;
  main.BitBtn_ReadClick();

  EXPECT_EQ(answers.seen,
            (std::vector<Prompt>{{Q(kWarningTitle), Q(kIntegrityWarningText), true}}));
  EXPECT_EQ(main.HeaderValues()[0], Utf8ToCp1251("ЗУЛ-38"));
  EXPECT_TRUE(main.controls().Edit_FileName->text().endsWith(QStringLiteral(" 05.04.2010.rpk")));
  ExpectReadingMode(main);
}

TEST_F(ReadFlowTest, NoUnitOffersARepeatUntilTheUserLeaves) {
  UsePorts((fixture_.root() / "no-such-port").string());
  PutEarlierDump();
  TForm_main& main = fixture_.Open();
  PromptAnswerer answers({"BitBtn_Next", "BitBtn_Cencel"});
  main.BitBtn_ReadClick();

  EXPECT_EQ(answers.seen, std::vector<Prompt>(2, {Q(kAttentionTitle), Q(kNotFoundText), false}));
  ExpectBrowseMode(main);
  EXPECT_EQ(main.NewDumpFlag(), 1);  // the fresh-data flag stays after giving up
  EXPECT_TRUE(EarlierDumpKept());
  EXPECT_TRUE(fixture_.sounds.empty());
}

TEST_F(ReadFlowTest, InterruptedTransferKeepsTheEarlierDump) {
  SimProcess sim({"--fast", "--stop-after", "1000"});
  UsePorts(sim.path());
  PutEarlierDump();
  TForm_main& main = fixture_.Open();
  PromptAnswerer answers({"BitBtn_Cencel"});
  main.BitBtn_ReadClick();

  EXPECT_EQ(answers.seen,
            (std::vector<Prompt>{{Q(kErrorTitle), Q(InterruptionText(1000)), false}}));
  EXPECT_TRUE(EarlierDumpKept());
  ExpectBrowseMode(main);
}

TEST_F(ReadFlowTest, DumpThatCannotBeWrittenEndsTheRunWithOk) {
  SimProcess sim({"--fast"});
  UsePorts(sim.path());
  std::filesystem::create_directory(Dump());  // a folder where default.tmp must go
  TForm_main& main = fixture_.Open();
  PromptAnswerer answers;
  main.BitBtn_ReadClick();

  EXPECT_EQ(answers.seen, (std::vector<Prompt>{{Q(kErrorTitle), Q(kAccessText), true}}));
  ExpectBrowseMode(main);
  EXPECT_TRUE(std::filesystem::is_directory(Dump()));
}

// Closing the window stops the download: no message, the earlier dump kept, the port closed;
// the next Read waits for the stopped one and downloads afresh.
TEST_F(ReadFlowTest, ClosingTheWindowByHandStopsTheDownload) {
  SimProcess slow({"--model", "52D"});  // at the line rate: 28 s an image
  SimProcess fast({"--model", "52A", "--fast"});
  UsePorts(slow.path());
  PutEarlierDump();
  TForm_main& main = fixture_.Open();
  PromptAnswerer answers;
  TForm_CtrlProc* window = main.DownloadWindow();
  QTimer closer;
  closer.setInterval(20);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (window->isVisible() &&
        window->Label_MessagZhUV6()->text().startsWith(QStringLiteral("Загрузка данных"))) {
      closer.stop();
      QTest::mouseClick(window->close_picture(), Qt::LeftButton);
    }
  });
  closer.start();
  main.BitBtn_ReadClick();

  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(answers.seen.empty());
  ExpectBrowseMode(main);
  EXPECT_TRUE(EarlierDumpKept());

  UsePorts(fast.path());
  main.BitBtn_ReadClick();
  EXPECT_TRUE(answers.seen.empty());
  EXPECT_EQ(main.HeaderValues()[0], Utf8ToCp1251("ЗУЛ-52А"));
  ExpectReadingMode(main);
  // The stopped download let go of its port: it opens again.
  Cancellation never;
  EXPECT_TRUE(MakeSerialPort(never)->Open(slow.path()));
}

}  // namespace
}  // namespace tavrix::app
