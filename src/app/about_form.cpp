#include "app/about_form.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace korvane {

QStringList AboutText() {
  return {
      // Required as is: this version and date (pinned by tests/app/options_about_test.cpp).
      QStringLiteral("Korvane 2.03 - an argument-assistance system"),
      QString(),
      QStringLiteral("Version September 1, 1999"),
      QString(),
      QStringLiteral("Made by the Korvane team."),
      QStringLiteral("Contact: the Korvane team, korvane@example.org"),
      QString(),
      QStringLiteral("With thanks to everyone who tried the early versions and told us what went wrong."),
      QString(),
      QStringLiteral("Korvane is provided as is, without warranty of any kind. It helps you set out and check "
                     "a line of argumentation; it does not give legal or other professional advice."),
  };
}

TAboutForm::TAboutForm(QWidget* parent, const QFont& font) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("About Korvane"));
  setFont(font);
  setModal(false);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(388, 250);

  memo1_ = new QPlainTextEdit(this);
  memo1_->setObjectName(QStringLiteral("Memo1"));
  memo1_->setGeometry(0, 0, 388, 209);
  memo1_->setReadOnly(true);
  memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo1_->setPlainText(AboutText().join(QLatin1Char('\n')));

  panel1_ = new QFrame(this);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setGeometry(0, 209, 388, 41);
  button1_ = new QPushButton(QStringLiteral("&OK"), panel1_);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(8, 8, 75, 25);
  button1_->setDefault(true);
  connect(button1_, &QPushButton::clicked, this, &TAboutForm::Button1Click);
  setFocusProxy(button1_);
}

void TAboutForm::ShowAbout() {
  show();
  raise();
  activateWindow();
}

void TAboutForm::Button1Click() { close(); }

void TAboutForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  button1_->setFocus();
}

}  // namespace korvane
