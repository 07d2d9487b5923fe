// The main window: settings kept across runs, the drive and folder combo, the file list and its
// keys, file selection and the passport panel, the model pictures, the balloon tips and icons.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <QUrl>

#include "app/app_texts.h"
#include "app/balloon_tips.h"
#include "app/form_err.h"
#include "app/passport_edits.h"
#include "app_support.h"
#include "core/ini_file.h"
#include "data/header_decoder.h"
#include "data/model.h"
#include "imagegen/recorder_image.h"
#include "support/files.h"

namespace tavrix::app {
namespace {

using testing::Enter;
using testing::Leave;
using testing::Passport;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(work() / "sub" / "deeper" / "-old");
    testing::WriteSample(work() / "A.rpk", Passport({{0, "ЗУЛ-52Д"},
                                                     {1, "7"},
                                                     {2, "ЗУЛ-52Д"},
                                                     {5, "КС-45717"},
                                                     {11, "ООО «Владелец»"},
                                                     {16, "20.11.2026 10:30"}}));
    testing::WriteSample(work() / "B.rpk", Passport({{0, "нет"}, {3, "0042"}, {6, "1234"}}));
    WriteSettings(work().string());
  }

  std::filesystem::path work() const { return fixture_.root() / "work"; }
  std::string WorkText() const { return work().string(); }

  void WriteSettings(const std::string& working_dir, const char* view = "3") {
    IniFile ini;
    const std::string section = Utf8ToCp1251("Настройки");
    ini.WriteString(section, Utf8ToCp1251("Вид списка файлов"), view);
    ini.WriteString(section, Utf8ToCp1251("Рабочая директория"), Utf8ToCp1251(working_dir));
    ini.Save(fixture_.program_dir() / "Tavrix.ini");
  }
  std::string StoredSetting(const char* key) {
    return Cp1251ToUtf8(IniFile::Load(fixture_.program_dir() / "Tavrix.ini")
                            .ReadString(Utf8ToCp1251("Настройки"), Utf8ToCp1251(key), "?"));
  }

  std::vector<QString> Captions(const TForm_main& main) {
    std::vector<QString> captions;
    for (const FileEntry& e : main.controls().ListView_FileList->entries())
      captions.push_back(e.caption);
    return captions;
  }
  int Row(const TForm_main& main, const QString& caption) {
    const auto captions = Captions(main);
    return static_cast<int>(std::find(captions.begin(), captions.end(), caption) -
                            captions.begin());
  }
  void Select(TForm_main& main, const QString& caption) {
    main.controls().ListView_FileList->SelectRow(Row(main, caption));
  }
  QString Text(TForm_main& main, const char* edit) { return main.EditNamed(edit)->text(); }
  static void EnterReadingMode(TForm_main& main) {
    main.controls().BitBtn_SendToXcl->setEnabled(false);
    main.SetPassportReadOnly(false);
  }

  testing::AppFixture fixture_;
};

TEST_F(MainWindowTest, SettingsAreReadAtStartAndWrittenAtClose) {
  WriteSettings(WorkText() + "/sub", "1");
  TForm_main& main = fixture_.Open();
  EXPECT_EQ(main.WorkingDir(), WorkText() + "/sub");
  EXPECT_EQ(main.ProgramDir(), fixture_.program_dir());
  EXPECT_EQ(QDir::currentPath().toStdString(), WorkText() + "/sub");
  EXPECT_TRUE(main.controls().CheckBox_Balloon->isChecked());
  EXPECT_EQ(main.controls().ListView_FileList->viewStyle(), ViewStyle::kReport);
  main.controls().CheckBox_Balloon->setChecked(false);
  main.BitBtn_vsListClick();
  main.close();
  EXPECT_EQ(StoredSetting("Вид списка файлов"), "2");
  EXPECT_EQ(StoredSetting("Включить подсказки"), "0");
  EXPECT_EQ(StoredSetting("Рабочая директория"), WorkText() + "/sub");

  TForm_main& again = fixture_.Open();
  EXPECT_FALSE(again.controls().CheckBox_Balloon->isChecked());
  EXPECT_EQ(again.controls().ListView_FileList->viewStyle(), ViewStyle::kList);
}

TEST_F(MainWindowTest, AWorkingDirectoryThatCannotBeEnteredFallsBackToTheRootVolume) {
  WriteSettings(WorkText() + "/gone");
  TForm_main& main = fixture_.Open();
  EXPECT_EQ(main.WorkingDir(), "/");
  EXPECT_EQ(main.controls().ComboBoxEx_Driver->currentText(), QStringLiteral("Локальный диск (/)"));
  main.close();
  EXPECT_EQ(StoredSetting("Рабочая директория"), "/");
}

TEST_F(MainWindowTest, AnUnreadableSettingsFileGivesTheDefaultsAndIsToldOnceTheWindowShows) {
  std::filesystem::remove(fixture_.program_dir() / "Tavrix.ini");
  std::filesystem::create_directory(fixture_.program_dir() / "Tavrix.ini");
  TForm_main& main = fixture_.Open();
  EXPECT_EQ(main.WorkingDir(), fixture_.program_dir().string());
  EXPECT_TRUE(main.controls().CheckBox_Balloon->isChecked());
  const TForm_Err& err = *fixture_.windows().err;
  main.show();
  testing::AnswerNextPrompt("BitBtn_Ok");
  QApplication::processEvents();  // the window's first showing tells the problem
  EXPECT_EQ(err.controls().Label_SMSTitl->text(), QString::fromUtf8(texts::kTitleWarning));
  EXPECT_TRUE(err.controls().Memo_SMSText->toPlainText().contains(QStringLiteral("Tavrix.ini")));
  // Nor can it be written at close: that is told too.
  testing::AnswerNextPrompt("BitBtn_Ok");
  main.close();
  EXPECT_EQ(err.controls().Label_SMSTitl->text(), QString::fromUtf8(texts::kTitleError));
}

TEST_F(MainWindowTest, TheComboListsTheVolumesAndTheFoldersOfThePath) {
  WriteSettings(WorkText() + "/sub/deeper");
  TForm_main& main = fixture_.Open();
  const QComboBox* combo = main.controls().ComboBoxEx_Driver;
  ASSERT_EQ(combo->count(), 5);
  EXPECT_EQ(combo->itemText(0), QStringLiteral("Локальный диск (/)"));
  EXPECT_EQ(combo->itemText(1),
            QString::fromStdString("Съемный диск (" + fixture_.root().string() + ")"));
  EXPECT_EQ(combo->itemText(2), QStringLiteral("work"));
  EXPECT_EQ(combo->itemText(4), QStringLiteral("deeper"));
  EXPECT_EQ(combo->currentIndex(), 4);
  EXPECT_FALSE(combo->itemIcon(2).isNull());

  main.ComboBoxEx_DriverSelect(2);  // the folder "work"
  EXPECT_EQ(main.WorkingDir(), WorkText());
  EXPECT_EQ(Captions(main), (std::vector<QString>{"..", "sub", "A.rpk", "B.rpk"}));
  main.ComboBoxEx_DriverSelect(1);  // the volume
  EXPECT_EQ(main.WorkingDir(), fixture_.root().string());
  EXPECT_EQ(Captions(main).front(), QStringLiteral("prog"));  // no ".." at a volume's root
}

TEST_F(MainWindowTest, DoubleClickEnterAndBackspaceMoveThroughTheFolders) {
  TForm_main& main = fixture_.Open();
  Select(main, QStringLiteral("sub"));
  main.ListView_FileListDblClick();
  EXPECT_EQ(main.WorkingDir(), WorkText() + "/sub");
  EXPECT_EQ(main.controls().ComboBoxEx_Driver->currentText(), QStringLiteral("sub"));

  QAbstractItemView* view = main.controls().ListView_FileList->CurrentView();
  Select(main, QStringLiteral("deeper"));
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(main.WorkingDir(), WorkText() + "/sub/deeper");
  // "-old" sorts before ".."; Backspace still goes up.
  ASSERT_EQ(Captions(main), (std::vector<QString>{"-old", ".."}));
  QTest::keyClick(view, Qt::Key_Backspace);
  QTest::keyClick(view, Qt::Key_Backspace);
  EXPECT_EQ(main.WorkingDir(), WorkText());

  // At a volume's root Backspace opens the first item.
  main.ComboBoxEx_DriverSelect(1);
  QTest::keyClick(main.controls().ListView_FileList->CurrentView(), Qt::Key_Backspace);
  EXPECT_EQ(main.WorkingDir(), fixture_.root().string() + "/prog");
}

TEST_F(MainWindowTest, PanelsKeepTheirPlacesAndTheRightOnesFollowTheRightEdge) {
  TForm_main& main = fixture_.Open();
  const TForm_main::Controls& ui = main.controls();
  EXPECT_EQ(main.size(), QSize(768, 448));
  EXPECT_EQ(main.maximumSize(), QSize(768, 448));
  const struct {
    const QWidget* control;
    QRect geometry;  // in the main window
  } places[] = {
      {ui.Panel_Type, {692, 0, 76, 448}},
      {ui.Panel_Info, {342, 0, 350, 448}},
      {ui.ComboBoxEx_Driver, {7, 9, 217, ui.ComboBoxEx_Driver->height()}},
      {ui.BitBtn_vsIcon, {247, 7, 25, 25}},
      {ui.BitBtn_vsReport, {307, 7, 25, 25}},
      {ui.ListView_FileList, {7, 40, 328, 359}},
      {ui.BitBtn_SendToXcl, {210, 405, 125, 32}},
      {ui.model_pictures[3], {699, 304, 65, 65}},
      {ui.Image_Internet, {738, 410, 24, 24}},
  };
  for (const auto& place : places) {
    EXPECT_EQ(QRect(place.control->mapTo(&main, QPoint(0, 0)), place.control->size()),
              place.geometry)
        << place.control->objectName().toStdString();
  }
  main.show();
  main.resize(700, 400);
  EXPECT_EQ(ui.Panel_Type->geometry(), QRect(624, 0, 76, 400));
  EXPECT_EQ(ui.Panel_Info->x(), 274);
  EXPECT_EQ(ui.ListView_FileList->geometry(), QRect(7, 40, 260, 311));
  EXPECT_EQ(ui.Panel_CreatReport->y(), 351);
}

TEST_F(MainWindowTest, ViewButtonsAndEscSetTheViewStyle) {
  TForm_main& main = fixture_.Open();
  main.show();
  const FileListView* list = main.controls().ListView_FileList;
  main.controls().BitBtn_vsList->click();
  EXPECT_EQ(list->viewStyle(), ViewStyle::kList);
  main.controls().BitBtn_vsReport->click();
  EXPECT_EQ(list->viewStyle(), ViewStyle::kReport);
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  list->CurrentView()->setFocus();
  QTest::keyClick(list->CurrentView(), Qt::Key_Escape);
  EXPECT_EQ(list->viewStyle(), ViewStyle::kIcon);
}

TEST_F(MainWindowTest, SelectingADataFileShowsItsPassportAndModel) {
  TForm_main& main = fixture_.Open();
  Select(main, QStringLiteral("A.rpk"));
  EXPECT_EQ(Text(main, "Edit_FileName"), QStringLiteral("A.rpk"));
  EXPECT_EQ(Text(main, "Edit_O_Ver"), QStringLiteral("7"));
  EXPECT_EQ(Text(main, "Edit_K_Marka"), QStringLiteral("КС-45717"));
  EXPECT_EQ(Text(main, "Edit_CO_DataSchit"), QStringLiteral("20.11.2026 10:30"));
  EXPECT_EQ(main.HeaderValues()[kEntryModel], Designation(Model::k52D));
  const QImage marked = main.controls().model_pictures[Tag(Model::k52D)]->pixmap().toImage();
  const QImage unmarked = main.controls().model_pictures[Tag(Model::k52A)]->pixmap().toImage();
  EXPECT_NE(marked, unmarked);
  EXPECT_FALSE(main.EditNamed("Edit_K_ZN")->property("markedEmpty").toBool());  // browse mode

  // From A to B: "нет" leaves the pictures as they were, B's fields replace A's.
  Select(main, QStringLiteral("B.rpk"));
  EXPECT_EQ(Text(main, "Edit_O_ZN"), QStringLiteral("0042"));
  EXPECT_EQ(Text(main, "Edit_K_Marka"), QString());
  EXPECT_EQ(main.controls().model_pictures[Tag(Model::k52D)]->pixmap().toImage(), marked);

  Select(main, QStringLiteral("sub"));
  EXPECT_EQ(Text(main, "Edit_FileName"), QString());
  EXPECT_EQ(Text(main, "Edit_O_ZN"), QString());
  EXPECT_NE(main.controls().model_pictures[Tag(Model::k52D)]->pixmap().toImage(), marked);
}

TEST_F(MainWindowTest, ADataFileThatCannotBeReadLeavesThePanelEmptyAndSaysSo) {
  TForm_main& main = fixture_.Open();
  Select(main, QStringLiteral("A.rpk"));
  std::filesystem::remove(work() / "B.rpk");
  Select(main, QStringLiteral("B.rpk"));
  EXPECT_EQ(Text(main, "Edit_K_Marka"), QString());
  EXPECT_EQ(Text(main, "Edit_FileName"), QString());
  const QLabel* status = main.controls().Label_InfoStatus;
  EXPECT_TRUE(status->toolTip().contains(QStringLiteral("B.rpk")))
      << status->toolTip().toStdString();
  // The label shows as much as fits, the start and the reason.
  EXPECT_TRUE(status->text().startsWith(QStringLiteral("Не удалось прочитать файл")));
  EXPECT_LE(status->fontMetrics().horizontalAdvance(status->text()), status->width());
  Select(main, QStringLiteral("A.rpk"));
  EXPECT_TRUE(main.controls().Label_InfoStatus->text().isEmpty());
}

TEST_F(MainWindowTest, InReadingModeSelectionRemembersTheNameAndDoubleClickFillsEmptyEdits) {
  TForm_main& main = fixture_.Open();
  EnterReadingMode(main);
  main.HeaderValues()[kEntryReadoutTime] = Utf8ToCp1251("01.12.2026 09:00");
  main.EditNamed("Edit_CO_DataSchit")->setText(QStringLiteral("01.12.2026 09:00"));
  main.EditNamed("Edit_O_Ver")->setText(QStringLiteral("9"));
  Select(main, QStringLiteral("sub"));
  EXPECT_EQ(main.RememberedFileName(), QStringLiteral("sub"));
  Select(main, QStringLiteral("A.rpk"));
  EXPECT_EQ(main.RememberedFileName(), QStringLiteral("A.rpk"));
  EXPECT_EQ(Text(main, "Edit_FileName"), QString());  // the panel keeps the dump's values

  main.ListView_FileListDblClick();
  EXPECT_EQ(Text(main, "Edit_O_Ver"), QStringLiteral("9"));  // typed text is kept
  EXPECT_EQ(Text(main, "Edit_K_Marka"), QStringLiteral("КС-45717"));
  EXPECT_EQ(Text(main, "Edit_CO_DataSchit"), QStringLiteral("01.12.2026 09:00"));
  EXPECT_TRUE(main.EditNamed("Edit_K_ZN")->property("markedEmpty").toBool());
  EXPECT_FALSE(main.EditNamed("Edit_K_Marka")->property("markedEmpty").toBool());

  Select(main, QStringLiteral("B.rpk"));
  main.ListView_FileListDblClick();  // fills only what is still empty
  EXPECT_EQ(Text(main, "Edit_K_ZN"), QStringLiteral("1234"));
  EXPECT_EQ(Text(main, "Edit_K_Marka"), QStringLiteral("КС-45717"));
  EXPECT_EQ(main.HeaderValues()[kEntryReadoutTime], Utf8ToCp1251("01.12.2026 09:00"));

  // A file gone since the list was filled changes nothing and is told.
  const HeaderValueList before = main.HeaderValues();
  std::filesystem::remove(work() / "A.rpk");
  Select(main, QStringLiteral("A.rpk"));
  main.ListView_FileListDblClick();
  EXPECT_EQ(main.HeaderValues(), before);
  EXPECT_EQ(Text(main, "Edit_K_Marka"), QStringLiteral("КС-45717"));
  EXPECT_TRUE(main.controls().Label_InfoStatus->toolTip().contains(QStringLiteral("A.rpk")));
}

TEST_F(MainWindowTest, DoubleClickOnADataFileInBrowseModeChangesNothing) {
  TForm_main& main = fixture_.Open();
  Select(main, QStringLiteral("B.rpk"));
  main.ListView_FileListDblClick();
  EXPECT_EQ(main.WorkingDir(), WorkText());
  EXPECT_EQ(Text(main, "Edit_O_ZN"), QStringLiteral("0042"));
  EXPECT_EQ(Text(main, "Edit_K_Marka"), QString());
}

TEST_F(MainWindowTest, PassportEditsAreReadOnlyAtStartAndLimitTyping) {
  TForm_main& main = fixture_.Open();
  for (std::size_t i = 0; i < kPassportEdits.size(); ++i) {
    EXPECT_TRUE(main.controls().passport_edits[i]->isReadOnly()) << kPassportEdits[i].name;
    EXPECT_EQ(main.controls().passport_edits[i]->maxLength(), kPassportEdits[i].max_length);
  }
  EXPECT_TRUE(main.controls().Edit_FileName->isReadOnly());
  EXPECT_FALSE(main.controls().BitBtn_Save->isEnabled());
  EXPECT_FALSE(main.ReadingMode());
}

TEST_F(MainWindowTest, PictureClicksSelectAModelOnlyInReadingMode) {
  gen::ImageSpec image_spec;
  image_spec.model = Model::k52A;
  WriteFileAtomically(fixture_.program_dir() / kDumpFileName, gen::GenerateImage(image_spec));
  TForm_main& main = fixture_.Open();
  QLabel* image_52a = main.controls().model_pictures[Tag(Model::k52A)];
  QTest::mouseClick(image_52a, Qt::LeftButton);
  EXPECT_EQ(main.HeaderValues()[kEntryModel], "");  // browse mode: nothing happens

  EnterReadingMode(main);
  main.HeaderValues()[kEntryReadoutTime] = "01.12.2026 09:00";
  main.EditNamed("Edit_CO_FIO")->setText(QStringLiteral("Петров"));
  QTest::mouseClick(image_52a, Qt::LeftButton);
  HeaderValueList expected;
  expected[kEntryReadoutTime] = "01.12.2026 09:00";
  FixedClock clock({});
  SelectModel(Model::k52A, ByteView(gen::GenerateImage(image_spec)), clock, expected);
  EXPECT_EQ(main.HeaderValues(), expected);
  EXPECT_EQ(Text(main, "Edit_O_Marka"), QString::fromStdString(Cp1251ToUtf8(expected[2])));
  EXPECT_EQ(Text(main, "Edit_CO_FIO"), QString());  // the user's text gives way to the decoding
  EXPECT_TRUE(main.EditNamed("Edit_CO_FIO")->property("markedEmpty").toBool());

  // A missing dump is reported and changes nothing.
  std::filesystem::remove(fixture_.program_dir() / kDumpFileName);
  testing::AnswerNextPrompt("BitBtn_Ok");
  main.Image_TypeZULClick(Tag(Model::k38));
  EXPECT_EQ(main.HeaderValues(), expected);
  EXPECT_EQ(fixture_.windows().err->controls().Label_SMSTitl->text(),
            QString::fromUtf8(texts::kTitleError));
}

TEST_F(MainWindowTest, DetectionSelectsTheModelAsItsPictureDoesOrMarksNoModel) {
  const std::filesystem::path dump = fixture_.program_dir() / kDumpFileName;
  gen::ImageSpec image_spec;
  image_spec.model = Model::k52N;
  WriteFileAtomically(dump, gen::GenerateImage(image_spec));
  TForm_main& main = fixture_.Open();
  EnterReadingMode(main);
  main.DetectModel(dump);
  EXPECT_EQ(main.HeaderValues()[kEntryModel], Designation(Model::k52N));
  const QImage marked = main.controls().model_pictures[Tag(Model::k52N)]->pixmap().toImage();
  EXPECT_FALSE(Text(main, "Edit_O_Marka").isEmpty());

  WriteFileAtomically(dump, std::vector<std::uint8_t>(kDumpSize));  // no model passes
  main.EditNamed("Edit_K_ZN")->setText(QStringLiteral("77"));
  main.DetectModel(dump);
  EXPECT_EQ(main.HeaderValues()[kEntryModel], NoModelMarker());
  EXPECT_EQ(Text(main, "Edit_K_ZN"), QStringLiteral("77"));
  EXPECT_EQ(main.controls().model_pictures[Tag(Model::k52N)]->pixmap().toImage(), marked);
}

TEST_F(MainWindowTest, BalloonTipsFollowTheModeAndTheNewDumpFlag) {
  TForm_main& main = fixture_.Open();
  main.show();
  const BalloonTip* balloon = main.Balloon();
  Enter(main.EditNamed("Edit_K_Marka"));
  EXPECT_FALSE(balloon->isVisible());  // browse mode: no field tips
  Enter(main.controls().ListView_FileList);
  ASSERT_TRUE(balloon->isVisible());
  EXPECT_EQ(balloon->title(), QStringLiteral("Создайте отчет!"));
  EXPECT_EQ(balloon->icon(), kInfoIcon);
  const QWidget* list = main.controls().ListView_FileList;
  EXPECT_EQ(balloon->anchor(), list->mapToGlobal(QPoint(0, list->height() - 2)));
  EXPECT_EQ(balloon->pos() + balloon->StemPoint(), balloon->anchor());
  Leave(main.controls().ListView_FileList);
  EXPECT_FALSE(balloon->isVisible());

  EnterReadingMode(main);
  Enter(main.controls().ListView_FileList);
  EXPECT_EQ(balloon->title(), QStringLiteral("Внимание!"));
  Enter(main.EditNamed("Edit_K_RN"));
  EXPECT_EQ(balloon->title(), QStringLiteral("Внимание!"));  // needs a new dump
  main.SetNewDumpFlag(1);
  Enter(main.EditNamed("Edit_K_RN"));
  EXPECT_EQ(balloon->title(), QStringLiteral("Заполнение"));

  // With a new dump the tip stands through five leaves and goes at the sixth; leaving a
  // control that has no tip counts for nothing.
  Leave(main.controls().model_pictures[0]);
  EXPECT_EQ(main.BalloonLeaveCount(), 0);
  for (int leave = 1; leave <= 5; ++leave) {
    Leave(main.EditNamed("Edit_K_RN"));
    EXPECT_TRUE(balloon->isVisible()) << leave;
    EXPECT_EQ(main.BalloonLeaveCount(), leave);
  }
  Leave(main.EditNamed("Edit_K_RN"));
  EXPECT_FALSE(balloon->isVisible());
  EXPECT_EQ(main.BalloonLeaveCount(), 0);

  main.controls().CheckBox_Balloon->setChecked(false);
  Enter(main.controls().ListView_FileList);
  EXPECT_FALSE(balloon->isVisible());
}

TEST_F(MainWindowTest, SaveListsTheEmptyFieldsInReadingMode) {
  TForm_main& main = fixture_.Open();
  main.show();
  EnterReadingMode(main);
  main.controls().BitBtn_Save->setEnabled(true);
  for (QLineEdit* edit : main.controls().passport_edits) edit->setText(QStringLiteral("x"));
  main.EditNamed("Edit_K_Marka")->clear();
  main.HeaderValues()[kEntryModel] = Designation(Model::k52A);
  Enter(main.controls().BitBtn_Save);
  EXPECT_FALSE(main.Balloon()->isVisible());  // a ЗУЛ-52А may leave the crane model empty

  main.HeaderValues()[kEntryModel] = Designation(Model::k52N);
  Enter(main.controls().BitBtn_Save);
  ASSERT_TRUE(main.Balloon()->isVisible());
  EXPECT_EQ(main.Balloon()->title(), QStringLiteral("Предупреждение!"));
  EXPECT_EQ(main.Balloon()->icon(), kWarningIcon);
  EXPECT_EQ(main.Balloon()->text(),
            QStringLiteral("Следующие поля не заполнены:\n          Марка крана\n"));
}

TEST_F(MainWindowTest, TheIconsOpenTheMailAndTheLibraryPage) {
  TForm_main& main = fixture_.Open();
  main.show();
  Enter(main.controls().Image_Post);
  EXPECT_TRUE(main.Balloon()->text().endsWith(QStringLiteral("на адрес support@example.com")));
  QTest::mouseClick(main.controls().Image_Post, Qt::LeftButton);
  QTest::mouseClick(main.controls().Image_Internet, Qt::LeftButton);
  EXPECT_EQ(fixture_.opened_urls,
            (std::vector<QUrl>{QUrl(QStringLiteral("mailto:support@example.com")),
                               QUrl(QStringLiteral("http://www.example.com/Libr/biblio_po.htm"))}));
}

}  // namespace
}  // namespace tavrix::app
