// The message window TForm_Err: a borderless cream window with a logo chosen by the title, the
// title, the wrapped message and either Ок (centred) or Продолжить and Выход. It grows with the
// text: 15 pixels a wrapped line plus 95. The caller learns the answer from the button tags,
// both reset to 0 each time the window is shown: Продолжить sets NextTag, Выход CencelTag.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <vector>

namespace tavrix::app {

// The window's height for a text: 15 x lines + 95, the lines counted after wrapping the text to
// the memo's width, a last empty line not counted.
int MessageWindowHeight(int wrapped_lines);

class TForm_Err final : public QDialog {
 public:
  struct Controls {
    QLabel* Image_SMSLog = nullptr;
    QLabel* Label_SMSTitl = nullptr;
    QPlainTextEdit* Memo_SMSText = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* BitBtn_Ok = nullptr;
    QPushButton* BitBtn_Next = nullptr;
    QPushButton* BitBtn_Cencel = nullptr;
  };

  explicit TForm_Err(QWidget* main_window);

  // What ShowSMS does before showing the window modally.
  void SetMessage(const QString& text, const QString& title, bool ok_only);

  const Controls& controls() const { return ui_; }
  // The message as given, line breaks and all.
  const QString& Text() const { return text_; }
  int NextTag() const { return next_tag_; }
  int CencelTag() const { return cencel_tag_; }
  // The lines the memo shows for its text.
  int WrappedLineCount() const;

  void FormShow();
  void BitBtn_OkClick();
  void BitBtn_NextClick();
  void BitBtn_CencelClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawLogo();
  void PlaceAnchoredControls();

  Controls ui_;
  std::vector<QPixmap> logos_;
  QString text_;
  bool ok_only_ = true;
  int next_tag_ = 0;
  int cencel_tag_ = 0;
};

}  // namespace tavrix::app
