#include "app/widgets/sentence_combo_box.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

namespace korvane {

TSentenceComboBox::TSentenceComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  // What the user types is a sentence for the move, not a new list item.
  setInsertPolicy(QComboBox::NoInsert);
  setDuplicatesEnabled(true);
  // Case matters: a sentence is matched exactly.
  setCompleter(nullptr);
  // The combo box holds the focus and hands it on to its line edit itself.
  installEventFilter(this);
}

void TSentenceComboBox::SetSentences(QStringList texts) {
  std::sort(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
  });
  const QSignalBlocker quiet(this);
  const QString text = currentText();
  clear();
  addItems(texts);
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
