#include "app/arg_int_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QCompleter>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QTreeWidget>

#include "app/about_form.h"
#include "app/document_caption.h"
#include "app/exception_form.h"
#include "app/options_form.h"
#include "app/reason_conclusion_form.h"
#include "app/statement_form.h"
#include "app/widgets/scroll_box.h"
#include "app/widgets/speed_button_group.h"
#include "app/window_font.h"
#include "views/arguments_tree.h"
#include "views/diagram_paint_box.h"
#include "views/line_of_argumentation_view.h"
#include "views/statement_lists.h"

namespace korvane {

namespace {

QPushButton* NewButton(const QString& name, const QString& caption, QWidget* parent, QRect bounds) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(bounds);
  b->setAutoDefault(false);
  return b;
}

QGroupBox* NewGroupBox(const QString& name, const QString& title, QWidget* parent, QRect bounds) {
  auto* g = new QGroupBox(title, parent);
  g->setObjectName(name);
  g->setGeometry(bounds);
  return g;
}

QAction* AddItem(QMenu* menu, const QString& name, const QString& caption, bool visible = true) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  a->setVisible(visible);
  return a;
}

QAction* AddSeparator(QMenu* menu, const QString& name, bool visible = true) {
  QAction* a = menu->addSeparator();
  a->setObjectName(name);
  a->setVisible(visible);
  return a;
}

QTreeWidget* NewReportList(const QString& name, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(name);
  list->setColumnCount(1);
  list->setHeaderHidden(true);
  list->setRootIsDecorated(false);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return list;
}

constexpr const char* kLinFilter = "Lines of argumentation (*.lin)";
constexpr const char* kAllFilter = "All files (*.*)";

}  // namespace

TArgIntForm::TArgIntForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("ArgIntForm"));
  setWindowTitle(QStringLiteral("Korvane"));
  setFont(WindowFont());
  // 600 x 480 outside, of which the frame and the caption take 8 x 27.
  resize(592, 453);
  move(167, 164);

  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  setCentralWidget(central);
  CreateButtonPanel();
  layout->addWidget(buttonPanel_);
  scrollBox1_ = new TScrollBox(central);
  scrollBox1_->setObjectName(QStringLiteral("ScrollBox1"));
  layout->addWidget(scrollBox1_, 1);
  CreateViewControls();
  CreateHiddenControls();

  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("StatusBar1"));
  status->setFixedHeight(17);
  setStatusBar(status);

  CreateMenu();
  CreateFileDialogs();
  connect(scrollBox1_, &TScrollBox::Resized, this, [this] { ScrollBox1Resize(); });
  FormCreate();
}

TArgIntForm::~TArgIntForm() = default;

void TArgIntForm::CreateButtonPanel() {
  buttonPanel_ = new QWidget(centralWidget());
  buttonPanel_->setObjectName(QStringLiteral("ButtonPanel"));
  buttonPanel_->setFixedWidth(137);

  QGroupBox* argue = NewGroupBox(QStringLiteral("ArgueGroupBox"), QStringLiteral("Argue"), buttonPanel_, {8, 8, 121, 113});
  statementButton_ = NewButton(QStringLiteral("StatementButton"), QStringLiteral("Statement"), argue, {8, 16, 105, 25});
  QPushButton* reasonConclusion = NewButton(QStringLiteral("ReasonConclusionButton"),
                                            QStringLiteral("Reason/conclusion"), argue, {8, 48, 105, 25});
  QPushButton* exception = NewButton(QStringLiteral("ExceptionButton"), QStringLiteral("Exception"), argue, {8, 80, 105, 25});
  connect(statementButton_, &QPushButton::clicked, this, &TArgIntForm::StatementButtonClick);
  connect(reasonConclusion, &QPushButton::clicked, this, &TArgIntForm::ReasonConclusionButtonClick);
  connect(exception, &QPushButton::clicked, this, &TArgIntForm::ExceptionButtonClick);

  QGroupBox* view = NewGroupBox(QStringLiteral("ViewGroupBox"), QStringLiteral("View"), buttonPanel_, {8, 128, 121, 113});
  viewGroup_ = new TSpeedButtonGroup(this);
  viewLineOfArgumentationSpeedButton_ = viewGroup_->NewButton(QStringLiteral("&Line of arg."), view);
  viewLineOfArgumentationSpeedButton_->setObjectName(QStringLiteral("ViewLineOfArgumentationSpeedButton"));
  viewLineOfArgumentationSpeedButton_->setGeometry(8, 16, 105, 25);
  viewStatements2SpeedButton_ = viewGroup_->NewButton(QStringLiteral("&Statements"), view);
  viewStatements2SpeedButton_->setObjectName(QStringLiteral("ViewStatements2SpeedButton"));
  viewStatements2SpeedButton_->setGeometry(8, 48, 105, 25);
  viewDialArgsSpeedButton_ = viewGroup_->NewButton(QStringLiteral("&Arguments"), view);
  viewDialArgsSpeedButton_->setObjectName(QStringLiteral("ViewDialArgsSpeedButton"));
  viewDialArgsSpeedButton_->setGeometry(8, 80, 105, 25);
  connect(viewLineOfArgumentationSpeedButton_, &QPushButton::clicked, this,
          &TArgIntForm::ViewLineOfArgumentationSpeedButtonClick);
  connect(viewStatements2SpeedButton_, &QPushButton::clicked, this, &TArgIntForm::ViewStatements2SpeedButtonClick);
  connect(viewDialArgsSpeedButton_, &QPushButton::clicked, this, &TArgIntForm::ViewDialArgsSpeedButtonClick);
}

// Every control that shows a view of the current stage; the views draw into these.
void TArgIntForm::CreateViewControls() {
  QWidget* client = scrollBox1_->Client();

  dialArgsPaintBox_ = new TDiagramPaintBox(client);
  dialArgsPaintBox_->setObjectName(QStringLiteral("DialArgsPaintBox"));
  dialArgsPaintBox_->move(0, 0);

  lineOfArgumentationRichEdit_ = new TLineOfArgumentationView(client);
  lineOfArgumentationRichEdit_->setObjectName(QStringLiteral("LineOfArgumentationRichEdit"));

  statementsListView_ = NewReportList(QStringLiteral("StatementsListView"), client);
  statementsListView_->setHeaderLabels({QStringLiteral("Sentence")});
  // Entries may be edited in place; the edit changes nothing but the entry.
  statementsListView_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                       QAbstractItemView::EditKeyPressed);
  reasonsListView_ = NewReportList(QStringLiteral("ReasonsListView"), client);

  argumentsTreeView_ = new QTreeWidget(client);
  argumentsTreeView_->setObjectName(QStringLiteral("ArgumentsTreeView"));
  SetUpArgumentsTree(*argumentsTreeView_);

  dialArgsRichEdit_ = new QTextEdit(client);
  dialArgsRichEdit_->setObjectName(QStringLiteral("DialArgsRichEdit"));
  QFont courier(QStringLiteral("Courier New"));
  courier.setPointSize(8);
  courier.setStyleHint(QFont::TypeWriter);
  dialArgsRichEdit_->setFont(courier);
  dialArgsRichEdit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  dialArgsRichEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  viewControls_ = {lineOfArgumentationRichEdit_, statementsListView_, reasonsListView_,
                   argumentsTreeView_,           dialArgsRichEdit_,   dialArgsPaintBox_};
  for (QWidget* w : viewControls_) w->hide();
}

// Controls that nothing makes visible; only what their clicks do is reachable.
void TArgIntForm::CreateHiddenControls() {
  hiddenViewGroup_ = new TSpeedButtonGroup(this);
  struct THidden {
    QPushButton*& button;
    const char* name;
    const char* caption;
    int top;
    void (TArgIntForm::*click)();
  };
  const THidden hidden[] = {
      {viewStatementsSpeedButton_, "ViewStatementsSpeedButton", "Statements", 248,
       &TArgIntForm::ViewStatementsSpeedButtonClick},
      {viewReasonsSpeedButton_, "ViewReasonsSpeedButton", "Reasons", 280, &TArgIntForm::ViewReasonsSpeedButtonClick},
      {viewArgumentsSpeedButton_, "ViewArgumentsSpeedButton", "Arguments", 312,
       &TArgIntForm::ViewArgumentsSpeedButtonClick},
      {viewStepsSpeedButton_, "ViewStepsSpeedButton", "Steps", 348, &TArgIntForm::ViewStepsSpeedButtonClick},
      {viewUndercuttersSpeedButton_, "ViewUndercuttersSpeedButton", "Undercutters", 376,
       &TArgIntForm::ViewUndercuttersSpeedButtonClick},
  };
  for (const THidden& h : hidden) {
    h.button = hiddenViewGroup_->NewButton(QString::fromLatin1(h.caption), buttonPanel_);
    h.button->setObjectName(QString::fromLatin1(h.name));
    h.button->setGeometry(16, h.top, 105, 25);
    h.button->hide();
    connect(h.button, &QPushButton::clicked, this, h.click);
  }

  QPushButton* button1 = NewButton(QStringLiteral("Button1"), QStringLiteral("Button1"), buttonPanel_, {30, 72, 75, 25});
  button1->hide();
  connect(button1, &QPushButton::clicked, this, &TArgIntForm::Button1Click);

  QWidget* client = scrollBox1_->Client();
  QPushButton* button2 = NewButton(QStringLiteral("Button2"), QStringLiteral("Button2"), client, {280, 112, 75, 25});
  button2->hide();
  connect(button2, &QPushButton::clicked, this, &TArgIntForm::Button2Click);
  QPushButton* prosCons =
      NewButton(QStringLiteral("ProsConsButton"), QStringLiteral("Pros && cons"), client, {264, 144, 105, 25});
  prosCons->hide();

  auto* debugMemo = new QPlainTextEdit(QStringLiteral("DebugMemo"), client);
  debugMemo->setObjectName(QStringLiteral("DebugMemo"));
  debugMemo->setGeometry(264, 208, 169, 177);
  debugMemo->hide();
  auto* lineMemo = new QPlainTextEdit(QStringLiteral("LineOfArgumentationMemo"), client);
  lineMemo->setObjectName(QStringLiteral("LineOfArgumentationMemo"));
  lineMemo->setGeometry(40, 24, 217, 73);
  lineMemo->setReadOnly(true);
  lineMemo->hide();
}

void TArgIntForm::CreateMenu() {
  QMenuBar* bar = menuBar();

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File1"));
  connect(AddItem(file, QStringLiteral("New1"), QStringLiteral("&New")), &QAction::triggered, this, &TArgIntForm::New1Click);
  connect(AddItem(file, QStringLiteral("Open1"), QStringLiteral("&Open...")), &QAction::triggered, this,
          &TArgIntForm::Open1Click);
  connect(AddItem(file, QStringLiteral("Append1"), QStringLiteral("&Append...")), &QAction::triggered, this,
          &TArgIntForm::Append1Click);
  AddSeparator(file, QStringLiteral("N6"));
  connect(AddItem(file, QStringLiteral("Save1"), QStringLiteral("&Save")), &QAction::triggered, this,
          &TArgIntForm::Save1Click);
  connect(AddItem(file, QStringLiteral("SaveAs1"), QStringLiteral("Save &As...")), &QAction::triggered, this,
          &TArgIntForm::SaveAs1Click);
  AddSeparator(file, QStringLiteral("N2"), false);
  AddItem(file, QStringLiteral("Print1"), QStringLiteral("&Print..."), false);
  AddItem(file, QStringLiteral("PrintSetup1"), QStringLiteral("P&rint Setup..."), false);
  AddSeparator(file, QStringLiteral("N1"));
  connect(AddItem(file, QStringLiteral("Exit1"), QStringLiteral("E&xit")), &QAction::triggered, this,
          &TArgIntForm::Exit1Click);

  QMenu* argue = bar->addMenu(QStringLiteral("A&rgue"));
  argue->setObjectName(QStringLiteral("Argue1"));
  connect(AddItem(argue, QStringLiteral("Statement1"), QStringLiteral("&Statement")), &QAction::triggered, this,
          &TArgIntForm::StatementButtonClick);
  connect(AddItem(argue, QStringLiteral("ReasonConclusion1"), QStringLiteral("&Reason/conclusion")),
          &QAction::triggered, this, &TArgIntForm::ReasonConclusionButtonClick);
  connect(AddItem(argue, QStringLiteral("Exception1"), QStringLiteral("&Exception")), &QAction::triggered, this,
          &TArgIntForm::ExceptionButtonClick);
  AddItem(argue, QStringLiteral("ProsCons1"), QStringLiteral("&Pros && cons"), false);
  AddSeparator(argue, QStringLiteral("N3"), false);
  AddItem(argue, QStringLiteral("Back1"), QStringLiteral("&Back"), false);
  AddItem(argue, QStringLiteral("Forward1"), QStringLiteral("&Forward"), false);

  QMenu* view = bar->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("View1"));
  connect(AddItem(view, QStringLiteral("Lineofargumentation1"), QStringLiteral("&Line of argumentation")),
          &QAction::triggered, this, &TArgIntForm::ShowLineOfArgumentationView);
  connect(AddItem(view, QStringLiteral("Statements1"), QStringLiteral("&Statements")), &QAction::triggered, this,
          &TArgIntForm::ShowStatementsDiagram);
  connect(AddItem(view, QStringLiteral("Reasons1"), QStringLiteral("&Reasons"), false), &QAction::triggered, this,
          &TArgIntForm::Reasons1Click);
  connect(AddItem(view, QStringLiteral("Arguments1"), QStringLiteral("&Arguments")), &QAction::triggered, this,
          &TArgIntForm::ShowDialecticalDiagram);
  AddSeparator(view, QStringLiteral("N4"), false);
  connect(AddItem(view, QStringLiteral("Options1"), QStringLiteral("&Options"), false), &QAction::triggered, this,
          &TArgIntForm::Options1Click);

  QMenu* options = bar->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("Options2"));
  showStructureOnly_ = AddItem(options, QStringLiteral("ShowStructureOnly"), QStringLiteral("&Show structure only"));
  showStructureOnly_->setCheckable(true);
  // The click inverts the mark itself; toggling it here as well would undo that.
  connect(showStructureOnly_, &QAction::triggered, this, [this] { RefreshCurrentView(); });

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help1"));
  AddItem(help, QStringLiteral("Contents1"), QStringLiteral("&Contents"), false);
  AddSeparator(help, QStringLiteral("N5"), false);
  connect(AddItem(help, QStringLiteral("About1"), QStringLiteral("&About...")), &QAction::triggered, this,
          &TArgIntForm::About1Click);
}

void TArgIntForm::CreateFileDialogs() {
  const QStringList filters{QString::fromLatin1(kLinFilter), QString::fromLatin1(kAllFilter)};
  openDialog1_ = new QFileDialog(this);
  openDialog1_->setObjectName(QStringLiteral("OpenDialog1"));
  openDialog1_->setOption(QFileDialog::DontUseNativeDialog);
  openDialog1_->setAcceptMode(QFileDialog::AcceptOpen);
  // A name that does not exist is let through; opening it reports the error.
  openDialog1_->setFileMode(QFileDialog::AnyFile);
  openDialog1_->setNameFilters(filters);
  openDialog1_->selectNameFilter(filters.first());

  saveDialog1_ = new QFileDialog(this);
  saveDialog1_->setObjectName(QStringLiteral("SaveDialog1"));
  saveDialog1_->setOption(QFileDialog::DontUseNativeDialog);
  saveDialog1_->setAcceptMode(QFileDialog::AcceptSave);
  saveDialog1_->setFileMode(QFileDialog::AnyFile);
  saveDialog1_->setNameFilters(filters);
  saveDialog1_->selectNameFilter(filters.first());
  saveDialog1_->setDefaultSuffix(QStringLiteral("lin"));
  // Asking before an existing file is replaced is the dialog's default; said here for the reader.
  saveDialog1_->setOption(QFileDialog::DontConfirmOverwrite, false);
}

void TArgIntForm::FormCreate() {
  session_ = std::make_unique<TSession>(asker_, *this);
  session_->Interactive = true;
  session_->RefreshViews = true;
  // The interpreter sets the flags back and refreshes once on every way out, errors
  // included: that refresh ends the busy state.
  session_->RefreshHook = [this] {
    if (session_->Interactive) {
      lineOfArgumentationRichEdit_->SetDeferring(false);
      interpretation_.End();
    }
    ReshowCurrentView();
  };
  NewDocument();
  ShowDialecticalDiagram();
  centralWidget()->layout()->activate();
  for (QWidget* w : {static_cast<QWidget*>(lineOfArgumentationRichEdit_), static_cast<QWidget*>(statementsListView_),
                     static_cast<QWidget*>(reasonsListView_), static_cast<QWidget*>(argumentsTreeView_),
                     static_cast<QWidget*>(dialArgsRichEdit_)})
    scrollBox1_->Fill(w);
  dialArgsPaintBox_->resize(scrollBox1_->width() - 7, dialArgsPaintBox_->height());
  StatusIconsImageList.SetOverlay(kSmallAssumptionIcon, 0);
  StatusIconsImageList.SetOverlay(kSmallIssueIcon, 1);
  statementButton_->setFocus();
}

void TArgIntForm::SetMoveDialogs(TStatementForm* statement, TReasonConclusionForm* reasonConclusion,
                                 TExceptionForm* exception) {
  statementForm_ = statement;
  reasonConclusionForm_ = reasonConclusion;
  exceptionForm_ = exception;
}

void TArgIntForm::SetAboutAndOptions(TAboutForm* about, TOptionsForm* options) {
  aboutForm_ = about;
  optionsForm_ = options;
}

bool TArgIntForm::ShowStructureOnlyChecked() const { return showStructureOnly_->isChecked(); }

// Document commands.
//
// While a text of moves is interpreted, the user's own input waits in the window
// system's queue; a command reached any other way meanwhile (a timer, a queued call, an
// accessibility action) is refused, since it would act on a half-made document.

void TArgIntForm::NewDocument() {
  session_->NewLine();
  RefreshCurrentView();
  setWindowTitle(NewDocumentCaption());
  Line().FileName = kNewFileName;
}

TSaveAnswer TArgIntForm::SaveChangesQuery() {
  if (!Line().Modified) return TSaveAnswer::GoOn;
  const TMessage question = WarningMessage(std::string("Do you want to save the changes ") + kLineBreak +
                                               "to the current line of argumentation?",
                                           {TAnswer::Yes, TAnswer::No, TAnswer::Cancel});
  switch (asker_.Ask(question)) {
    case TAnswer::Yes:
      // A file that cannot be written stops the command that asked.
      return SaveDocument() ? TSaveAnswer::Yes : TSaveAnswer::Cancel;
    case TAnswer::No: Line().Modified = false; return TSaveAnswer::No;
    default: return TSaveAnswer::Cancel;
  }
}

bool TArgIntForm::SaveDocument() {
  if (!Line().Modified) return true;
  if (Line().FileName == kNewFileName) return SaveDocumentAs();
  try {
    session_->WriteFile(Line().FileName);
  } catch (const TCommandError& error) {
    ReportError(error);
    return false;
  }
  Line().Modified = false;
  return true;
}

bool TArgIntForm::SaveDocumentAs() {
  const std::string path = ChooseFile(saveDialog1_);
  if (path.empty()) return true;
  try {
    session_->WriteFile(path);
  } catch (const TCommandError& error) {
    ReportError(error);
    return false;
  }
  Line().FileName = path;
  Line().Modified = false;
  setWindowTitle(DocumentCaption(path));
  return true;
}

std::string TArgIntForm::ChooseFile(QFileDialog* dialog) {
  const int result = dialog->exec();
  // Return typed while the name completion list is open accepts the dialog, but the
  // list, a window of its own, can stay up over the main window.
  for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
    if (QCompleter* completer = edit->completer(); completer && completer->popup()) completer->popup()->hide();
  if (result != QDialog::Accepted) return {};
  const QStringList files = dialog->selectedFiles();
  if (files.isEmpty()) return {};
  return QFile::encodeName(files.first()).toStdString();
}

void TArgIntForm::ReportError(const TCommandError& error) { errorBox_.ReportError(error.what()); }

void TArgIntForm::New1Click() {
  if (Interpreting()) return;
  if (SaveChangesQuery() != TSaveAnswer::Cancel) NewDocument();
}

void TArgIntForm::Open1Click() {
  if (Interpreting()) return;
  if (SaveChangesQuery() == TSaveAnswer::Cancel) return;
  const std::string path = ChooseFile(openDialog1_);
  if (path.empty()) return;
  try {
    session_->OpenFile(path);
  } catch (const TCommandError& error) {
    // A file that was read names the document even when its interpretation failed;
    // one that could not be opened leaves the caption of the previous document.
    if (std::string_view(error.what()).rfind("Cannot open file ", 0) != 0) setWindowTitle(DocumentCaption(path));
    ReportError(error);
    return;
  }
  setWindowTitle(DocumentCaption(path));
}

void TArgIntForm::Append1Click() {
  if (Interpreting()) return;
  const QString title = openDialog1_->windowTitle();
  openDialog1_->setWindowTitle(QStringLiteral("Append"));
  const std::string path = ChooseFile(openDialog1_);
  // The title goes back before anything can fail.
  openDialog1_->setWindowTitle(title);
  if (path.empty()) return;
  try {
    session_->AppendFile(path);
  } catch (const TCommandError& error) {
    ReportError(error);
  }
}

void TArgIntForm::Save1Click() {
  if (Interpreting()) return;
  SaveDocument();
}

void TArgIntForm::SaveAs1Click() {
  if (Interpreting()) return;
  SaveDocumentAs();
}

// While a text is interpreted the close request is held and carried out afterwards.
void TArgIntForm::Exit1Click() { close(); }

void TArgIntForm::FormCloseQuery(bool& canClose) { canClose = SaveChangesQuery() != TSaveAnswer::Cancel; }

void TArgIntForm::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  FormCloseQuery(canClose);
  if (canClose) event->accept();
  else event->ignore();
}

// Argue commands.

void TArgIntForm::StatementButtonClick() {
  if (Interpreting()) return;
  if (statementForm_ && !Line().FileName.empty()) statementForm_->exec();
}

void TArgIntForm::ReasonConclusionButtonClick() {
  if (Interpreting()) return;
  if (reasonConclusionForm_ && !Line().FileName.empty()) reasonConclusionForm_->exec();
}

void TArgIntForm::ExceptionButtonClick() {
  if (Interpreting()) return;
  if (exceptionForm_ && !Line().FileName.empty()) exceptionForm_->exec();
}

// Views.

void TArgIntForm::RefreshCurrentView() { session_->RefreshCurrentView(); }

void TArgIntForm::ReshowCurrentView() {
  QAbstractButton* down = viewGroup_->Down();
  if (down == viewStatements2SpeedButton_) ShowStatementsDiagram();
  else if (down == viewDialArgsSpeedButton_) ShowDialecticalDiagram();
  else if (down == viewLineOfArgumentationSpeedButton_) ShowLineOfArgumentationView();
}

void TArgIntForm::ShowOnly(QWidget* control, TSpeedButtonGroup* group, QAbstractButton* button) {
  control->show();
  for (QWidget* w : viewControls_)
    if (w != control) w->hide();
  group->Press(button);
  scrollBox1_->UpdateExtent();
}

bool TArgIntForm::DiagramButtonDown() const {
  const QAbstractButton* down = viewGroup_->Down();
  return down == viewStatements2SpeedButton_ || down == viewDialArgsSpeedButton_;
}

void TArgIntForm::ShowLineOfArgumentationView() {
  if (Interpreting()) return;
  session_->ShowMovesText();
  lineOfArgumentationRichEdit_->show();
  scrollBox1_->Fill(lineOfArgumentationRichEdit_);
  ShowOnly(lineOfArgumentationRichEdit_, viewGroup_, viewLineOfArgumentationSpeedButton_);
}

void TArgIntForm::ShowStatementsDiagram() {
  if (Interpreting()) return;
  dialArgsPaintBox_->ShowStatementsDiagram(*Line().CurrentStage, ShowStructureOnlyChecked(), WindowFont());
  ShowOnly(dialArgsPaintBox_, viewGroup_, viewStatements2SpeedButton_);
}

void TArgIntForm::ShowDialecticalDiagram() {
  if (Interpreting()) return;
  dialArgsPaintBox_->ShowDialecticalDiagram(*Line().CurrentStage, ShowStructureOnlyChecked(), WindowFont(),
                                            scrollBox1_);
  ShowOnly(dialArgsPaintBox_, viewGroup_, viewDialArgsSpeedButton_);
}

void TArgIntForm::ShowStatementsList() {
  if (Interpreting()) return;
  FillStatementsList(*statementsListView_, *Line().CurrentStage);
  ShowOnly(statementsListView_, hiddenViewGroup_, viewStatementsSpeedButton_);
}

void TArgIntForm::ShowReasonsList() {
  if (Interpreting()) return;
  FillReasonsList(*reasonsListView_, *Line().CurrentStage);
  ShowOnly(reasonsListView_, hiddenViewGroup_, viewReasonsSpeedButton_);
}

void TArgIntForm::ShowArgumentsTree() {
  if (Interpreting()) return;
  FillArgumentsTree(*argumentsTreeView_, *Line().CurrentStage, ArgumentsViewMode, StatusIconsImageList);
  ShowOnly(argumentsTreeView_, hiddenViewGroup_, viewArgumentsSpeedButton_);
}

// The paint box goes on painting the diagram of the visible group's pressed button.
void TArgIntForm::ShowStepsView() {
  if (Interpreting()) return;
  dialArgsPaintBox_->ShowStepsView(DiagramButtonDown());
  ShowOnly(dialArgsPaintBox_, hiddenViewGroup_, viewStepsSpeedButton_);
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
  auto* label = new QLabel(QStringLiteral("Kwaak"), buttonPanel_);
  label->setGeometry(75, 250, 200, 200);
  label->show();
}

// Triggering the check item inverts its mark and then redraws.
void TArgIntForm::ShowStructureOnlyClick() {
  if (Interpreting()) return;
  showStructureOnly_->trigger();
}

void TArgIntForm::Options1Click() {
  if (Interpreting()) return;
  if (optionsForm_) optionsForm_->exec();
}

void TArgIntForm::About1Click() {
  if (Interpreting()) return;
  if (aboutForm_) aboutForm_->ShowAbout();
}

// Events.

bool TArgIntForm::event(QEvent* event) {
  // FormActivate: the stage may have changed while another window was active.
  if (event->type() == QEvent::WindowActivate && session_) RefreshCurrentView();
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
    scrollBox1_->Fill(lineOfArgumentationRichEdit_);
    scrollBox1_->UpdateExtent();
    return;
  }
  // Not guarded by RefreshViews: the text view is sized anew, the diagrams wrap anew.
  ReshowCurrentView();
}

void TArgIntForm::ScrollBox1Resize() { dialArgsPaintBox_->FitToScrollBox(*scrollBox1_); }

// The text view as the interpreter and the deletions see it.

std::vector<std::string> TArgIntForm::TextLines() const { return lineOfArgumentationRichEdit_->Lines(); }

void TArgIntForm::SetTextLines(const std::vector<std::string>& lines) { lineOfArgumentationRichEdit_->SetLines(lines); }

void TArgIntForm::SetTextLine(int index, const std::string& line) { lineOfArgumentationRichEdit_->SetLine(index, line); }

// Only the interpreter calls this, as it begins.
void TArgIntForm::ShowTextInsteadOfDiagram() {
  interpretation_.Begin();
  lineOfArgumentationRichEdit_->SetDeferring(true);
  dialArgsPaintBox_->hide();
  lineOfArgumentationRichEdit_->show();
  scrollBox1_->Fill(lineOfArgumentationRichEdit_);
}

void TArgIntForm::KeepPainted() { interpretation_.KeepPainted(); }

}  // namespace korvane
