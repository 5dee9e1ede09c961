#include "app/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <map>

#include "views/sentence_text.h"

namespace korvane {

namespace {

QMessageBox::Icon IconOf(TMessageType type) {
  switch (type) {
    case TMessageType::Warning: return QMessageBox::Warning;
    case TMessageType::Confirmation: return QMessageBox::Question;
    case TMessageType::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

// Boxes stay above whatever dialog asked.
QWidget* BoxParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

QString MessageDisplayText(const std::string& text) {
  QString shown = SentenceToDisplay(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

QString AnswerCaption(TAnswer answer) {
  switch (answer) {
    case TAnswer::Yes: return QStringLiteral("&Yes");
    case TAnswer::No: return QStringLiteral("&No");
    case TAnswer::OK: return QStringLiteral("OK");
    case TAnswer::Cancel: return QStringLiteral("Cancel");
  }
  return {};
}

TAnswer TMessageBoxAsker::Ask(const TMessage& message) {
  QMessageBox box(IconOf(message.Type), QString::fromStdString(message.Title), MessageDisplayText(message.Text),
                  QMessageBox::NoButton, BoxParent());
  box.setTextFormat(Qt::PlainText);
  std::map<QAbstractButton*, TAnswer> answers;
  for (TAnswer a : message.Buttons) {
    // One role for all keeps the buttons in the message's order on every platform layout.
    QPushButton* b = box.addButton(AnswerCaption(a), QMessageBox::ActionRole);
    answers[b] = a;
    if (a == message.Default) box.setDefaultButton(b);
    if (a == message.Escape) box.setEscapeButton(b);
  }
  box.exec();
  const auto found = answers.find(box.clickedButton());
  return found == answers.end() ? message.Escape : found->second;
}

void TErrorBox::ReportError(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), MessageDisplayText(text) + ".",
                  QMessageBox::NoButton, BoxParent());
  box.setTextFormat(Qt::PlainText);
  QPushButton* ok = box.addButton(AnswerCaption(TAnswer::OK), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}

}  // namespace korvane
