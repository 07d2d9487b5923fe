// The progress windows' animation: the clip from the window's directory plays up to its stop
// frame while the window is shown; a missing or damaged clip gives the built-in animation.
#include <gtest/gtest.h>

#include "app/form_ctrl_proc.h"
#include "app/form_send_to_excel.h"
#include "app_support.h"
#include "media/media_files.h"
#include "support/temp_dir.h"

namespace tavrix::app {
namespace {

// Shows the window over the clips of `dir`, checks that its animation runs and whether it is
// the built-in one, and has the job close it.
void ShowAndClose(ProgressWindow& window, const std::filesystem::path& dir, bool built_in) {
  window.SetDirectory(dir);
  window.show();
  EXPECT_TRUE(window.animation()->Active());
  EXPECT_EQ(window.animation()->UsesBuiltIn(), built_in);
  window.CloseByJob();
  EXPECT_FALSE(window.animation()->Active());
  EXPECT_TRUE(window.ClosedByJob());
}

TEST(ProgressWindowsTest, ClipPlaysUpToItsStopFrameWhileTheWindowIsShown) {
  testing::App();
  testing::TempDir dir;
  WriteFileAtomically(dir / "toxls.avi", WriteAviClip(media::ToXlsClip(), AviCompression::kRle8));
  // A clip longer than the window plays is cut at its stop frame.
  AviClip long_copy = media::FileCopyClip();
  long_copy.frames.insert(long_copy.frames.end(), 5, long_copy.frames.front());
  WriteFileAtomically(dir / "filecopy.avi", WriteAviClip(long_copy, AviCompression::kNone));

  QWidget main;
  TForm_CtrlProc download(&main);
  TForm_SendToExcel report(&main);
  ShowAndClose(download, dir.path(), false);
  ShowAndClose(report, dir.path(), false);
  EXPECT_EQ(download.animation()->FrameCount(), 18);
  EXPECT_EQ(report.animation()->FrameCount(), 129);
}

TEST(ProgressWindowsTest, MissingOrDamagedClipGivesTheBuiltInAnimation) {
  testing::App();
  testing::TempDir dir;
  WriteFileAtomically(dir / "toxls.avi", std::vector<std::uint8_t>(300, 'R'));
  QWidget main;
  TForm_CtrlProc download(&main);  // no filecopy.avi
  TForm_SendToExcel report(&main);
  ShowAndClose(download, dir.path(), true);
  ShowAndClose(report, dir.path(), true);
  EXPECT_GT(download.animation()->FrameCount(), 1);
}

TEST(ProgressWindowsTest, OnlyTheDownloadWindowClosesByHand) {
  testing::App();
  QWidget main;
  TForm_CtrlProc download(&main);
  TForm_SendToExcel report(&main);
  download.show();
  report.show();
  download.close();
  report.close();
  EXPECT_FALSE(download.isVisible());
  EXPECT_FALSE(download.ClosedByJob());
  EXPECT_TRUE(report.isVisible());
  report.CloseByJob();
}

}  // namespace
}  // namespace tavrix::app
