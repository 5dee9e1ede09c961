#include "app/map_window.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/arg_int_form.h"
#include "app/box_actions.h"
#include "app/diagram_menu.h"
#include "app/diagram_zoom_keys.h"
#include "app/find_box.h"
#include "app/window_font.h"
#include "views/map_paint_box.h"

namespace korvane {

TMapWindow::TMapWindow(TArgIntForm& form)
    : QWidget(&form, Qt::Window), form_(form), scrollArea_(new QScrollArea(this)), paintBox_(new TMapPaintBox) {
  setObjectName(QStringLiteral("MapWindow"));
  setWindowTitle(QStringLiteral("Map"));
  setAccessibleName(QStringLiteral("Map"));
  setAccessibleDescription(QStringLiteral("The whole argumentation as one graph, each statement once"));
  resize(900, 650);
  scrollArea_->setObjectName(QStringLiteral("MapScrollArea"));
  scrollArea_->setBackgroundRole(QPalette::Base);
  scrollArea_->setAccessibleName(QStringLiteral("Map"));
  scrollArea_->setAccessibleDescription(QStringLiteral("Scrolls the map"));
  paintBox_->setAccessibleDescription(
      QStringLiteral("One box per statement; arrows point from reasons to conclusions"));
  scrollArea_->setWidget(paintBox_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scrollArea_);

  menu_ = new TDiagramMenu(*paintBox_, *this);
  menu_->Menu().setObjectName(QStringLiteral("MapContextMenu"));
  menu_->ShowMapAction()->setVisible(false);
  // The white beyond a map smaller than the window opens the menu too.
  new TBoxActions(form, *paintBox_, scrollArea_, *menu_, this);
  auto* find = new TFindBox(form, *paintBox_, *scrollArea_, nullptr, this);
  connect(menu_, &TDiagramMenu::FindStatementRequested, find, &TFindBox::Open);
  new TDiagramZoomKeys(form, *paintBox_, *scrollArea_, this, [this] { Follow(); });
  connect(paintBox_, &TMapPaintBox::StatementClicked, this, &TMapWindow::StatementSelected);

  auto* show = new QAction(QStringLiteral("Show map"), &form);
  show->setObjectName(QStringLiteral("ShowMapAction"));
  show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  show->setShortcutContext(Qt::WindowShortcut);
  connect(show, &QAction::triggered, this, &TMapWindow::ShowAndRaise);
  form.addAction(show);
}

void TMapWindow::ShowAndRaise() {
  show();
  Follow();
  raise();
  activateWindow();
}

void TMapWindow::Follow() {
  if (!isVisible() || !form_.Line().CurrentStage) return;
  paintBox_->ShowMap(*form_.Line().CurrentStage, form_.ShowStructureOnlyChecked(), WindowFont());
}

void TMapWindow::AddHistoryActions(QAction* undo, QAction* redo) {
  // Their shortcuts are the main window's; on the map's window they work there too.
  addActions({undo, redo});
  menu_->AddHistoryActions(undo, redo);
}

void TMapWindow::ShowStatement(const TStatement* statement) {
  paintBox_->Select(statement);
  const QRect box = statement ? paintBox_->ToWidget(paintBox_->StatementBox(statement->Sentence)) : QRect();
  if (!box.isNull())
    scrollArea_->ensureVisible(box.center().x(), box.center().y(), box.width() / 2 + 20, box.height() / 2 + 20);
}

}  // namespace korvane
