// The map window: the whole argumentation as one graph, each statement once. Non-modal,
// opened with Ctrl+M or "Show map" in a diagram's context menu; it follows the current
// stage whenever the main window refreshes its view and closes with the main window.
// Its boxes and arrows take the diagrams' menu items, and it has the diagrams' find and
// zoom keys and the main window's undo and redo.
#pragma once

#include <QWidget>

#include "model/statement.h"

class QAction;
class QScrollArea;

namespace korvane {

class TArgIntForm;
class TDiagramMenu;
class TMapPaintBox;

class TMapWindow : public QWidget {
  Q_OBJECT
public:
  /// A hidden map window of form, and the Ctrl+M action on form that shows it.
  explicit TMapWindow(TArgIntForm& form);

  /// Shows the window with the current stage's map and brings it to the front.
  void ShowAndRaise();
  /// Draws the current stage's map again, if the window is showing.
  void Follow();
  /// Scrolls to the statement's box and selects it.
  void ShowStatement(const TStatement* statement);

  /// Puts the main window's Undo and Redo on the map's keys and at the top of its menu.
  void AddHistoryActions(QAction* undo, QAction* redo);

  [[nodiscard]] TMapPaintBox& PaintBox() const { return *paintBox_; }
  /// The context menu (object name "MapContextMenu").
  [[nodiscard]] TDiagramMenu& Menu() const { return *menu_; }
  [[nodiscard]] QScrollArea& ScrollArea() const { return *scrollArea_; }

signals:
  /// A box of the map was clicked.
  void StatementSelected(const TStatement* statement);

private:
  TArgIntForm& form_;
  QScrollArea* scrollArea_;
  TMapPaintBox* paintBox_;
  TDiagramMenu* menu_;
};

}  // namespace korvane
