#include "app/widgets/sentence_combo_box.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

namespace korvane {

TSentenceComboBox::TSentenceComboBox(QWidget* parent)
    : QComboBox(parent), sentences_(new QStringListModel(this)) {
  setModel(sentences_);
  setEditable(true);
  // What the user types is a sentence for the move, not a new list item.
  setInsertPolicy(QComboBox::NoInsert);
  setDuplicatesEnabled(true);
  // Case matters: a sentence is matched exactly.
  setCompleter(nullptr);
  // The combo box holds the focus and hands it on to its line edit itself.
  installEventFilter(this);
  // The popup is widened to its longest entry; what is still too long is cut at the end.
  view()->setTextElideMode(Qt::ElideRight);
}

void TSentenceComboBox::showPopup() {
  QComboBox::showPopup();
  QWidget* popup = view()->window();
  if (popup == window()) return;
  const QRect area = (popup->screen() ? popup->screen() : screen())->availableGeometry();
  // The entries, the popup's frame and the list's frame, and the scroll bar when there is one.
  const int frames = popup->width() - view()->viewport()->width();
  const int wanted = std::min(area.width(), std::max(width(), view()->sizeHintForColumn(0) + frames));
  if (wanted <= popup->width()) return;
  QRect r = popup->geometry();
  r.setWidth(wanted);
  // Towards the left where it would leave the screen on the right.
  if (r.right() > area.right()) r.moveRight(area.right());
  if (r.left() < area.left()) r.moveLeft(area.left());
  popup->setGeometry(r);
}

QStringList TSentenceComboBox::Sorted(QStringList texts) {
  std::sort(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
  });
  return texts;
}

void TSentenceComboBox::SetSortedSentences(const QStringList& texts) {
  const QSignalBlocker quiet(this);
  const QString text = currentText();
  sentences_->setStringList(texts);
  setCurrentIndex(-1);
  setEditText(text);
}

void TSentenceComboBox::SetTextQuietly(const QString& text) {
  const QSignalBlocker quiet(this);
  setCurrentIndex(-1);
  setEditText(text);
}

bool TSentenceComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this) {
    if (event->type() == QEvent::FocusIn) {
      if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (SelectAllOnEnter) {
          lineEdit()->selectAll();
          // Again once the focus change has been handled in full, or a click would undo it.
          QTimer::singleShot(0, lineEdit(), [edit = lineEdit()] { edit->selectAll(); });
        }
        emit Entered();
      }
    } else if (event->type() == QEvent::FocusOut) {
      // The list popping up is no leaving the box.
      if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) emit Exited();
    }
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace korvane
