#include "app/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>
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

// A message box whose centre is a window's centre, kept on that window's screen.
class TCentredMessageBox : public QMessageBox {
public:
  TCentredMessageBox(Icon icon, const QString& title, const QString& text, const TBoxPlacement& placement)
      : QMessageBox(icon, title, text, NoButton, placement.Parent()), on_(placement.CentreOn()) {
    setTextFormat(Qt::PlainText);
  }

protected:
  // The box knows its size only in its show event; the window manager sees the position
  // when the window is mapped, which comes after it.
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (!on_) return;
    // The box's frame is not known before it is mapped; centring the client areas
    // centres the frames too, as both carry the same title bar.
    QRect frame = frameGeometry();
    frame.moveCenter(on_->geometry().center());
    if (QScreen* screen = on_->screen()) {
      const QRect area = screen->availableGeometry();
      frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() - frame.width() + 1)));
      frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height() + 1)));
    }
    move(frame.topLeft());
  }

private:
  QPointer<QWidget> on_;
};

}  // namespace

QWidget* TBoxPlacement::Parent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (owner_) return owner_;
  return QApplication::activeWindow();
}

QWidget* TBoxPlacement::CentreOn() const {
  QWidget* on = owner_ ? owner_.data() : Parent();
  return on ? on->window() : nullptr;
}

int TBoxPlacement::Exec(QDialog& box) const {
  const QPointer<QWidget> asker = box.parentWidget();
  const int result = box.exec();
  // The box gives the activation back to the dialog that stays open, else to the owner;
  // some window managers leave no window active once a transient box is gone.
  QWidget* back = asker && asker->isVisible() ? asker.data() : owner_.data();
  if (back && back->isVisible()) back->activateWindow();
  return result;
}

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
  TCentredMessageBox box(IconOf(message.Type), QString::fromStdString(message.Title), MessageDisplayText(message.Text),
                         placement_);
  std::map<QAbstractButton*, TAnswer> answers;
  for (TAnswer a : message.Buttons) {
    // One role for all keeps the buttons in the message's order on every platform layout.
    QPushButton* b = box.addButton(AnswerCaption(a), QMessageBox::ActionRole);
    answers[b] = a;
    if (a == message.Default) box.setDefaultButton(b);
    if (a == message.Escape) box.setEscapeButton(b);
  }
  placement_.Exec(box);
  const auto found = answers.find(box.clickedButton());
  return found == answers.end() ? message.Escape : found->second;
}

namespace {

void ShowWithOK(const TBoxPlacement& placement, QMessageBox::Icon icon, const QString& text) {
  TCentredMessageBox box(icon, QApplication::applicationName(), text, placement);
  QPushButton* ok = box.addButton(AnswerCaption(TAnswer::OK), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  placement.Exec(box);
}

}  // namespace

void TErrorBox::ReportError(const std::string& text) {
  ShowWithOK(placement_, QMessageBox::Critical, MessageDisplayText(text) + ".");
}

void TErrorBox::ReportNotice(const QString& text) { ShowWithOK(placement_, QMessageBox::Information, text); }

}  // namespace korvane
