// The map window: the whole argumentation as one graph, each statement once. Non-modal,
// opened with Ctrl+M or "Show map" in a diagram's context menu; it follows the current
// stage whenever the main window refreshes its view and closes with the main window.
#pragma once

#include <QWidget>

#include "model/statement.h"

class QScrollArea;

namespace korvane {

class TArgIntForm;
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

  [[nodiscard]] TMapPaintBox& PaintBox() const { return *paintBox_; }
  [[nodiscard]] QScrollArea& ScrollArea() const { return *scrollArea_; }

signals:
  /// A box of the map was clicked.
  void StatementSelected(const TStatement* statement);

private:
  void Export();
  void Print();
  void CopyAsImage();

  TArgIntForm& form_;
  QScrollArea* scrollArea_;
  TMapPaintBox* paintBox_;
};

}  // namespace korvane
