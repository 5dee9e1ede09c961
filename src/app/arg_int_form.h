// The main window: one line of argumentation, the button panel, the menu, and one
// view of the current stage at a time in the scroll box. The document logic lives in
// the session; the window forwards to it and shows what it reports.
//
// arg_int_form_ui.cpp builds the controls, arg_int_form_document.cpp holds the File
// commands, arg_int_form_dialogs.cpp the dialogs the window owns and opens.
#pragma once

#include <QFileDialog>
#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/arg_int_form_ui.h"
#include "app/drawn_view.h"
#include "app/interpretation_guard.h"
#include "app/message_boxes.h"
#include "app/opening_progress.h"
#include "document/session.h"
#include "views/status_icons.h"

class QAbstractButton;

namespace korvane {

class TAboutForm;
class TOptionsForm;
class TStatementForm;
class TReasonConclusionForm;
class TExceptionForm;
class TMapWindow;

/// The answer of the save question; GoOn when nothing had to be asked.
enum class TSaveAnswer { GoOn, Yes, No, Cancel };

/// The windows the main window opens: its children, each made once with it.
struct TArgIntFormDialogs {
  /// Kept for the whole run so each remembers the last file chosen.
  QFileDialog* Open = nullptr;
  QFileDialog* Save = nullptr;
  TStatementForm* Statement = nullptr;
  TExceptionForm* Exception = nullptr;
  TReasonConclusionForm* ReasonConclusion = nullptr;
  /// Shown modelessly.
  TAboutForm* About = nullptr;
  TOptionsForm* Options = nullptr;
};

class TArgIntForm : public QMainWindow, public TViewHost {
  Q_OBJECT
public:
  explicit TArgIntForm(QWidget* parent = nullptr);
  ~TArgIntForm() override;

  [[nodiscard]] const TArgIntFormDialogs& Dialogs() const { return dialogs_; }
  /// The map window, made hidden with the main window.
  [[nodiscard]] TMapWindow& Map() const { return *map_; }

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
  /// The busy state of one interpretation, which the session begins and ends on every way out.
  void InterpretationBegins() override;
  void InterpretationEnds() override;

  /// True while a text of moves is interpreted: no command starts, the cursor waits.
  [[nodiscard]] bool Interpreting() const { return interpretation_.Active(); }
  /// The busy state kept while interpreting (how often it repaints, what it holds).
  [[nodiscard]] TInterpretationGuard& InterpretationGuard() { return interpretation_; }
  [[nodiscard]] TOpeningProgress& OpeningProgress() { return openingProgress_; }

  /// Undo and redo of the last move, deletion or append, named after it ("Undo statement
  /// 'X'"), disabled when there is none; the window has them on its keys, menus add them.
  [[nodiscard]] QAction* UndoAction() const { return undoAction_; }
  [[nodiscard]] QAction* RedoAction() const { return redoAction_; }
  void UndoClick();
  /// Scrolls the showing diagram to the statement's first box and frames it as find does.
  void ShowStatementInDiagram(const TStatement* statement);
  void RedoClick();

  /// The file dialogs, kept for the whole run so each remembers the last file chosen.
  [[nodiscard]] QFileDialog* OpenDialog1() const { return dialogs_.Open; }
  [[nodiscard]] QFileDialog* SaveDialog1() const { return dialogs_.Save; }

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
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void ConnectUi();
  void CreateFileDialogs();
  void FormCreate();
  /// The move dialogs, the About box and the Options dialog, in that order, after the window.
  void CreateDialogs();

  void FormCloseQuery(bool& canClose);
  void FormResize();
  void ScrollBox1Resize();

  /// The one place that names the document: its file name (kNewFileName for a new
  /// one), whether it has unsaved changes, and the caption that shows the name.
  void SetCurrentFile(const std::string& path, bool modified);
  /// A file dialog's chosen path, or empty when it was cancelled.
  [[nodiscard]] static std::string ChooseFile(QFileDialog* dialog);
  void ReportError(const TCommandError& error);
  /// Open's steps after its dialog: the chosen file becomes the document.
  void OpenDocument(const std::string& path);

  /// What a dropped file does: opened as Open does, imported as a new line, or refused.
  void OpenDroppedFile(const QString& path);
  /// Asks the save question as New does, then makes the moves of another program's file
  /// the moves of a new, unsaved line.
  void ImportDocument(const std::string& path);

  /// Redraws the view of the visible group's pressed button.
  void ReshowCurrentView();

  /// Where the views are scrolled to: the scroll box, and the text view inside it.
  struct TViewPlace {
    int X = 0, Y = 0, TextY = 0;
  };
  [[nodiscard]] TViewPlace CurrentPlace() const;
  void CreateUndoActions();
  void UpdateUndoActions();
  /// Redraws the view where the user was scrolled to, then brings the statement the
  /// last change made or changed into sight.
  void ReshowKeepingPlace();
  void BringIntoSight(const std::string& sentence);
  /// Makes control the only visible view control and presses button in its group.
  void ShowOnly(QWidget* control, TSpeedButtonGroup* group, QAbstractButton* button);
  /// True when the visible group's pressed button shows one of the diagrams.
  [[nodiscard]] bool DiagramButtonDown() const;
  /// What ReshowCurrentView would draw from now.
  [[nodiscard]] TDrawnView::TKey DrawnKey() const;

  TMessageBoxAsker asker_{this};
  TErrorBox errorBox_{this};
  std::unique_ptr<TSession> session_;
  TArgIntFormUi ui_;
  TArgIntFormDialogs dialogs_;
  TInterpretationGuard interpretation_{*this};
  TDrawnView drawn_;
  TMapWindow* map_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  // The place before a rebuild, which hides the diagram, for the redraw after it.
  std::optional<TViewPlace> heldPlace_;
  TOpeningProgress openingProgress_{*this, interpretation_};
};

}  // namespace korvane
