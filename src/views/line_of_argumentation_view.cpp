#include "views/line_of_argumentation_view.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>

#include "views/sentence_text.h"

namespace korvane {

namespace {

// A line as the screen shows it: decoded, and cut after kShownCharacters with a note.
QString Shown(const std::string& line) {
  QString text = SentenceToDisplay(line);
  qsizetype keep = TLineOfArgumentationView::kShownCharacters;
  if (text.size() <= keep) return text;
  if (text.at(keep - 1).isHighSurrogate()) --keep;
  return text.left(keep) + QStringLiteral(" \u2026 [shown: the first %1 of %2 characters]").arg(keep).arg(text.size());
}

}  // namespace

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
  // A move only appends lines, and a refresh often changes none: refilling the whole text
  // would cost time in proportion to the line for every move.
  const std::size_t kept = lines_.size();
  if (pending_.empty() && kept > 0 && lines.size() >= kept && std::equal(lines_.begin(), lines_.end(), lines.begin())) {
    QStringList added;
    for (std::size_t i = kept; i < lines.size(); ++i) added.append(Shown(lines[i]));
    // Only the new lines are copied: assigning the whole list would copy every line again.
    lines_.insert(lines_.end(), lines.begin() + static_cast<std::ptrdiff_t>(kept), lines.end());
    if (!added.isEmpty()) {
      QTextCursor end(document());
      end.movePosition(QTextCursor::End);
      end.insertText(QChar('\n') + added.join(QChar('\n')));
    }
    ShowFromTheStart();
    return;
  }
  // Undo takes the last move's lines away: only those go.
  if (pending_.empty() && !lines.empty() && lines.size() < kept && std::equal(lines.begin(), lines.end(), lines_.begin())) {
    lines_.resize(lines.size());
    QTextCursor cut(document()->findBlockByNumber(static_cast<int>(lines.size()) - 1));
    cut.movePosition(QTextCursor::EndOfBlock);
    cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cut.removeSelectedText();
    ShowFromTheStart();
    return;
  }
  pending_.clear();
  lines_ = lines;
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) shown.append(Shown(line));
  setPlainText(shown.join(QChar('\n')));
}

// Where a refilled text is shown: no selection, the cursor and both scroll bars at the start.
void TLineOfArgumentationView::ShowFromTheStart() {
  QTextCursor start(document());
  setTextCursor(start);
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
}

void TLineOfArgumentationView::SetLine(int index, const std::string& line) {
  if (index < 0 || static_cast<std::size_t>(index) > lines_.size()) return;
  if (static_cast<std::size_t>(index) == lines_.size()) {
    ShowPendingLines();
    lines_.push_back(line);
    if (lines_.size() == 1)
      setPlainText(Shown(line));
    else
      appendPlainText(Shown(line));
    return;
  }
  lines_[static_cast<std::size_t>(index)] = line;
  pending_[index] = line;
  if (!deferring_) {
    ShowPendingLines();
    return;
  }
  if (showScheduled_) return;
  showScheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    showScheduled_ = false;
    ShowPendingLines();
  });
}

void TLineOfArgumentationView::SetDeferring(bool on) {
  deferring_ = on;
  if (!on) ShowPendingLines();
}

void TLineOfArgumentationView::ShowPendingLines() {
  for (const auto& [index, line] : pending_) {
    QTextCursor cursor(document()->findBlockByNumber(index));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(Shown(line));
  }
  pending_.clear();
}

void TLineOfArgumentationView::CopyAll() const {
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines_.size()));
  for (const std::string& line : lines_) text.append(SentenceToDisplay(line));
  QApplication::clipboard()->setText(text.join(QLatin1Char('\n')));
}

QMenu* TLineOfArgumentationView::CreateContextMenu() {
  QMenu* menu = createStandardContextMenu();
  auto* copyAll = new QAction(QStringLiteral("Copy all"), menu);
  copyAll->setObjectName(QStringLiteral("CopyAll"));
  copyAll->setEnabled(!lines_.empty());
  connect(copyAll, &QAction::triggered, this, &TLineOfArgumentationView::CopyAll);
  // Right after the standard "Copy".
  const QList<QAction*> actions = menu->actions();
  const auto copy = std::find_if(actions.begin(), actions.end(),
                                 [](const QAction* a) { return a->objectName() == QLatin1String("edit-copy"); });
  QAction* before = copy != actions.end() && copy + 1 != actions.end() ? *(copy + 1) : nullptr;
  menu->insertAction(before, copyAll);
  return menu;
}

void TLineOfArgumentationView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

}  // namespace korvane
