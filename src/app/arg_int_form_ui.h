// The main window's controls and menu: built once by Setup, in the order the window has
// always made them (the tab order follows it). The window connects them to its commands.
#pragma once

#include <vector>

class QAction;
class QMainWindow;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QWidget;

namespace korvane {

class TDiagramPaintBox;
class TLineOfArgumentationView;
class TScrollBox;
class TSpeedButtonGroup;

struct TArgIntFormUi {
  /// Names, sizes and fills window: the button panel, the scroll box with the view
  /// controls, the controls nothing shows, the status bar and the menu.
  void Setup(QMainWindow& window);

  QWidget* ButtonPanel = nullptr;
  QPushButton* StatementButton = nullptr;
  QPushButton* ReasonConclusionButton = nullptr;
  QPushButton* ExceptionButton = nullptr;

  /// The View box's buttons.
  TSpeedButtonGroup* ViewGroup = nullptr;
  QPushButton* ViewLineOfArgumentationSpeedButton = nullptr;
  QPushButton* ViewStatements2SpeedButton = nullptr;
  QPushButton* ViewDialArgsSpeedButton = nullptr;

  /// Buttons nothing makes visible; only what their clicks do is reachable.
  TSpeedButtonGroup* HiddenViewGroup = nullptr;
  QPushButton* ViewStatementsSpeedButton = nullptr;
  QPushButton* ViewReasonsSpeedButton = nullptr;
  QPushButton* ViewArgumentsSpeedButton = nullptr;
  QPushButton* ViewStepsSpeedButton = nullptr;
  QPushButton* ViewUndercuttersSpeedButton = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

  TScrollBox* ScrollBox1 = nullptr;
  TDiagramPaintBox* DialArgsPaintBox = nullptr;
  TLineOfArgumentationView* LineOfArgumentationRichEdit = nullptr;
  QTreeWidget* StatementsListView = nullptr;
  QTreeWidget* ReasonsListView = nullptr;
  QTreeWidget* ArgumentsTreeView = nullptr;
  QTextEdit* DialArgsRichEdit = nullptr;
  /// Every control that shows a view of the current stage; one at a time is visible.
  std::vector<QWidget*> ViewControls;

  // The menu items that do something.
  QAction* New1 = nullptr;
  QAction* Open1 = nullptr;
  QAction* Append1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* SaveAs1 = nullptr;
  QAction* Exit1 = nullptr;
  QAction* Statement1 = nullptr;
  QAction* ReasonConclusion1 = nullptr;
  QAction* Exception1 = nullptr;
  QAction* Lineofargumentation1 = nullptr;
  QAction* Statements1 = nullptr;
  QAction* Reasons1 = nullptr;
  QAction* Arguments1 = nullptr;
  QAction* Options1 = nullptr;
  QAction* ShowStructureOnly = nullptr;
  QAction* About1 = nullptr;

private:
  void CreateButtonPanel(QMainWindow& window);
  void CreateViewControls();
  void CreateHiddenControls(QMainWindow& window);
  void CreateMenu(QMainWindow& window);
};

}  // namespace korvane
