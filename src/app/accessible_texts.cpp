#include "app/accessible_texts.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <initializer_list>

#include "app/widgets/type_radio_group.h"

namespace korvane {

namespace {

struct TAccessibleText {
  const char* Control;
  const char* Name;
  const char* Description;
};

void Describe(QWidget& w, const QString& name, const QString& description) {
  if (w.accessibleName().isEmpty()) w.setAccessibleName(name);
  if (w.accessibleDescription().isEmpty()) w.setAccessibleDescription(description);
}

// Only the window's own controls: the main window's children include its dialogs.
void DescribeControls(QWidget& window, std::initializer_list<TAccessibleText> texts) {
  for (const TAccessibleText& t : texts)
    for (QWidget* w : window.findChildren<QWidget*>(QString::fromLatin1(t.Control)))
      if (w->window() == &window) Describe(*w, QString::fromLatin1(t.Name), QString::fromLatin1(t.Description));
}

// "&Conclusion type" reads "Conclusion type".
QString Plain(QString caption) {
  caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  caption.remove(QLatin1Char('&'));
  caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return caption;
}

void DescribeTypeGroups(QWidget& dialog) {
  for (TTypeRadioGroup* group : dialog.findChildren<TTypeRadioGroup*>()) {
    const QString title = Plain(group->title());
    Describe(*group, title, QStringLiteral("%1: issue or assumption").arg(title));
    Describe(*group->IssueButton(), QStringLiteral("Issue"),
             QStringLiteral("%1: an issue, something to be argued for").arg(title));
    Describe(*group->AssumptionButton(), QStringLiteral("Assumption"),
             QStringLiteral("%1: an assumption, something taken for granted").arg(title));
  }
}

void DescribeMenus(QMainWindow& window) {
  QMenuBar* bar = window.menuBar();
  Describe(*bar, QStringLiteral("Menu bar"), QStringLiteral("The File, Argue, View, Options and Help menus"));
  for (QAction* a : bar->actions())
    if (QMenu* menu = a->menu())
      Describe(*menu, Plain(menu->title()), QStringLiteral("The %1 menu").arg(Plain(menu->title())));
}

}  // namespace

void DescribeArgIntForm(QWidget& window) {
  Describe(window, QStringLiteral("Korvane"),
           QStringLiteral("Builds a line of argumentation move by move and shows one view of its evaluation"));
  DescribeControls(
      window,
      {
          {"ButtonPanel", "Button panel", "The Argue and View buttons"},
          {"ArgueGroupBox", "Argue", "Buttons that open the dialogs of the three moves"},
          {"StatementButton", "Statement",
           "Opens the statement dialog: state an issue or an assumption, or delete a statement"},
          {"ReasonConclusionButton", "Reason/conclusion",
           "Opens the reason/conclusion dialog: connect a reason to a conclusion, or delete a connection"},
          {"ExceptionButton", "Exception",
           "Opens the exception dialog: add an exception that blocks a connection, or delete one"},
          {"ViewGroupBox", "View", "Buttons that choose the view of the current stage; the pressed one is showing"},
          {"ViewLineOfArgumentationSpeedButton", "Line of argumentation", "Shows the text of the moves made so far"},
          {"ViewStatements2SpeedButton", "Statements", "Shows the diagram of the statements and their connections"},
          {"ViewDialArgsSpeedButton", "Arguments", "Shows the diagram of the dialectical arguments"},
          {"ViewStatementsSpeedButton", "Statements list", "Shows the list of the statements"},
          {"ViewReasonsSpeedButton", "Reasons list", "Shows the list of the reasons"},
          {"ViewArgumentsSpeedButton", "Arguments tree", "Shows the tree of the arguments"},
          {"ViewStepsSpeedButton", "Steps", "Shows the steps view"},
          {"ViewUndercuttersSpeedButton", "Undercutters", "Does nothing"},
          {"Button1", "Button1", "Adds a label to the button panel"},
          {"Button2", "Button2", "Shows the tree of the arguments"},
          {"ProsConsButton", "Pros and cons", "Does nothing"},
          {"ScrollBox1", "View", "The view of the current stage; scrolls when it is larger than the window"},
          {"ScrollBox1Client", "View contents", "The controls that show the current stage"},
          {"DialArgsPaintBox", "Diagram", "The diagram of the current stage"},
          {"LineOfArgumentationRichEdit", "Line of argumentation", "The text of the moves made so far, read-only"},
          {"StatementsListView", "Statements", "The sentences of the statements of the current stage"},
          {"ReasonsListView", "Reasons", "The reasons of the current stage"},
          {"ArgumentsTreeView", "Arguments", "The arguments of the current stage: conclusions with their reasons"},
          {"DialArgsRichEdit", "Dialectical arguments text", "Not used"},
          {"DebugMemo", "Debug notes", "Not used"},
          {"LineOfArgumentationMemo", "Line of argumentation notes", "Not used"},
          {"StatusBar1", "Status bar", "Empty"},
      });
  if (auto* main = qobject_cast<QMainWindow*>(&window)) DescribeMenus(*main);
}

// The three dialogs' buttons read the same; their descriptions name the dialog's move.
void DescribeStatementForm(QWidget& dialog) {
  Describe(dialog, QStringLiteral("Statement"),
           QStringLiteral("States an issue or an assumption, or deletes a statement"));
  DescribeControls(dialog, {
                               {"Label1", "Type or choose a statement:", "Names the statement box below"},
                               {"StatementComboBox", "Statement",
                                "The sentence of the statement: type a new one or choose one already made"},
                               {"OKButton", "OK", "Makes the statement move and closes the dialog"},
                               {"DeleteButton", "Delete", "Deletes the statement and every connection it is part of"},
                               {"CancelButton", "Cancel", "Closes the dialog without a move"},
                           });
  DescribeTypeGroups(dialog);
}

void DescribeReasonConclusionForm(QWidget& dialog) {
  Describe(dialog, QStringLiteral("Reason/conclusion"),
           QStringLiteral("Connects a reason to a conclusion, or deletes a connection"));
  DescribeControls(
      dialog,
      {
          {"Label2", "Type or choose a conclusion:", "Names the conclusion box below"},
          {"ConclusionComboBox", "Conclusion",
           "The sentence of the conclusion: type a new one or choose one already made"},
          {"Label1", "Type or choose a reason:", "Names the reason box below"},
          {"ReasonComboBox", "Reason", "The sentence of the reason: type a new one or choose one already made"},
          {"StepWarrantGroupBox", "Step warrant", "Also states the warrant of the new connection"},
          {"AddStepWarrantAsIssueCheckBox", "Add as issue", "States the step warrant as an issue"},
          {"AddStepWarrantAsAssumptionCheckBox", "Add as assumption", "States the step warrant as an assumption"},
          {"OKButton", "OK", "Makes the reason/conclusion move and closes the dialog"},
          {"DeleteButton", "Delete", "Deletes the connection from the reason to the conclusion"},
          {"CancelButton", "Cancel", "Closes the dialog without a move"},
      });
  DescribeTypeGroups(dialog);
}

void DescribeExceptionForm(QWidget& dialog) {
  Describe(dialog, QStringLiteral("Exception"),
           QStringLiteral("Adds an exception that blocks a connection, or deletes one"));
  DescribeControls(
      dialog,
      {
          {"Label2", "Type or choose an exception:", "Names the exception box below"},
          {"ExceptionComboBox", "Exception",
           "The sentence of the exception: type a new one or choose one already made"},
          {"Label5", "Type or choose a conclusion:", "Names the conclusion box below"},
          {"ConclusionComboBox", "Conclusion",
           "The conclusion of the connection the exception blocks: type or choose its sentence"},
          {"Label4", "Type or choose a reason:", "Names the reason box below"},
          {"ReasonComboBox", "Reason",
           "The reason of the connection the exception blocks: type or choose its sentence"},
          {"UndercutterWarrantGroupBox", "Undercutter warrant", "Also states the warrant of the new exception"},
          {"AddUndercutterWarrantAsIssueCheckBox", "Add as issue", "States the undercutter warrant as an issue"},
          {"AddUndercutterWarrantAsAssumptionCheckBox", "Add as assumption",
           "States the undercutter warrant as an assumption"},
          {"OKButton", "OK", "Makes the exception move and closes the dialog"},
          {"DeleteButton", "Delete", "Deletes the exception from the connection"},
          {"CancelButton", "Cancel", "Closes the dialog without a move"},
      });
  DescribeTypeGroups(dialog);
}

}  // namespace korvane
