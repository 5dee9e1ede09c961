#include "app/line_of_argumentation_view.h"

#include <QTextBlock>
#include <QTextCursor>

#include "views/sentence_text.h"

namespace korvane {

TLineOfArgumentationView::TLineOfArgumentationView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setFrameShape(QFrame::NoFrame);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Selectable with the mouse, but not a Tab stop.
  setFocusPolicy(Qt::ClickFocus);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TLineOfArgumentationView::SetLines(const std::vector<std::string>& lines) {
  lines_ = lines;
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) shown.append(SentenceToDisplay(line));
  setPlainText(shown.join(QChar('\n')));
}

void TLineOfArgumentationView::SetLine(int index, const std::string& line) {
  if (index < 0 || static_cast<std::size_t>(index) > lines_.size()) return;
  if (static_cast<std::size_t>(index) == lines_.size()) {
    lines_.push_back(line);
    if (lines_.size() == 1) setPlainText(SentenceToDisplay(line));
    else appendPlainText(SentenceToDisplay(line));
    return;
  }
  lines_[static_cast<std::size_t>(index)] = line;
  QTextCursor cursor(document()->findBlockByNumber(index));
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  cursor.insertText(SentenceToDisplay(line));
}

}  // namespace korvane
