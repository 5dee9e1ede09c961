// The find box: a small window beside the main window, made on first use and not modal.
// Typing finds the statements of the current stage whose sentence holds the text; Return
// goes to the next one (Shift+Return the one before), scrolls its box into view in the
// showing diagram, or its line in the text view, and frames the box until the box closes.
#pragma once

#include <QObject>

#include "views/statement_finder.h"

class QDialog;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace korvane {

class TArgIntForm;
class TDiagramPaintBox;
class TLineOfArgumentationView;

class TFindBox : public QObject {
  Q_OBJECT
public:
  /// Ctrl+F on keysOn (the window by default), which owns the box, opens it; text, if
  /// given, is the text view shown instead of the paint box.
  TFindBox(TArgIntForm& window, TDiagramPaintBox& paintBox, QScrollArea& scrollBox, TLineOfArgumentationView* text,
           QWidget* keysOn = nullptr);

  /// Shows the box with its text selected, making it first.
  void Open();
  void GoToNext();
  void GoToPrevious();

  /// The window, once opened (object name "FindBox").
  [[nodiscard]] QDialog* Dialog() const { return dialog_; }
  [[nodiscard]] const TStatementFinder& Finder() const { return finder_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Create();
  /// Searches again when the text or the stage changed since the last search.
  void Search(bool textChanged);
  /// Shows the current match: the position, the frame, and the box or line in view.
  void ShowCurrent();
  void Closed();

  TArgIntForm& window_;
  TDiagramPaintBox& paintBox_;
  QScrollArea& scrollBox_;
  TLineOfArgumentationView* text_;
  QWidget& keysOn_;
  QDialog* dialog_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QLabel* position_ = nullptr;
  TStatementFinder finder_;
  // What the last search looked at, to tell that the stage has changed since.
  const void* searchedStage_ = nullptr;
  std::size_t searchedCount_ = 0;
  const void* searchedLast_ = nullptr;
};

/// Scrolls the paint box's framed box into view, to the middle of the view when it is out
/// of sight (its left part when it is wider); one in sight stays where it is.
void ScrollFocusIntoView(const TDiagramPaintBox& paintBox, QScrollArea& scrollBox);

}  // namespace korvane
