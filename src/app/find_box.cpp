#include "app/find_box.h"

#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

#include "app/arg_int_form.h"
#include "views/diagram_paint_box.h"
#include "views/line_of_argumentation_view.h"

namespace korvane {

TFindBox::TFindBox(TArgIntForm& window, TDiagramPaintBox& paintBox, QScrollArea& scrollBox,
                   TLineOfArgumentationView* text, QWidget* keysOn)
    : QObject(keysOn ? keysOn : &window),
      window_(window),
      paintBox_(paintBox),
      scrollBox_(scrollBox),
      text_(text),
      keysOn_(keysOn ? *keysOn : window) {
  // A key no menu item has, on the window itself: the menus stay as they are.
  auto* action = new QAction(&keysOn_);
  action->setObjectName(QStringLiteral("FindAction"));
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(action, &QAction::triggered, this, &TFindBox::Open);
  keysOn_.addAction(action);
}

void TFindBox::Create() {
  dialog_ = new QDialog(&keysOn_);
  dialog_->setObjectName(QStringLiteral("FindBox"));
  dialog_->setWindowTitle(QStringLiteral("Find statement"));
  dialog_->setModal(false);
  // A tool window of the view: the window's keys (zoom, undo, the map) still act while the
  // find box has the focus, and it stays above the window.
  dialog_->setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  edit_ = new QLineEdit(dialog_);
  edit_->setObjectName(QStringLiteral("FindEdit"));
  edit_->setMinimumWidth(160);
  edit_->installEventFilter(this);
  position_ = new QLabel(dialog_);
  position_->setObjectName(QStringLiteral("FindPosition"));
  position_->setMinimumWidth(position_->fontMetrics().horizontalAdvance(QStringLiteral("00000 of 00000")));
  auto* previous = new QPushButton(QStringLiteral("Previous"), dialog_);
  previous->setObjectName(QStringLiteral("FindPreviousButton"));
  auto* next = new QPushButton(QStringLiteral("Next"), dialog_);
  next->setObjectName(QStringLiteral("FindNextButton"));
  // Return belongs to the text: no button takes it.
  for (QPushButton* b : {previous, next}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  auto* layout = new QHBoxLayout(dialog_);
  layout->addWidget(edit_);
  layout->addWidget(position_);
  layout->addWidget(previous);
  layout->addWidget(next);
  connect(edit_, &QLineEdit::textChanged, this, [this] {
    Search(true);
    ShowCurrent();
  });
  connect(next, &QPushButton::clicked, this, &TFindBox::GoToNext);
  connect(previous, &QPushButton::clicked, this, &TFindBox::GoToPrevious);
  connect(dialog_, &QDialog::finished, this, &TFindBox::Closed);
  dialog_->installEventFilter(this);
  // Over the bottom of the view, where a diagram reaches last: the boxes at the top stay in sight.
  dialog_->adjustSize();
  const QPoint corner(std::max(0, scrollBox_.width() - dialog_->frameGeometry().width() - 24),
                      std::max(0, scrollBox_.height() - dialog_->frameGeometry().height() - 24));
  dialog_->move(scrollBox_.mapToGlobal(corner));
}

void TFindBox::Open() {
  if (!dialog_) Create();
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
  edit_->setFocus();
  edit_->selectAll();
  Search(false);
  ShowCurrent();
}

void TFindBox::GoToNext() {
  Search(false);
  finder_.Next();
  ShowCurrent();
}

void TFindBox::GoToPrevious() {
  Search(false);
  finder_.Previous();
  ShowCurrent();
}

void TFindBox::Search(bool textChanged) {
  if (!edit_ || window_.Interpreting()) return;
  const TArgumentationStage* stage = window_.Line().CurrentStage;
  const TStatements& statements = stage->Statements;
  const void* last = statements.Count() > 0 ? statements[statements.Count() - 1] : nullptr;
  if (!textChanged && stage == searchedStage_ && statements.Count() == searchedCount_ && last == searchedLast_) return;
  searchedStage_ = stage;
  searchedCount_ = statements.Count();
  searchedLast_ = last;
  finder_.Search(statements, edit_->text());
}

void TFindBox::ShowCurrent() {
  if (!edit_) return;
  position_->setText(edit_->text().isEmpty() ? QString() : finder_.Position());
  const std::string* sentence = finder_.CurrentSentence();
  paintBox_.SetFocusSentence(sentence ? std::optional<std::string>(*sentence) : std::nullopt);
  if (!sentence) return;
  if (paintBox_.isVisible()) {
    ScrollFocusIntoView(paintBox_, scrollBox_);
  } else if (text_ && text_->isVisible()) {
    const int line = SentenceLineIndex(text_->Lines(), *sentence);
    const QTextBlock block = text_->document()->findBlockByNumber(line);
    if (line < 0 || !block.isValid()) return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
    text_->ensureCursorVisible();
  }
}

bool TFindBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (key->modifiers() & Qt::ShiftModifier)
        GoToPrevious();
      else
        GoToNext();
      return true;
    }
  }
  // Back in the box after working in the window: the stage may have changed.
  if (watched == dialog_ && event->type() == QEvent::WindowActivate && dialog_->isVisible()) {
    Search(false);
    position_->setText(edit_->text().isEmpty() ? QString() : finder_.Position());
  }
  return QObject::eventFilter(watched, event);
}

void ScrollFocusIntoView(const TDiagramPaintBox& paintBox, QScrollArea& scrollBox) {
  const QRect found = paintBox.FocusRect();
  if (found.isEmpty()) return;
  // The middle keeps the box clear of the find box at the bottom.
  const QRect box(paintBox.mapTo(scrollBox.widget(), found.topLeft()), found.size());
  QScrollBar* h = scrollBox.horizontalScrollBar();
  QScrollBar* v = scrollBox.verticalScrollBar();
  const QSize view = scrollBox.viewport()->size();
  if (box.top() < v->value() || box.bottom() >= v->value() + view.height())
    v->setValue(box.center().y() - view.height() / 2);
  if (box.left() < h->value() || box.right() >= h->value() + view.width())
    h->setValue(box.width() < view.width() ? box.center().x() - view.width() / 2 : box.left() - 20);
}

void TFindBox::Closed() { paintBox_.SetFocusSentence(std::nullopt); }

}  // namespace korvane
