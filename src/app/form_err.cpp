#include "app/form_err.h"

#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextLayout>
#include <array>

#include "app/app_texts.h"
#include "app/pictures.h"

namespace tavrix::app {
namespace {

constexpr int kWidth = 370;
constexpr int kDesignHeight = 115;
constexpr int kMemoWidth = 304;
constexpr int kMemoMargin = 2;  // the text keeps this far from the memo's edges
const QColor kCream(0xFF, 0xFB, 0xF0);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);

constexpr std::array<const char*, 4> kLogoTitles = {texts::kTitleAttention, texts::kTitleQuestion,
                                                    texts::kTitleWarning, texts::kTitleError};

QPushButton* Button(QWidget* parent, const char* name, const char* caption, int x) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, 78, 75, 25);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

int MessageWindowHeight(int wrapped_lines) { return 15 * wrapped_lines + 95; }

TForm_Err::TForm_Err(QWidget* main_window)
    : QDialog(main_window, Qt::Dialog | Qt::FramelessWindowHint), logos_(LogoPictures()) {
  setObjectName(QStringLiteral("Form_Err"));
  setFixedWidth(kWidth);
  resize(kWidth, kDesignHeight);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kCream);
  setPalette(palette);

  ui_.Image_SMSLog = new QLabel(this);
  ui_.Image_SMSLog->setObjectName(QStringLiteral("Image_SMSLog"));
  ui_.Image_SMSLog->setGeometry(8, 8, 32, 32);
  ui_.Label_SMSTitl = new QLabel(this);
  ui_.Label_SMSTitl->setObjectName(QStringLiteral("Label_SMSTitl"));
  ui_.Label_SMSTitl->move(55, 16);
  ui_.Label_SMSTitl->setStyleSheet(QStringLiteral("color: #000080;"));
  QFont bold = ui_.Label_SMSTitl->font();
  bold.setBold(true);
  ui_.Label_SMSTitl->setFont(bold);
  ui_.Memo_SMSText = new QPlainTextEdit(this);
  ui_.Memo_SMSText->setObjectName(QStringLiteral("Memo_SMSText"));
  ui_.Memo_SMSText->setReadOnly(true);
  ui_.Memo_SMSText->setFrameShape(QFrame::NoFrame);
  ui_.Memo_SMSText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  ui_.Memo_SMSText->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  ui_.Memo_SMSText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ui_.Memo_SMSText->document()->setDocumentMargin(kMemoMargin);
  ui_.Memo_SMSText->setStyleSheet(
      QStringLiteral("QPlainTextEdit { background: #FFFBF0; color: #000080; border: none; }"));
  ui_.Bevel1 = new QFrame(this);
  ui_.Bevel1->setObjectName(QStringLiteral("Bevel1"));
  ui_.Bevel1->setFrameShape(QFrame::HLine);
  ui_.Bevel1->setFrameShadow(QFrame::Sunken);
  ui_.BitBtn_Ok = Button(this, "BitBtn_Ok", texts::kOk, 106);
  ui_.BitBtn_Ok->setFont(bold);
  ui_.BitBtn_Next = Button(this, "BitBtn_Next", texts::kContinue, 187);
  ui_.BitBtn_Cencel = Button(this, "BitBtn_Cencel", texts::kExit, 279);
  connect(ui_.BitBtn_Ok, &QPushButton::clicked, this, &TForm_Err::BitBtn_OkClick);
  connect(ui_.BitBtn_Next, &QPushButton::clicked, this, &TForm_Err::BitBtn_NextClick);
  connect(ui_.BitBtn_Cencel, &QPushButton::clicked, this, &TForm_Err::BitBtn_CencelClick);
}

void TForm_Err::SetMessage(const QString& text, const QString& title, bool ok_only) {
  text_ = text;
  QString memo = text;
  memo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  ui_.Memo_SMSText->setPlainText(memo);
  ui_.Label_SMSTitl->setText(title);
  ui_.Label_SMSTitl->adjustSize();
  ok_only_ = ok_only;
  ui_.BitBtn_Ok->setVisible(ok_only);
}

int TForm_Err::WrappedLineCount() const {
  const QString text = ui_.Memo_SMSText->toPlainText();
  const QFont font = ui_.Memo_SMSText->font();
  const qreal width = kMemoWidth - 2 * kMemoMargin;
  const QStringList paragraphs = text.split(QLatin1Char('\n'));
  int lines = 0;
  for (const QString& paragraph : paragraphs) {
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int count = 0;
    while (true) {
      QTextLine line = layout.createLine();
      if (!line.isValid()) break;
      line.setLineWidth(width);
      ++count;
    }
    layout.endLayout();
    lines += std::max(count, 1);
  }
  if (paragraphs.size() > 1 && paragraphs.back().isEmpty()) --lines;
  return lines;
}

void TForm_Err::FormShow() {
  // Whether Ок shows is decided by SetMessage; the visibility of a hidden window's button is
  // not its own, so the flag is kept beside it.
  ui_.BitBtn_Next->setVisible(!ok_only_);
  ui_.BitBtn_Cencel->setVisible(!ok_only_);
  next_tag_ = 0;
  cencel_tag_ = 0;
  if (ok_only_) ui_.BitBtn_Ok->move(kWidth / 2 - ui_.BitBtn_Ok->width() / 2, ui_.BitBtn_Ok->y());
  DrawLogo();
  // A text longer than the screen scrolls, so that the buttons stay within reach.
  int height = MessageWindowHeight(WrappedLineCount());
  if (const QScreen* screen = this->screen()) {
    height = std::min(height, screen->availableGeometry().height());
  }
  setFixedHeight(height);
  PlaceAnchoredControls();
  if (const QWidget* owner = parentWidget(); owner != nullptr && owner->isVisible()) {
    move(owner->frameGeometry().center() - rect().center());
  }
}

void TForm_Err::DrawLogo() {
  QPixmap logo(32, 32);
  logo.fill(Qt::white);
  QPainter p(&logo);
  for (std::size_t i = 0; i < kLogoTitles.size(); ++i) {
    if (ui_.Label_SMSTitl->text() == QString::fromUtf8(kLogoTitles[i]))
      p.drawPixmap(0, 0, logos_[i]);
  }
  p.end();
  ui_.Image_SMSLog->setPixmap(logo);
}

void TForm_Err::BitBtn_OkClick() { close(); }

void TForm_Err::BitBtn_NextClick() {
  next_tag_ = 1;
  close();
}

void TForm_Err::BitBtn_CencelClick() {
  cencel_tag_ = 1;
  close();
}

void TForm_Err::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TForm_Err::resizeEvent(QResizeEvent* event) {
  PlaceAnchoredControls();
  QDialog::resizeEvent(event);
}

// The controls anchored to the bottom keep their distance from it as the window grows; a hidden
// window gets its resize event only when shown, so FormShow places them itself.
void TForm_Err::PlaceAnchoredControls() {
  const int grow = height() - kDesignHeight;
  ui_.Memo_SMSText->setGeometry(58, 35, kMemoWidth, 29 + grow);
  ui_.Bevel1->setGeometry(16, 70 + grow, 338, 2);
  for (QPushButton* button : {ui_.BitBtn_Ok, ui_.BitBtn_Next, ui_.BitBtn_Cencel}) {
    button->move(button->x(), 78 + grow);
  }
}

void TForm_Err::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // Shape1: the cream card; Shape3: its silver rim, 5 pixels wide.
  p.setPen(Qt::NoPen);
  p.setBrush(kCream);
  p.drawRoundedRect(QRectF(0, 0, width() - 3, height() - 3), 10, 10);
  p.setPen(QPen(kSilver, 5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(1 + 2.5, 1 + 2.5, width() - 1 - 5, height() - 1 - 5), 10, 10);
}

}  // namespace tavrix::app
