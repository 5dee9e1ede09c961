#include "app/arg_int_form.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>

#include "app/accessible_texts.h"
#include "app/box_actions.h"
#include "app/diagram_menu.h"
#include "app/diagram_zoom_keys.h"
#include "app/document_caption.h"
#include "app/find_box.h"
#include "app/map_window.h"
#include "app/widgets/scroll_box.h"
#include "app/widgets/speed_button_group.h"
#include "app/window_font.h"
#include "views/arguments_tree.h"
#include "views/diagram_paint_box.h"
#include "views/line_of_argumentation_view.h"
#include "views/statement_lists.h"

namespace korvane {

TArgIntForm::TArgIntForm(QWidget* parent) : QMainWindow(parent) {
  ui_.Setup(*this);
  CreateFileDialogs();
  ConnectUi();
  FormCreate();
  CreateDialogs();
  CreateUndoActions();
  DescribeArgIntForm(*this);
  setAcceptDrops(true);
}

TArgIntForm::~TArgIntForm() = default;

void TArgIntForm::ConnectUi() {
  const auto click = [this](QPushButton* button, void (TArgIntForm::*command)()) {
    connect(button, &QPushButton::clicked, this, command);
  };
  click(ui_.StatementButton, &TArgIntForm::StatementButtonClick);
  click(ui_.ReasonConclusionButton, &TArgIntForm::ReasonConclusionButtonClick);
  click(ui_.ExceptionButton, &TArgIntForm::ExceptionButtonClick);
  click(ui_.ViewLineOfArgumentationSpeedButton, &TArgIntForm::ViewLineOfArgumentationSpeedButtonClick);
  click(ui_.ViewStatements2SpeedButton, &TArgIntForm::ViewStatements2SpeedButtonClick);
  click(ui_.ViewDialArgsSpeedButton, &TArgIntForm::ViewDialArgsSpeedButtonClick);
  click(ui_.ViewStatementsSpeedButton, &TArgIntForm::ViewStatementsSpeedButtonClick);
  click(ui_.ViewReasonsSpeedButton, &TArgIntForm::ViewReasonsSpeedButtonClick);
  click(ui_.ViewArgumentsSpeedButton, &TArgIntForm::ViewArgumentsSpeedButtonClick);
  click(ui_.ViewStepsSpeedButton, &TArgIntForm::ViewStepsSpeedButtonClick);
  click(ui_.ViewUndercuttersSpeedButton, &TArgIntForm::ViewUndercuttersSpeedButtonClick);
  click(ui_.Button1, &TArgIntForm::Button1Click);
  click(ui_.Button2, &TArgIntForm::Button2Click);

  const auto item = [this](QAction* action, void (TArgIntForm::*command)()) {
    connect(action, &QAction::triggered, this, command);
  };
  item(ui_.New1, &TArgIntForm::New1Click);
  item(ui_.Open1, &TArgIntForm::Open1Click);
  item(ui_.Append1, &TArgIntForm::Append1Click);
  item(ui_.Save1, &TArgIntForm::Save1Click);
  item(ui_.SaveAs1, &TArgIntForm::SaveAs1Click);
  item(ui_.Exit1, &TArgIntForm::Exit1Click);
  item(ui_.Statement1, &TArgIntForm::StatementButtonClick);
  item(ui_.ReasonConclusion1, &TArgIntForm::ReasonConclusionButtonClick);
  item(ui_.Exception1, &TArgIntForm::ExceptionButtonClick);
  item(ui_.Lineofargumentation1, &TArgIntForm::ShowLineOfArgumentationView);
  item(ui_.Statements1, &TArgIntForm::ShowStatementsDiagram);
  item(ui_.Reasons1, &TArgIntForm::Reasons1Click);
  item(ui_.Arguments1, &TArgIntForm::ShowDialecticalDiagram);
  item(ui_.Options1, &TArgIntForm::Options1Click);
  item(ui_.About1, &TArgIntForm::About1Click);
  // The click inverts the mark itself; toggling it here as well would undo that.
  connect(ui_.ShowStructureOnly, &QAction::triggered, this, [this] { RefreshCurrentView(); });

  connect(ui_.ScrollBox1, &TScrollBox::Resized, this, [this] { ScrollBox1Resize(); });
  // Context menus live where the window describes nothing: the window owns this one.
  auto* diagramMenu = new TDiagramMenu(*ui_.DialArgsPaintBox, *this);
  new TBoxActions(*this, *ui_.DialArgsPaintBox, ui_.ScrollBox1->Client(), *diagramMenu);
  map_ = new TMapWindow(*this);
  connect(diagramMenu, &TDiagramMenu::ShowMapRequested, map_, &TMapWindow::ShowAndRaise);
  // So do the find box and the zoom keys.
  auto* find = new TFindBox(*this, *ui_.DialArgsPaintBox, *ui_.ScrollBox1, ui_.LineOfArgumentationRichEdit);
  connect(diagramMenu, &TDiagramMenu::FindStatementRequested, find, &TFindBox::Open);
  new TDiagramZoomKeys(*this, *ui_.DialArgsPaintBox, *ui_.ScrollBox1);
  // A box chosen in one picture is shown in the other.
  connect(map_, &TMapWindow::StatementSelected, this, &TArgIntForm::ShowStatementInDiagram);
  connect(ui_.DialArgsPaintBox, &TDiagramPaintBox::StatementClicked, map_, [this](const TStatement* statement) {
    if (map_->isVisible()) map_->ShowStatement(statement);
  });
}

void TArgIntForm::ShowStatementInDiagram(const TStatement* statement) {
  TDiagramPaintBox& paintBox = *ui_.DialArgsPaintBox;
  if (!statement || !paintBox.isVisible()) return;
  paintBox.SetFocusSentence(statement->Sentence);
  ScrollFocusIntoView(paintBox, *ui_.ScrollBox1);
}

void TArgIntForm::FormCreate() {
  session_ = std::make_unique<TSession>(asker_, *this);
  session_->Interactive = true;
  session_->RefreshViews = true;
  session_->RefreshHook = [this] {
    ReshowKeepingPlace();
    map_->Follow();
  };
  session_->Progress = openingProgress_.Callback();
  NewDocument();
  ShowDialecticalDiagram();
  centralWidget()->layout()->activate();
  for (QWidget* w : {static_cast<QWidget*>(ui_.LineOfArgumentationRichEdit),
                     static_cast<QWidget*>(ui_.StatementsListView), static_cast<QWidget*>(ui_.ReasonsListView),
                     static_cast<QWidget*>(ui_.ArgumentsTreeView), static_cast<QWidget*>(ui_.DialArgsRichEdit)})
    ui_.ScrollBox1->Fill(w);
  ui_.DialArgsPaintBox->resize(ui_.ScrollBox1->width() - 7, ui_.DialArgsPaintBox->height());
  StatusIconsImageList.SetOverlay(kSmallAssumptionIcon, 0);
  StatusIconsImageList.SetOverlay(kSmallIssueIcon, 1);
  ui_.StatementButton->setFocus();
}

bool TArgIntForm::ShowStructureOnlyChecked() const { return ui_.ShowStructureOnly->isChecked(); }

// Views.

void TArgIntForm::RefreshCurrentView() { session_->RefreshCurrentView(); }

void TArgIntForm::ReshowCurrentView() {
  QAbstractButton* down = ui_.ViewGroup->Down();
  if (down == ui_.ViewStatements2SpeedButton)
    ShowStatementsDiagram();
  else if (down == ui_.ViewDialArgsSpeedButton)
    ShowDialecticalDiagram();
  else if (down == ui_.ViewLineOfArgumentationSpeedButton)
    ShowLineOfArgumentationView();
  else
    return;
  drawn_.Drawn(DrawnKey());
}

TDrawnView::TKey TArgIntForm::DrawnKey() const {
  return TDrawnView::KeyOf(Line(), ui_.ViewGroup->Down(), ui_.ScrollBox1->size(), ShowStructureOnlyChecked());
}

void TArgIntForm::ShowOnly(QWidget* control, TSpeedButtonGroup* group, QAbstractButton* button) {
  drawn_.Forget();
  // The lists and the tree were aligned to the scroll box before the window was laid
  // out; they fill its client area as it is now.
  if (control != ui_.DialArgsPaintBox) ui_.ScrollBox1->Fill(control);
  control->show();
  for (QWidget* w : ui_.ViewControls)
    if (w != control) w->hide();
  group->Press(button);
  ui_.ScrollBox1->UpdateExtent();
}

bool TArgIntForm::DiagramButtonDown() const {
  const QAbstractButton* down = ui_.ViewGroup->Down();
  return down == ui_.ViewStatements2SpeedButton || down == ui_.ViewDialArgsSpeedButton;
}

void TArgIntForm::ShowLineOfArgumentationView() {
  if (Interpreting()) return;
  session_->ShowMovesText();
  ui_.LineOfArgumentationRichEdit->show();
  ui_.ScrollBox1->Fill(ui_.LineOfArgumentationRichEdit);
  ShowOnly(ui_.LineOfArgumentationRichEdit, ui_.ViewGroup, ui_.ViewLineOfArgumentationSpeedButton);
}

void TArgIntForm::ShowStatementsDiagram() {
  if (Interpreting()) return;
  ui_.DialArgsPaintBox->ShowStatementsDiagram(*Line().CurrentStage, ShowStructureOnlyChecked(), WindowFont());
  ShowOnly(ui_.DialArgsPaintBox, ui_.ViewGroup, ui_.ViewStatements2SpeedButton);
}

void TArgIntForm::ShowDialecticalDiagram() {
  if (Interpreting()) return;
  ui_.DialArgsPaintBox->ShowDialecticalDiagram(*Line().CurrentStage, ShowStructureOnlyChecked(), WindowFont(),
                                               ui_.ScrollBox1);
  ShowOnly(ui_.DialArgsPaintBox, ui_.ViewGroup, ui_.ViewDialArgsSpeedButton);
}

void TArgIntForm::ShowStatementsList() {
  if (Interpreting()) return;
  FillStatementsList(*ui_.StatementsListView, *Line().CurrentStage);
  ShowOnly(ui_.StatementsListView, ui_.HiddenViewGroup, ui_.ViewStatementsSpeedButton);
}

void TArgIntForm::ShowReasonsList() {
  if (Interpreting()) return;
  FillReasonsList(*ui_.ReasonsListView, *Line().CurrentStage);
  ShowOnly(ui_.ReasonsListView, ui_.HiddenViewGroup, ui_.ViewReasonsSpeedButton);
}

void TArgIntForm::ShowArgumentsTree() {
  if (Interpreting()) return;
  FillArgumentsTree(*ui_.ArgumentsTreeView, *Line().CurrentStage, ArgumentsViewMode, StatusIconsImageList);
  ShowOnly(ui_.ArgumentsTreeView, ui_.HiddenViewGroup, ui_.ViewArgumentsSpeedButton);
}

// The paint box goes on painting the diagram of the visible group's pressed button.
void TArgIntForm::ShowStepsView() {
  if (Interpreting()) return;
  ui_.DialArgsPaintBox->ShowStepsView(DiagramButtonDown());
  ShowOnly(ui_.DialArgsPaintBox, ui_.HiddenViewGroup, ui_.ViewStepsSpeedButton);
}

void TArgIntForm::ViewLineOfArgumentationSpeedButtonClick() { ShowLineOfArgumentationView(); }
void TArgIntForm::ViewStatements2SpeedButtonClick() { ShowStatementsDiagram(); }
void TArgIntForm::ViewDialArgsSpeedButtonClick() { ShowDialecticalDiagram(); }
void TArgIntForm::ViewStatementsSpeedButtonClick() { ShowStatementsList(); }
void TArgIntForm::ViewReasonsSpeedButtonClick() { ShowReasonsList(); }
void TArgIntForm::ViewArgumentsSpeedButtonClick() { ShowArgumentsTree(); }
void TArgIntForm::ViewStepsSpeedButtonClick() { ShowStepsView(); }
void TArgIntForm::ViewUndercuttersSpeedButtonClick() {}
void TArgIntForm::Button2Click() { ShowArgumentsTree(); }
void TArgIntForm::Reasons1Click() { ShowReasonsList(); }

void TArgIntForm::Button1Click() {
  if (Interpreting()) return;
  // Required as is: this label, text and place (pinned by tests/app/main_window_test.cpp).
  auto* label = new QLabel(QStringLiteral("Kwaak"), ui_.ButtonPanel);
  label->setGeometry(75, 250, 200, 200);
  label->show();
}

// Triggering the check item inverts its mark and then redraws.
void TArgIntForm::ShowStructureOnlyClick() {
  if (Interpreting()) return;
  ui_.ShowStructureOnly->trigger();
}

// Events.

bool TArgIntForm::event(QEvent* event) {
  // FormActivate: the stage may have changed while another window was active.
  // A dialog that closed without a move leaves the picture as it is: not drawn twice.
  if (event->type() == QEvent::WindowActivate && session_ && !drawn_.Shows(DrawnKey())) RefreshCurrentView();
  return QMainWindow::event(event);
}

void TArgIntForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TArgIntForm::FormResize() {
  if (!session_) return;
  if (Interpreting()) {
    // The progress text stays; the view is redrawn when the interpretation ends.
    ui_.ScrollBox1->Fill(ui_.LineOfArgumentationRichEdit);
    ui_.ScrollBox1->UpdateExtent();
    return;
  }
  // Not guarded by RefreshViews: the text view is sized anew, the diagrams wrap anew.
  ReshowCurrentView();
}

void TArgIntForm::ScrollBox1Resize() {
  drawn_.Forget();
  ui_.DialArgsPaintBox->FitToScrollBox(*ui_.ScrollBox1);
  // The text view, the lists and the tree stay aligned to the client area.
  for (QWidget* w : ui_.ViewControls)
    if (w != ui_.DialArgsPaintBox && !w->isHidden()) ui_.ScrollBox1->Fill(w);
}

// The text view as the interpreter and the deletions see it.

std::vector<std::string> TArgIntForm::TextLines() const { return ui_.LineOfArgumentationRichEdit->Lines(); }

void TArgIntForm::SetTextLines(const std::vector<std::string>& lines) {
  drawn_.Forget();
  ui_.LineOfArgumentationRichEdit->SetLines(lines);
}

void TArgIntForm::SetTextLine(int index, const std::string& line) {
  drawn_.Forget();
  ui_.LineOfArgumentationRichEdit->SetLine(index, line);
}

void TArgIntForm::ShowTextInsteadOfDiagram() {
  drawn_.Forget();
  ui_.DialArgsPaintBox->hide();
  ui_.LineOfArgumentationRichEdit->show();
  ui_.ScrollBox1->Fill(ui_.LineOfArgumentationRichEdit);
}

void TArgIntForm::KeepPainted() { interpretation_.KeepPainted(); }

// While busy, the progress line is redrawn when events are next delivered, not at every change.
void TArgIntForm::InterpretationBegins() {
  drawn_.Forget();
  // A rebuild of the line keeps the place; a file opened starts at the top.
  if (!heldPlace_ && !Line().ArgumentationMoves.Empty()) heldPlace_ = CurrentPlace();
  interpretation_.Begin();
  ui_.LineOfArgumentationRichEdit->SetDeferring(true);
}

void TArgIntForm::InterpretationEnds() {
  ui_.LineOfArgumentationRichEdit->SetDeferring(false);
  interpretation_.End();
}

}  // namespace korvane
