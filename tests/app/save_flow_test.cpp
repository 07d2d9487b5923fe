// The Save flow, row by row of its state table: forbidden characters with Продолжить or Выход,
// an existing target with Выход or Продолжить, a new target, and a target that cannot be written.
#include <gtest/gtest.h>

#include "app/app_texts.h"
#include "app_support.h"
#include "core/ini_file.h"
#include "data/save_rules.h"
#include "support/files.h"

namespace tavrix::app {
namespace {

using testing::Prompt;
using testing::PromptAnswerer;
using testing::Q;

class SaveFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(work());
    testing::SetWorkingDirectory(fixture_.program_dir(), work());
    dump_.assign(kDumpSize, 0);
    dump_[100] = 0x42;
    WriteFileAtomically(fixture_.program_dir() / "default.tmp", dump_);
  }

  std::filesystem::path work() const { return fixture_.root() / "work"; }

  // The main window as a download leaves it, with a model none was found for.
  TForm_main& OpenInReadingMode(const QString& name) {
    TForm_main& main = fixture_.Open();
    main.controls().BitBtn_SendToXcl->setEnabled(false);
    main.controls().BitBtn_Read->setEnabled(false);
    main.controls().BitBtn_Save->setEnabled(true);
    main.SetPassportReadOnly(false);
    main.SetNewDumpFlag(1);
    main.HeaderValues()[0] = Utf8ToCp1251("нет");
    main.EditNamed("Edit_K_Marka")->setText(QStringLiteral("КС-3577"));
    main.EditNamed("Edit_CO_FIO")->setText(QStringLiteral("Иванов И. И."));
    main.controls().Edit_FileName->setText(name);
    return main;
  }

  static void ExpectReadingMode(const TForm_main& main) {
    EXPECT_TRUE(main.controls().BitBtn_Save->isEnabled());
    EXPECT_FALSE(main.controls().BitBtn_SendToXcl->isEnabled());
    EXPECT_FALSE(main.controls().BitBtn_Read->isEnabled());
    EXPECT_EQ(main.NewDumpFlag(), 1);
  }
  static void ExpectBrowseMode(const TForm_main& main) {
    EXPECT_FALSE(main.controls().BitBtn_Save->isEnabled());
    EXPECT_TRUE(main.controls().BitBtn_SendToXcl->isEnabled());
    EXPECT_TRUE(main.controls().BitBtn_Read->isEnabled());
    EXPECT_EQ(main.NewDumpFlag(), 0);
    EXPECT_EQ(main.controls().model_pictures[0]->cursor().shape(), Qt::ArrowCursor);
  }
  static bool Listed(const TForm_main& main, const QString& caption) {
    for (const FileEntry& e : main.controls().ListView_FileList->entries()) {
      if (e.caption == caption) return true;
    }
    return false;
  }

  std::vector<std::uint8_t> dump_;
  testing::AppFixture fixture_;
};

TEST_F(SaveFlowTest, ForbiddenCharactersAskAndWriteNothing) {
  const QString name = QStringLiteral("a?b*c:d.rpk");
  {
    TForm_main& main = OpenInReadingMode(name);
    PromptAnswerer answers({"BitBtn_Next"});
    main.BitBtn_SaveClick();
    EXPECT_EQ(answers.seen,
              (std::vector<Prompt>{{Q(texts::kTitleWarning),
                                    Q(ForbiddenCharactersMessage(name.toStdString())), false}}));
    ExpectReadingMode(main);
    EXPECT_EQ(main.controls().Edit_FileName->text(), name);
  }
  {
    TForm_main& main = OpenInReadingMode(name);
    PromptAnswerer answers({"BitBtn_Cencel"});
    main.BitBtn_SaveClick();
    ExpectBrowseMode(main);
    EXPECT_TRUE(main.controls().Edit_FileName->text().isEmpty());  // the panel cleared
    EXPECT_FALSE(main.controls().Edit_FileName->isReadOnly());
  }
  EXPECT_TRUE(std::filesystem::is_empty(work()));
}

TEST_F(SaveFlowTest, NewTargetIsWrittenListedAndEndsReadingMode) {
  TForm_main& main = OpenInReadingMode(QStringLiteral("КС-3577 №12"));
  PromptAnswerer answers;
  main.BitBtn_SaveClick();

  EXPECT_TRUE(answers.seen.empty());
  const std::filesystem::path written = work() / "КС-3577 №12.rpk";
  const std::vector<std::uint8_t> bytes = ReadFileBytes(written);
  ASSERT_EQ(bytes.size(), kDataFileSize);
  EXPECT_TRUE(std::equal(dump_.begin(), dump_.end(), bytes.begin()));
  HeaderValueList stored;
  ReadPassport(written, 0, kPassportEntries - 1, stored);
  EXPECT_EQ(stored[0], Utf8ToCp1251("нет"));
  EXPECT_EQ(stored[5], Utf8ToCp1251("КС-3577"));
  EXPECT_EQ(stored[13], Utf8ToCp1251("Иванов И. И."));
  ExpectBrowseMode(main);
  EXPECT_TRUE(Listed(main, QStringLiteral("КС-3577 №12.rpk")));
  EXPECT_TRUE(main.controls().Edit_FileName->isReadOnly());
  EXPECT_TRUE(main.EditNamed("Edit_K_Marka")->isReadOnly());
}

TEST_F(SaveFlowTest, ExistingTargetIsReplacedOnlyAfterContinue) {
  const std::filesystem::path target = work() / "old.rpk";
  WriteFileAtomically(target, std::vector<std::uint8_t>(10, 7));
  {
    TForm_main& main = OpenInReadingMode(QStringLiteral("old"));
    PromptAnswerer answers({"BitBtn_Cencel"});
    main.BitBtn_SaveClick();
    EXPECT_EQ(answers.seen,
              (std::vector<Prompt>{{Q(texts::kTitleWarning), Q(kOverwriteQuestion), false}}));
    ExpectReadingMode(main);
    EXPECT_EQ(main.HeaderValues()[5], Utf8ToCp1251("КС-3577"));  // entries hold the edits
    EXPECT_EQ(std::filesystem::file_size(target), 10u);
  }
  {
    TForm_main& main = OpenInReadingMode(QStringLiteral("old"));
    PromptAnswerer answers({"BitBtn_Next"});
    main.BitBtn_SaveClick();
    ExpectBrowseMode(main);
    EXPECT_EQ(std::filesystem::file_size(target), kDataFileSize);
  }
}

TEST_F(SaveFlowTest, TargetThatCannotBeWrittenKeepsReadingModeAndSaysWhy) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
  };
  const std::vector<Case> cases = {
      {"a folder stands where the file must go",
       [this] { std::filesystem::create_directory(work() / "taken.rpk"); }},
      {"default.tmp is gone",
       [this] { std::filesystem::remove(fixture_.program_dir() / "default.tmp"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    TForm_main& main = OpenInReadingMode(QStringLiteral("taken"));
    PromptAnswerer answers({"BitBtn_Next"});
    main.BitBtn_SaveClick();
    ASSERT_FALSE(answers.seen.empty());
    EXPECT_EQ(answers.seen.back().title, Q(texts::kTitleError));
    EXPECT_TRUE(answers.seen.back().ok_only);
    ExpectReadingMode(main);
    EXPECT_EQ(main.controls().Edit_FileName->text(), QStringLiteral("taken"));
    EXPECT_FALSE(main.controls().Edit_FileName->isReadOnly());
  }
}

}  // namespace
}  // namespace tavrix::app
