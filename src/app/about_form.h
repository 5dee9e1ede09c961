// The About box: the program's name, version and date, who made it and how to reach
// them. It is modeless, so the user can go on working while it is open.
#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace korvane {

/// The lines of the About text.
[[nodiscard]] QStringList AboutText();

class TAboutForm : public QDialog {
  Q_OBJECT
public:
  TAboutForm(QWidget* parent, const QFont& font);

  /// Shows the box, or brings it to the front when it is already open.
  void ShowAbout();

  [[nodiscard]] QPlainTextEdit* Memo1() const { return memo1_; }
  [[nodiscard]] QPushButton* Button1() const { return button1_; }

public slots:
  void Button1Click();

protected:
  void showEvent(QShowEvent* event) override;

private:
  QPlainTextEdit* memo1_;
  QFrame* panel1_;
  QPushButton* button1_;
};

}  // namespace korvane
