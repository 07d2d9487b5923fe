#include "app/form_main.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTimer>

#include "app/app_texts.h"
#include "app/balloon_tips.h"
#include "app/download_run.h"
#include "app/form_err.h"
#include "app/form_intro.h"
#include "app/passport_edits.h"
#include "app/pictures.h"
#include "core/error.h"
#include "core/file_io.h"

namespace tavrix::app {
namespace {

constexpr int kClientWidth = 768;
constexpr int kClientHeight = 448;
constexpr int kInfoWidth = 350;
constexpr int kTypeWidth = 76;
constexpr int kFileMargin = 7;
constexpr int kDriverListHeight = 33;
constexpr int kCreatReportHeight = 42;
constexpr int kComboIndentStep = 10;  // pixels per indentation step
constexpr int kComboIndentRole = Qt::UserRole + 1;
const QColor kCream(0xFF, 0xFB, 0xF0);
const QColor kNavy(0x00, 0x00, 0x80);

const char kWindowStyle[] = R"(
  QWidget#Panel_Info, QWidget#Panel_Type { border-left: 1px solid #DDE3EA; }
  QWidget#Panel_Type { background: #F6F8FB; }
  QLabel[group="true"] { color: #1F3A5F; font-weight: bold; border-bottom: 1px solid #DDE3EA; }
  QLabel#Label_InfoStatus { color: #B03A2E; }
  QLabel#Label_InfoStatus[notice="true"] { color: #1F3A5F; }
  QLineEdit[readOut="true"] { border: none; background: #FFFBF0; }
  QLineEdit { border: 1px solid #B8C4D2; border-radius: 2px; background: white; padding: 0 2px; }
  QLineEdit[markedEmpty="true"] { border: 1px solid #E4D3A8; background: #FFFBF0; }
  QLineEdit:focus { border: 1px solid #2F6FB0; }
  QPushButton[viewButton="true"] { border: 1px solid #C9D3DF; border-radius: 3px;
    background: #F6F8FB; }
  QPushButton[viewButton="true"]:hover { background: #E3EDF8; border-color: #2F6FB0; }
  QPushButton[viewButton="true"][current="true"] { background: #CFE0F3; border-color: #2F6FB0; }
)";

// The combo's items keep their indentation in the drop-down list as ComboBoxEx items do.
class IndentDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem shifted = option;
    shifted.rect.adjust(index.data(kComboIndentRole).toInt() * kComboIndentStep, 0, 0, 0);
    QStyledItemDelegate::paint(painter, shifted, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += index.data(kComboIndentRole).toInt() * kComboIndentStep;
    size.setHeight(std::max(size.height(), 16));
    return size;
  }
};

QWidget* Panel(QWidget* parent, const char* name) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setAttribute(Qt::WA_StyledBackground);
  return panel;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  return button;
}

QLabel* Label(QWidget* parent, const QString& text, QPoint at) {
  auto* label = new QLabel(text, parent);
  label->move(at);
  label->adjustSize();
  return label;
}

QLabel* Picture(QWidget* parent, const char* name, QRect geometry) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(QString::fromLatin1(name));
  picture->setGeometry(geometry);
  return picture;
}

// Where each passport edit sits in the info panel: its row's top and its left edge and width;
// its caption stands to the left at `label_x`.
struct EditPlace {
  int y, label_x, x, width;
};
constexpr std::array<EditPlace, 16> kEditPlaces = {{
    {28, 10, 104, 104},   // Edit_O_Marka
    {28, 212, 276, 64},   // Edit_O_ZN
    {52, 10, 104, 104},   // Edit_O_Date
    {52, 212, 276, 64},   // Edit_O_Ver
    {102, 10, 104, 104},  // Edit_K_Marka
    {102, 212, 276, 64},  // Edit_K_ZN
    {126, 212, 276, 64},  // Edit_K_RN
    {126, 10, 146, 62},   // Edit_K_God
    {150, 10, 276, 40},   // Edit_K_A
    {174, 10, 104, 236},  // Edit_K_Izg
    {198, 10, 104, 236},  // Edit_K_Vlad
    {248, 10, 104, 236},  // Edit_CO_Org
    {272, 10, 104, 236},  // Edit_CO_FIO
    {296, 10, 104, 104},  // Edit_CO_NUd
    {296, 212, 276, 64},  // Edit_CO_DateUd
    {320, 10, 104, 104},  // Edit_CO_DataSchit
}};
constexpr int kEditHeight = 21;

struct GroupPlace {
  const char* caption;
  int y;
};
constexpr std::array<GroupPlace, 4> kGroups = {{{texts::kGroupLimiter, 6},
                                                {texts::kGroupCrane, 80},
                                                {texts::kGroupService, 226},
                                                {texts::kGroupFileName, 348}}};

}  // namespace

TForm_main::TForm_main(MainWindowHost host)
    : host_(std::move(host)),
      clock_(host_.clock != nullptr ? host_.clock : &system_clock_),
      model_images_(TypeZulPictures()) {
  setObjectName(QStringLiteral("Form_main"));
  setWindowTitle(QString::fromUtf8(texts::kMainCaption));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setMaximumSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setStyleSheet(QString::fromLatin1(kWindowStyle));
  BuildFilePanel();
  BuildInfoPanel();
  BuildTypePanel();
  resize(kClientWidth, kClientHeight);
  PlacePanels();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  program_dir_ = PathFromUtf8(QDir::currentPath().toStdString());
  Settings settings;
  settings.working_dir = PathToUtf8(program_dir_);
  try {
    settings = LoadSettings(program_dir_);
  } catch (const Error& error) {
    settings_problem_ = QString::fromUtf8(error.what());  // the defaults apply
  }
  ui_.CheckBox_Balloon->setChecked(settings.balloons);
  SetViewStyle(settings.view_style);
  support_mail_ = settings.support_mail;
  library_host_ = settings.library_host;
  working_dir_ = settings.working_dir;
  const bool entered = QDir::setCurrent(QString::fromStdString(working_dir_));
  if (entered && QDir::isRelativePath(QString::fromStdString(working_dir_))) {
    working_dir_ = QDir::toNativeSeparators(QDir::currentPath()).toStdString();
  }
  ClearInfoPanel();
  CreateBalloon(ui_.passport_edits[0], kInfoIcon, QString::fromUtf8(texts::kBalloonTitle),
                QString::fromUtf8(texts::kBalloonText), kCream, kNavy);
  SetPassportReadOnly(true);
  if (!entered) {
    const std::vector<Volume> volumes = host_.volumes();
    working_dir_ = volumes.empty() ? std::string(1, kPathSeparator) : volumes.front().root;
  }
  FillDriveList(working_dir_);
}

TForm_main::~TForm_main() = default;

void TForm_main::AttachWindows(TForm_intro* intro, TForm_Err* err) {
  form_intro_ = intro;
  form_err_ = err;
}

void TForm_main::AttachProgressWindows(TForm_CtrlProc* ctrl_proc,
                                       TForm_SendToExcel* send_to_excel) {
  form_ctrl_proc_ = ctrl_proc;
  form_send_to_excel_ = send_to_excel;
}

void TForm_main::BuildFilePanel() {
  ui_.Panel_File = Panel(this, "Panel_File");
  ui_.Panel_DriverList = Panel(ui_.Panel_File, "Panel_DriverList");
  ui_.ComboBoxEx_Driver = new QComboBox(ui_.Panel_DriverList);
  ui_.ComboBoxEx_Driver->setObjectName(QStringLiteral("ComboBoxEx_Driver"));
  ui_.ComboBoxEx_Driver->setGeometry(0, 2, 217, 22);
  ui_.ComboBoxEx_Driver->setItemDelegate(new IndentDelegate(ui_.ComboBoxEx_Driver));
  ui_.ComboBoxEx_Driver->setIconSize(QSize(16, 16));
  ui_.ComboBoxEx_Driver->setMaxVisibleItems(20);
  connect(ui_.ComboBoxEx_Driver, &QComboBox::activated, this, &TForm_main::ComboBoxEx_DriverSelect);
  const auto view_button = [this](const char* name, ViewStyle style, int x,
                                  void (TForm_main::*click)()) {
    QPushButton* button = Button(ui_.Panel_DriverList, name, QString(), QRect(x, 0, 25, 25));
    button->setIcon(ViewStylePicture(static_cast<int>(style)));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setProperty("viewButton", true);
    connect(button, &QPushButton::clicked, this, click);
    return button;
  };
  ui_.BitBtn_vsIcon =
      view_button("BitBtn_vsIcon", ViewStyle::kIcon, 240, &TForm_main::BitBtn_vsIconClick);
  ui_.BitBtn_vsList =
      view_button("BitBtn_vsList", ViewStyle::kList, 270, &TForm_main::BitBtn_vsListClick);
  ui_.BitBtn_vsReport =
      view_button("BitBtn_vsReport", ViewStyle::kReport, 300, &TForm_main::BitBtn_vsReportClick);
  // BitBtn_vsIcon is the window's cancel button: Esc presses it.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, ui_.BitBtn_vsIcon, &QPushButton::click);

  ui_.ListView_FileList = new FileListView(ui_.Panel_File);
  ui_.ListView_FileList->on_select_item = [this](int row) { ListView_FileListSelectItem(row); };
  ui_.ListView_FileList->on_double_click = [this] { ListView_FileListDblClick(); };
  ui_.ListView_FileList->on_key_press = [this](char key) { ListView_FileListKeyPress(key); };

  ui_.Panel_CreatReport = Panel(ui_.Panel_File, "Panel_CreatReport");
  ui_.CheckBox_Balloon = new QCheckBox(QString::fromUtf8(texts::kBalloons), ui_.Panel_CreatReport);
  ui_.CheckBox_Balloon->setObjectName(QStringLiteral("CheckBox_Balloon"));
  ui_.CheckBox_Balloon->move(0, 16);
  ui_.CheckBox_Balloon->adjustSize();
  ui_.BitBtn_SendToXcl = Button(ui_.Panel_CreatReport, "BitBtn_SendToXcl",
                                QString::fromUtf8(texts::kCreateReport), QRect(203, 6, 125, 32));
  connect(ui_.BitBtn_SendToXcl, &QPushButton::clicked, this, &TForm_main::BitBtn_SendToXclClick);

  for (QWidget* control : {static_cast<QWidget*>(ui_.CheckBox_Balloon),
                           static_cast<QWidget*>(ui_.ListView_FileList)}) {
    control->installEventFilter(this);
  }
}

void TForm_main::BuildInfoPanel() {
  ui_.Panel_Info = Panel(this, "Panel_Info");
  for (const GroupPlace& group : kGroups) {
    auto* caption = new QLabel(QString::fromUtf8(group.caption), ui_.Panel_Info);
    caption->setProperty("group", true);
    caption->setGeometry(10, group.y, 330, 17);
  }
  for (std::size_t i = 0; i < kPassportEdits.size(); ++i) {
    const PassportEdit& field = kPassportEdits[i];
    const EditPlace& place = kEditPlaces[i];
    Label(ui_.Panel_Info,
          QString::fromUtf8(kPassportCaptions[field.entry].data(),
                            static_cast<qsizetype>(kPassportCaptions[field.entry].size())),
          QPoint(place.label_x, place.y + 4));
    auto* edit = new QLineEdit(ui_.Panel_Info);
    edit->setObjectName(
        QString::fromLatin1(field.name.data(), static_cast<qsizetype>(field.name.size())));
    edit->setGeometry(place.x, place.y, place.width, kEditHeight);
    edit->setMaxLength(field.max_length);
    edit->installEventFilter(this);
    ui_.passport_edits[i] = edit;
  }
  ui_.Edit_FileName = new QLineEdit(ui_.Panel_Info);
  ui_.Edit_FileName->setObjectName(QStringLiteral("Edit_FileName"));
  ui_.Edit_FileName->setGeometry(10, 368, 330, kEditHeight);
  ui_.Edit_FileName->installEventFilter(this);
  ui_.Label_InfoStatus = new QLabel(ui_.Panel_Info);
  ui_.Label_InfoStatus->setObjectName(QStringLiteral("Label_InfoStatus"));
  ui_.Label_InfoStatus->setGeometry(10, 391, 330, 16);
  ui_.BitBtn_Read = Button(ui_.Panel_Info, "BitBtn_Read", QString::fromUtf8(texts::kRead),
                           QRect(130, 410, 100, 30));
  ui_.BitBtn_Save = Button(ui_.Panel_Info, "BitBtn_Save", QString::fromUtf8(texts::kSave),
                           QRect(240, 410, 100, 30));
  ui_.BitBtn_Save->setEnabled(false);
  ui_.BitBtn_Save->installEventFilter(this);
  connect(ui_.BitBtn_Read, &QPushButton::clicked, this, &TForm_main::BitBtn_ReadClick);
  connect(ui_.BitBtn_Save, &QPushButton::clicked, this, &TForm_main::BitBtn_SaveClick);
}

void TForm_main::BuildTypePanel() {
  ui_.Panel_Type = Panel(this, "Panel_Type");
  ui_.Panel_Type->setFocusPolicy(Qt::ClickFocus);
  constexpr std::array<const char*, 4> kNames = {"Image_52A", "Image_52D", "Image_52N", "Image_38"};
  constexpr std::array<int, 4> kTops = {30, 121, 212, 304};
  for (std::size_t tag = 0; tag < kNames.size(); ++tag) {
    ui_.model_pictures[tag] = Picture(ui_.Panel_Type, kNames[tag], QRect(7, kTops[tag], 65, 65));
    ui_.model_pictures[tag]->installEventFilter(this);
  }
  ui_.Image_Post = Picture(ui_.Panel_Type, "Image_Post", QRect(13, 410, 24, 24));
  ui_.Image_Post->setPixmap(MailPicture());
  ui_.Image_Internet = Picture(ui_.Panel_Type, "Image_Internet", QRect(46, 410, 24, 24));
  ui_.Image_Internet->setPixmap(InternetPicture());
  for (QLabel* icon : {ui_.Image_Post, ui_.Image_Internet}) {
    icon->setCursor(Qt::PointingHandCursor);
    icon->installEventFilter(this);
  }
}

// Panel_Type on the right edge, Panel_Info beside it, Panel_File in the rest with its inner
// margin of 7: the driver panel at the top, the report panel at the bottom, the list between.
void TForm_main::PlacePanels() {
  const int w = width(), h = height();
  ui_.Panel_Type->setGeometry(w - kTypeWidth, 0, kTypeWidth, h);
  ui_.Panel_Info->setGeometry(w - kTypeWidth - kInfoWidth, 0, kInfoWidth, h);
  const int file_width = std::max(0, w - kTypeWidth - kInfoWidth);
  ui_.Panel_File->setGeometry(0, 0, file_width, h);
  const int inner = std::max(0, file_width - 2 * kFileMargin);
  ui_.Panel_DriverList->setGeometry(kFileMargin, kFileMargin, inner, kDriverListHeight);
  ui_.Panel_CreatReport->setGeometry(kFileMargin, h - kFileMargin - kCreatReportHeight, inner,
                                     kCreatReportHeight);
  const int list_top = kFileMargin + kDriverListHeight;
  ui_.ListView_FileList->setGeometry(kFileMargin, list_top, inner,
                                     std::max(0, ui_.Panel_CreatReport->y() - list_top));
}

void TForm_main::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlacePanels();
}

QLineEdit* TForm_main::EditNamed(std::string_view name) const {
  for (std::size_t i = 0; i < kPassportEdits.size(); ++i) {
    if (kPassportEdits[i].name == name) return ui_.passport_edits[i];
  }
  return name == "Edit_FileName" ? ui_.Edit_FileName : nullptr;
}

bool TForm_main::ReadingMode() const { return !ui_.BitBtn_SendToXcl->isEnabled(); }

void TForm_main::SetPassportReadOnly(bool read_only) {
  for (QLineEdit* edit : ui_.passport_edits) edit->setReadOnly(read_only);
  ui_.Edit_FileName->setReadOnly(read_only);
}

void TForm_main::ShowSMS(const QString& text, const QString& title, bool ok_only) {
  form_err_->SetMessage(text, title, ok_only);
  form_err_->exec();
}

void TForm_main::SetViewStyle(ViewStyle style) {
  ui_.ListView_FileList->SetViewStyle(style);
  ui_.BitBtn_vsIcon->setProperty("current", style == ViewStyle::kIcon);
  ui_.BitBtn_vsList->setProperty("current", style == ViewStyle::kList);
  ui_.BitBtn_vsReport->setProperty("current", style == ViewStyle::kReport);
  for (QPushButton* button : {ui_.BitBtn_vsIcon, ui_.BitBtn_vsList, ui_.BitBtn_vsReport}) {
    button->style()->unpolish(button);
    button->style()->polish(button);
  }
}

void TForm_main::BitBtn_vsIconClick() { SetViewStyle(ViewStyle::kIcon); }
void TForm_main::BitBtn_vsListClick() { SetViewStyle(ViewStyle::kList); }
void TForm_main::BitBtn_vsReportClick() { SetViewStyle(ViewStyle::kReport); }

void TForm_main::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_before_) return;
  shown_before_ = true;
  // The splash opens over the main window once the window is on the screen.
  QTimer::singleShot(0, this, &TForm_main::FormShow);
}

void TForm_main::FormShow() {
  if (form_intro_ != nullptr) form_intro_->ShowModal();
  if (!settings_problem_.isEmpty() && form_err_ != nullptr) {
    ShowSMS(settings_problem_, QString::fromUtf8(texts::kTitleWarning), true);
    settings_problem_.clear();
  }
}

void TForm_main::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}

void TForm_main::FormClose() {
  Settings settings;
  settings.balloons = ui_.CheckBox_Balloon->isChecked();
  settings.view_style = ui_.ListView_FileList->viewStyle();
  settings.working_dir = working_dir_;
  try {
    SaveSettings(program_dir_, settings);
  } catch (const Error& error) {
    if (form_err_ != nullptr)
      ShowSMS(QString::fromUtf8(error.what()), QString::fromUtf8(texts::kTitleError), true);
  }
}

}  // namespace tavrix::app
