// The items a place of a diagram or the map adds to its context menu, and the double-click
// on a box. Each move opens its dialog with the place's sentences and types chosen, and
// each deletion goes through the window's deletion entry point, so the moves, questions
// and messages are the dialogs' own.
#pragma once

#include <QObject>
#include <QPoint>
#include <vector>

#include "app/box_subject.h"

class QAction;
class QMenu;
class QWidget;

namespace korvane {

class TArgIntForm;
class TDiagramMenu;
class TDiagramPaintBox;
class TWhyWindow;

class TBoxActions : public QObject {
  Q_OBJECT
public:
  /// below, if given, is the white under a paint box shorter than its view (a widget or a
  /// scroll area), which opens the menu too; owner (the window by default) owns the actions.
  TBoxActions(TArgIntForm& window, TDiagramPaintBox& paintBox, QWidget* below, TDiagramMenu& menu,
              QObject* owner = nullptr);

  /// The subject the menu was last opened on.
  [[nodiscard]] const TBoxSubject& Subject() const { return subject_; }
  /// Made when Why? is first asked.
  [[nodiscard]] TWhyWindow* WhyWindow() const { return why_; }

  /// "Give a reason for this...": the reason/conclusion dialog with the statement as conclusion.
  void GiveReason();
  /// "Use as a reason for...": the reason/conclusion dialog with the statement as reason.
  void UseAsReason();
  /// "Add an exception to this step...": the exception dialog with the step's connection.
  void AddException();
  void DeleteStatement();
  void DeleteConnection();
  void DeleteException();
  /// "Why?": the explanation of the subject, which follows the current stage.
  void Why();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  /// Puts the subject's items at the top of the menu in place of the last ones.
  void FillMenu(QPoint pos);
  void AddItem(const QString& text, void (TBoxActions::*command)(), bool moves);
  /// False while the window takes no moves: interpreting, or no file name.
  [[nodiscard]] bool TakesMoves() const;
  void FollowStage();
  /// A connection of the current line with the subject's reason and conclusion, for a deletion.
  [[nodiscard]] TReasonConclusion* SubjectConnection() const;

  TArgIntForm& window_;
  TDiagramPaintBox& paintBox_;
  QMenu& menu_;
  /// The first item of the menu as it is filled: the subject's items go above it.
  QAction* firstDiagramItem_;
  std::vector<QAction*> items_;
  TBoxSubject subject_;
  TWhyWindow* why_ = nullptr;
};

}  // namespace korvane
