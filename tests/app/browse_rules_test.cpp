// The browser's rules without a window: paths on volumes, the combo's items, the file list's
// entries and order, the settings file, and the balloon tips' conditions.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "app/balloon_tips.h"
#include "app/browse_path.h"
#include "app/file_list.h"
#include "app/settings.h"
#include "app/volumes.h"
#include "core/cp1251.h"
#include "core/ini_file.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace tavrix::app {
namespace {

const std::vector<Volume> kVolumes = {{"/", VolumeKind::kLocal},
                                      {"/media/stick", VolumeKind::kRemovable},
                                      {"/mnt/cd", VolumeKind::kCdRom},
                                      {"/net", VolumeKind::kNetwork},
                                      {"/run/shm", VolumeKind::kUnknown}};

TEST(BrowsePath, SplitsAtTheDeepestVolumeThatHoldsThePath) {
  const BrowsePath on_stick = SplitPath("/media/stick/a/b", kVolumes);
  EXPECT_EQ(on_stick.volume, "/media/stick");
  EXPECT_EQ(on_stick.folders, (std::vector<std::string>{"a", "b"}));
  // "/media/sticky" is not on "/media/stick": volumes end at a separator.
  const BrowsePath beside = SplitPath("/media/sticky", kVolumes);
  EXPECT_EQ(beside.volume, "/");
  EXPECT_EQ(beside.folders, (std::vector<std::string>{"media", "sticky"}));
  EXPECT_EQ(JoinPath(beside), "/media/sticky");
  EXPECT_EQ(JoinPath(SplitPath("/", kVolumes)), "/");
  EXPECT_EQ(JoinPath(on_stick, 1), "/media/stick/a");
}

TEST(DriveCombo, ListsEveryVolumeAndTheFoldersOfTheWorkingDirectory) {
  const DriveCombo combo = BuildDriveCombo(kVolumes, "/media/stick/Краны/2026");
  struct Row {
    std::string caption;
    int picture, indent;
    std::string path;
  };
  const std::vector<Row> expected = {
      {"Локальный диск (/)", 0, 0, "/"},
      {"Съемный диск (/media/stick)", 2, 0, "/media/stick"},
      {"Краны", kFolderPicture, 2, "/media/stick/Краны"},
      {"2026", kFolderPicture, 4, "/media/stick/Краны/2026"},
      {"CD-ROM дисковод (/mnt/cd)", 1, 0, "/mnt/cd"},
      {"Сетевой диск (/net)", 3, 0, "/net"},
      {"", kNoPicture, 0, "/run/shm"},  // a drive of no known kind: no caption, no picture
  };
  ASSERT_EQ(combo.items.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(combo.items[i].caption, expected[i].caption);
    EXPECT_EQ(combo.items[i].picture, expected[i].picture);
    EXPECT_EQ(combo.items[i].indent, expected[i].indent);
    EXPECT_EQ(combo.items[i].path, expected[i].path);
  }
  EXPECT_EQ(combo.selected, 3);  // the deepest folder
  EXPECT_EQ(BuildDriveCombo(kVolumes, "/media/stick").selected, 1);
}

TEST(DriveCombo, APathOnNoListedVolumeAddsNoFoldersAndSelectsNothing) {
  const DriveCombo combo = BuildDriveCombo({{"/media/stick", VolumeKind::kRemovable}}, "/home/u");
  ASSERT_EQ(combo.items.size(), 1u);
  EXPECT_EQ(combo.selected, -1);
}

TEST(BrowsePath, ChoosingAFolderOfTheComboKeepsTheLowerOfTwoOfTheSameName) {
  EXPECT_EQ(PathAfterFolderChoice("/media/stick/a/x/b/x/c", "x", kVolumes), "/media/stick/a/x/b/x");
  EXPECT_EQ(PathAfterFolderChoice("/media/stick/a/b", "a", kVolumes), "/media/stick/a");
  EXPECT_EQ(PathAfterFolderChoice("/media/stick/a/b", "zz", kVolumes), "/media/stick");
  EXPECT_EQ(ParentPath("/media/stick/a/b", kVolumes), "/media/stick/a");
  EXPECT_EQ(ParentPath("/media/stick/a", kVolumes), "/media/stick");
  EXPECT_EQ(ChildPath("/media/stick", "a", kVolumes), "/media/stick/a");
  EXPECT_EQ(ChildPath("/", "home", kVolumes), "/home");
  EXPECT_FALSE(HasParent("/media/stick", kVolumes));
  EXPECT_TRUE(HasParent("/media/stick/a", kVolumes));
}

TEST(Volumes, KindsFollowTheFileSystemTheDeviceAndTheMountPlace) {
  struct Case {
    const char* fs;
    const char* device;
    const char* root;
    bool removable;
    VolumeKind kind;
  };
  const Case cases[] = {
      {"ext4", "/dev/sda1", "/", false, VolumeKind::kLocal},
      {"overlay", "overlay", "/", false, VolumeKind::kLocal},
      {"iso9660", "/dev/sr0", "/media/u/DISC", true, VolumeKind::kCdRom},
      {"udf", "/dev/sr0", "/mnt/dvd", false, VolumeKind::kCdRom},
      {"CDFS", "", "D:", false, VolumeKind::kCdRom},
      {"vfat", "/dev/sdb1", "/mnt/usb", true, VolumeKind::kRemovable},
      {"vfat", "/dev/sdb1", "/run/media/u/STICK", false, VolumeKind::kRemovable},
      {"nfs4", "server:/export", "/srv/share", false, VolumeKind::kNetwork},
      {"cifs", "//server/share", "/media/share", false, VolumeKind::kNetwork},
      {"tmpfs", "tmpfs", "/run/user/1000", false, VolumeKind::kUnknown},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyVolume({c.fs, c.device, c.root, c.removable}), c.kind)
        << c.fs << " " << c.root;
  }
  const std::vector<Volume> mounted = MountedVolumes();
  ASSERT_FALSE(mounted.empty());
  EXPECT_EQ(mounted.front().root, "/");
}

TEST(FileList, ListsParentFoldersAndDataFilesInTheirOrder) {
  testing::TempDir dir;
  for (const char* folder : {"b", "A", "x.rpk", "Кран", "ёлка", "-old"})
    std::filesystem::create_directory(dir / folder);
  for (const char* file : {"b.rpk", "a.RPK", "C.rpk", "notes.txt", "rpk"})
    testing::Spit(dir / file, std::string("x"));
  const std::vector<FileEntry> entries =
      ListFolder(QString::fromStdString(dir.path().string()), true);
  std::vector<QString> captions;
  for (const FileEntry& e : entries) captions.push_back(e.caption);
  // ".." sorts by name with the folders: "-" (0x2D) comes before "." (0x2E).
  EXPECT_EQ(captions, (std::vector<QString>{"-old", "..", "A", "b", "x.rpk", "ёлка", "Кран",
                                            "a.RPK", "b.rpk", "C.rpk"}));
  EXPECT_EQ(entries[1].kind, EntryKind::kParent);
  EXPECT_EQ(entries[4].kind, EntryKind::kFolder);
  EXPECT_EQ(entries[4].type, QStringLiteral("Папка"));
  EXPECT_EQ(entries[9].kind, EntryKind::kDataFile);
  EXPECT_EQ(entries[9].type, QStringLiteral("Файл ЖУВ-6"));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d$"))
                  .match(entries[9].date)
                  .hasMatch())
      << entries[9].date.toStdString();
  EXPECT_TRUE(ListFolder(QString::fromStdString((dir / "missing").string()), true).empty());
}

TEST(FileList, DatesAreLocalTimeInMinutes) {
  const QDateTime t(QDate(2009, 12, 5), QTime(7, 3, 59));
  EXPECT_EQ(ListDateText(t), QStringLiteral("05.12.2009 07:03"));
}

TEST(FileList, NamesCompareByCodePage1251CodesIgnoringCaseForLatinLettersOnly) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"abc", "ABC", 0},
      {"a", "B", -1},
      {"z", "_", -1},        // 'z' folds to 'Z' (0x5A), before '_' (0x5F)
      {"Кран", "кран", -1},  // Cyrillic keeps its case: К (0xCA) before к (0xEA)
      {"ab", "abc", -1},
      {"ёж", "яма", -1},    // ё is 0xB8, before я (0xFF), though it follows я in Unicode
      {"Ёлка", "Ара", -1},  // Ё is 0xA8, before А (0xC0)
      {"№5", "Я", -1},      // № is 0xB9
  };
  for (const Case& c : cases) {
    const int result = CompareListTexts(Utf8ToCp1251(c.a), Utf8ToCp1251(c.b));
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " / " << c.b;
  }
}

TEST(Settings, DefaultsOddValuesAndRoundTrip) {
  testing::TempDir dir;
  const Settings defaults = LoadSettings(dir.path());
  EXPECT_TRUE(defaults.balloons);
  EXPECT_EQ(defaults.view_style, ViewStyle::kReport);
  EXPECT_EQ(defaults.working_dir, dir.path().string());

  const std::string ini = Utf8ToCp1251(
      "; kept\r\n[Настройки]\r\nВключить подсказки=0\r\nВид списка файлов=1\r\n"
      "Рабочая директория=/media/Краны\r\n[Другое]\r\nx=1\r\n");
  testing::Spit(dir / kSettingsFileName, ini);
  Settings s = LoadSettings(dir.path());
  EXPECT_FALSE(s.balloons);
  EXPECT_EQ(s.view_style, ViewStyle::kReport);
  EXPECT_EQ(s.working_dir, "/media/Краны");
  SaveSettings(dir.path(), s);
  const IniFile saved = IniFile::Load(dir / kSettingsFileName);
  EXPECT_EQ(saved.Find(Utf8ToCp1251("Настройки"), Utf8ToCp1251("Вид списка файлов")), "3");
  EXPECT_EQ(saved.Find(Utf8ToCp1251("Настройки"), Utf8ToCp1251("Включить подсказки")), "0");
  EXPECT_EQ(saved.Find(Utf8ToCp1251("Другое"), "x"), "1");
  EXPECT_TRUE(saved.Serialize().starts_with("; kept\r\n"));

  for (const auto& [number, style] : {std::pair{0L, ViewStyle::kIcon},
                                      {2L, ViewStyle::kList},
                                      {3L, ViewStyle::kReport},
                                      {7L, ViewStyle::kReport},
                                      {-1L, ViewStyle::kReport}}) {
    EXPECT_EQ(ViewStyleFromNumber(number), style) << number;
  }
}

TEST(BalloonTips, ConditionsOfTheRows) {
  struct Case {
    const char* control;
    TipState state;
    const char* title;  // nullptr: no tip
  };
  const Case cases[] = {
      {"CheckBox_Balloon", {true, false, false}, "Совет"},
      {"CheckBox_Balloon", {false, false, false}, nullptr},
      {"ListView_FileList", {true, false, false}, "Создайте отчет!"},
      {"ListView_FileList", {true, true, false}, "Внимание!"},
      {"Edit_O_Marka", {true, false, true}, nullptr},
      {"Edit_O_Marka", {true, true, false}, "Заполнение"},
      {"Edit_O_ZN", {true, true, false}, nullptr},
      {"Edit_O_ZN", {true, true, true}, "Заполнение"},
      {"Edit_K_RN", {true, true, false}, nullptr},
      {"Edit_K_RN", {true, true, true}, "Заполнение"},
      {"Edit_FileName", {true, true, false}, "Заполнение"},
      {"Image_Internet", {true, false, false}, "Интернет"},
      {"Image_Post", {false, true, true}, nullptr},
      {"BitBtn_Save", {true, true, true}, nullptr},  // the list of empty fields instead
      {"BitBtn_Read", {true, true, true}, nullptr},
  };
  for (const Case& c : cases) {
    const BalloonTipRow* row = TipForControl(c.control, c.state);
    SCOPED_TRACE(c.control);
    if (c.title == nullptr) {
      EXPECT_EQ(row, nullptr);
    } else {
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->title, c.title);
    }
  }
  EXPECT_EQ(TipForControl("Edit_O_Marka", {true, true, false})->text,
            "Вы можете ввести не более 15 символов.\nПример:  \"ЗУЛ-52А\", \"ЗУЛ-52Н-00\", "
            "\"ЗУЛ-38-00М\"");
}

TEST(BalloonTips, EmptyFieldsAreListedInPanelOrderWithTheCraneModelExceptionFor52A) {
  std::vector<std::string> texts(16, "x");
  EXPECT_EQ(EmptyFieldsText(texts, false), "");
  texts[0].clear();   // Edit_O_Marka
  texts[4].clear();   // Edit_K_Marka
  texts[15].clear();  // Edit_CO_DataSchit
  EXPECT_EQ(EmptyFieldsText(texts, false),
            "Следующие поля не заполнены:\n          Марка ЗУЛ\n          Марка крана\n"
            "          Дата считывания\n");
  EXPECT_EQ(EmptyFieldsText(texts, true),
            "Следующие поля не заполнены:\n          Марка ЗУЛ\n          Дата считывания\n");
  std::vector<std::string> only_crane_model(16, "x");
  only_crane_model[4].clear();
  EXPECT_EQ(EmptyFieldsText(only_crane_model, true), "");
}

TEST(BalloonTips, ANewDumpKeepsTheTipThroughFiveLeaves) {
  int counter = 0;
  for (int leave = 1; leave <= 5; ++leave) EXPECT_FALSE(LeaveHidesTip(counter, true)) << leave;
  EXPECT_TRUE(LeaveHidesTip(counter, true));
  EXPECT_EQ(counter, 0);
  EXPECT_FALSE(LeaveHidesTip(counter, true));
  EXPECT_TRUE(LeaveHidesTip(counter, false));
  EXPECT_EQ(counter, 0);
}

}  // namespace
}  // namespace tavrix::app
