// Undo and redo in the main window, and the place the views are scrolled to: kept when
// the view is only redrawn, moved just enough to show what a change made.
#include <QAction>
#include <QKeySequence>
#include <QScrollBar>

#include "app/arg_int_form.h"
#include "app/diagram_menu.h"
#include "app/map_window.h"
#include "app/widgets/scroll_box.h"
#include "views/diagram_paint_box.h"
#include "views/line_of_argumentation_view.h"

namespace korvane {

void TArgIntForm::CreateUndoActions() {
  // On the window, not in its menus: the menus stay as they are.
  undoAction_ = new QAction(QStringLiteral("Undo"), this);
  undoAction_->setObjectName(QStringLiteral("UndoAction"));
  undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redoAction_ = new QAction(QStringLiteral("Redo"), this);
  redoAction_->setObjectName(QStringLiteral("RedoAction"));
  redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  for (QAction* action : {undoAction_, redoAction_}) {
    // The read-only text view would otherwise claim the keys for its own undo.
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  connect(undoAction_, &QAction::triggered, this, &TArgIntForm::UndoClick);
  connect(redoAction_, &QAction::triggered, this, &TArgIntForm::RedoClick);
  if (auto* menu = findChild<TDiagramMenu*>(QString(), Qt::FindDirectChildrenOnly))
    menu->AddHistoryActions(undoAction_, redoAction_);
  map_->AddHistoryActions(undoAction_, redoAction_);
  session_->HistoryHook = [this] { UpdateUndoActions(); };
  UpdateUndoActions();
}

void TArgIntForm::UpdateUndoActions() {
  const TMoveHistory& history = session_->History();
  const THistoryEntry* undo = history.UndoEntry();
  const THistoryEntry* redo = history.RedoEntry();
  undoAction_->setText(undo ? QStringLiteral("Undo ") + QString::fromStdString(undo->Name) : QStringLiteral("Undo"));
  redoAction_->setText(redo ? QStringLiteral("Redo ") + QString::fromStdString(redo->Name) : QStringLiteral("Redo"));
  undoAction_->setEnabled(undo != nullptr);
  redoAction_->setEnabled(redo != nullptr);
}

void TArgIntForm::UndoClick() {
  if (Interpreting()) return;
  // Back at the state last opened or saved, the document is named as unmodified again.
  if (session_->Undo() && !Line().Modified) SetCurrentFile(Line().FileName, false);
}

void TArgIntForm::RedoClick() {
  if (Interpreting()) return;
  if (session_->Redo() && !Line().Modified) SetCurrentFile(Line().FileName, false);
}

TArgIntForm::TViewPlace TArgIntForm::CurrentPlace() const {
  return {ui_.ScrollBox1->horizontalScrollBar()->value(), ui_.ScrollBox1->verticalScrollBar()->value(),
          ui_.LineOfArgumentationRichEdit->verticalScrollBar()->value()};
}

void TArgIntForm::ReshowKeepingPlace() {
  const TViewPlace place = heldPlace_.value_or(CurrentPlace());
  heldPlace_.reset();
  ReshowCurrentView();
  // The scroll bars clamp a place the new drawing no longer reaches.
  ui_.ScrollBox1->horizontalScrollBar()->setValue(place.X);
  ui_.ScrollBox1->verticalScrollBar()->setValue(place.Y);
  ui_.LineOfArgumentationRichEdit->verticalScrollBar()->setValue(place.TextY);
  if (session_->ChangedSentence) {
    const std::string sentence = *session_->ChangedSentence;
    session_->ChangedSentence.reset();
    BringIntoSight(sentence);
  }
}

void TArgIntForm::BringIntoSight(const std::string& sentence) {
  if (!ui_.LineOfArgumentationRichEdit->isHidden()) {
    // A move's lines are the last of the text.
    QScrollBar* bar = ui_.LineOfArgumentationRichEdit->verticalScrollBar();
    bar->setValue(bar->maximum());
    return;
  }
  const TDiagramPaintBox& box = *ui_.DialArgsPaintBox;
  if (box.isHidden()) return;
  const QRect seen(QPoint(ui_.ScrollBox1->horizontalScrollBar()->value(), ui_.ScrollBox1->verticalScrollBar()->value()),
                   ui_.ScrollBox1->viewport()->size());
  // The boxes point to the stage's statements, one per sentence: comparing addresses
  // spares reading every statement of a large diagram.
  const TArgumentationStage* stage = Line().CurrentStage;
  TStatement* wanted = nullptr;
  if (!stage || !stage->SentenceIsStatementSentence(sentence, wanted)) return;
  std::optional<QRect> first;
  for (int i = 0; i < box.BoxCount(); ++i) {
    const TDiagramPart* part = box.BoxPart(i);
    if (part == nullptr || part->Statement != wanted) continue;
    const QRect rect = part->Area.translated(box.pos());
    if (seen.contains(rect)) return;  // a box of it is in sight already
    if (!first) first = rect;
  }
  if (!first) return;
  const QPoint centre = first->center();
  ui_.ScrollBox1->ensureVisible(centre.x(), centre.y(), first->width() / 2 + 4, first->height() / 2 + 4);
}

}  // namespace korvane
