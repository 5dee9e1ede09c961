// The main window: one line of argumentation, the button panel, the menu, and one
// view of the current stage at a time in the scroll box. The document logic lives in
// the session; the window forwards to it and shows what it reports.
#pragma once

#include <QFileDialog>
#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "app/interpretation_guard.h"
#include "app/message_boxes.h"
#include "document/session.h"
#include "views/status_icons.h"

class QAbstractButton;
class QAction;
class QPushButton;
class QTextEdit;
class QTreeWidget;

namespace korvane {

class TAboutForm;
class TDiagramPaintBox;
class TLineOfArgumentationView;
class TOptionsForm;
class TScrollBox;
class TSpeedButtonGroup;
class TStatementForm;
class TReasonConclusionForm;
class TExceptionForm;

/// The answer of the save question; GoOn when nothing had to be asked.
enum class TSaveAnswer { GoOn, Yes, No, Cancel };

class TArgIntForm : public QMainWindow, public TViewHost {
  Q_OBJECT
public:
  explicit TArgIntForm(QWidget* parent = nullptr);
  ~TArgIntForm() override;

  /// The dialogs the Argue commands and the View and Help menus open; created after the window.
  void SetMoveDialogs(TStatementForm* statement, TReasonConclusionForm* reasonConclusion, TExceptionForm* exception);
  /// The About box (shown modelessly) and the Options dialog (modal).
  void SetAboutAndOptions(TAboutForm* about, TOptionsForm* options);

  [[nodiscard]] TSession& Session() const { return *session_; }
  /// The current line of argumentation.
  [[nodiscard]] TLineOfArgumentation& Line() const { return session_->Line(); }

  /// The check mark of Options > "&Show structure only"; the diagrams read it.
  [[nodiscard]] bool ShowStructureOnlyChecked() const;
  /// Options dialog setting: 0 arguments coordinated, 1 not.
  int ArgumentsViewMode = 0;
  /// The status icons of the diagrams and the arguments tree; icons 6 and 7 are the
  /// tree's overlays.
  TStatusIconsImageList StatusIconsImageList;

  // Document commands.
  void NewDocument();
  TSaveAnswer SaveChangesQuery();
  /// False only when writing failed (the error has been shown).
  bool SaveDocument();
  bool SaveDocumentAs();

  // Views.
  void RefreshCurrentView();
  void ShowLineOfArgumentationView();
  void ShowStatementsDiagram();
  void ShowDialecticalDiagram();
  void ShowStatementsList();
  void ShowReasonsList();
  void ShowArgumentsTree();
  void ShowStepsView();

  // TViewHost: the text view as lines, for the interpreter and the deletions.
  [[nodiscard]] std::vector<std::string> TextLines() const override;
  void SetTextLines(const std::vector<std::string>& lines) override;
  void SetTextLine(int index, const std::string& line) override;
  void ShowTextInsteadOfDiagram() override;
  void KeepPainted() override;

  /// True while a text of moves is interpreted: no command starts, the cursor waits.
  [[nodiscard]] bool Interpreting() const { return interpretation_.Active(); }
  /// The busy state kept while interpreting (how often it repaints, what it holds).
  [[nodiscard]] TInterpretationGuard& InterpretationGuard() { return interpretation_; }

  /// The file dialogs, kept for the whole run so each remembers the last file chosen.
  [[nodiscard]] QFileDialog* OpenDialog1() const { return openDialog1_; }
  [[nodiscard]] QFileDialog* SaveDialog1() const { return saveDialog1_; }

public slots:
  void New1Click();
  void Open1Click();
  void Append1Click();
  void Save1Click();
  void SaveAs1Click();
  void Exit1Click();

  void StatementButtonClick();
  void ReasonConclusionButtonClick();
  void ExceptionButtonClick();

  void ViewLineOfArgumentationSpeedButtonClick();
  void ViewStatements2SpeedButtonClick();
  void ViewDialArgsSpeedButtonClick();
  void ViewStatementsSpeedButtonClick();
  void ViewReasonsSpeedButtonClick();
  void ViewArgumentsSpeedButtonClick();
  void ViewStepsSpeedButtonClick();
  void ViewUndercuttersSpeedButtonClick();
  void Button1Click();
  void Button2Click();

  void Reasons1Click();
  void Options1Click();
  void ShowStructureOnlyClick();
  void About1Click();

protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void FormCreate();
  void CreateButtonPanel();
  void CreateViewControls();
  void CreateHiddenControls();
  void CreateMenu();
  void CreateFileDialogs();

  void FormCloseQuery(bool& canClose);
  void FormResize();
  void ScrollBox1Resize();

  /// Redraws the view of the visible group's pressed button.
  void ReshowCurrentView();
  /// Makes control the only visible view control and presses button in its group.
  void ShowOnly(QWidget* control, TSpeedButtonGroup* group, QAbstractButton* button);
  /// True when the visible group's pressed button shows one of the diagrams.
  [[nodiscard]] bool DiagramButtonDown() const;
  /// A file dialog's chosen path, or empty when it was cancelled.
  [[nodiscard]] static std::string ChooseFile(QFileDialog* dialog);
  void ReportError(const TCommandError& error);

  TMessageBoxAsker asker_;
  TErrorBox errorBox_;
  std::unique_ptr<TSession> session_;

  TStatementForm* statementForm_ = nullptr;
  TReasonConclusionForm* reasonConclusionForm_ = nullptr;
  TExceptionForm* exceptionForm_ = nullptr;
  TAboutForm* aboutForm_ = nullptr;
  TOptionsForm* optionsForm_ = nullptr;

  QWidget* buttonPanel_ = nullptr;
  QPushButton* statementButton_ = nullptr;
  TSpeedButtonGroup* viewGroup_ = nullptr;
  TSpeedButtonGroup* hiddenViewGroup_ = nullptr;
  QPushButton* viewLineOfArgumentationSpeedButton_ = nullptr;
  QPushButton* viewStatements2SpeedButton_ = nullptr;
  QPushButton* viewDialArgsSpeedButton_ = nullptr;
  QPushButton* viewStatementsSpeedButton_ = nullptr;
  QPushButton* viewReasonsSpeedButton_ = nullptr;
  QPushButton* viewArgumentsSpeedButton_ = nullptr;
  QPushButton* viewStepsSpeedButton_ = nullptr;
  QPushButton* viewUndercuttersSpeedButton_ = nullptr;

  TScrollBox* scrollBox1_ = nullptr;
  TDiagramPaintBox* dialArgsPaintBox_ = nullptr;
  TLineOfArgumentationView* lineOfArgumentationRichEdit_ = nullptr;
  QTreeWidget* statementsListView_ = nullptr;
  QTreeWidget* reasonsListView_ = nullptr;
  QTreeWidget* argumentsTreeView_ = nullptr;
  QTextEdit* dialArgsRichEdit_ = nullptr;
  std::vector<QWidget*> viewControls_;

  QAction* showStructureOnly_ = nullptr;
  QFileDialog* openDialog1_ = nullptr;
  QFileDialog* saveDialog1_ = nullptr;

  TInterpretationGuard interpretation_{*this};
};

}  // namespace korvane
