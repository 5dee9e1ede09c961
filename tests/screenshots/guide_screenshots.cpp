// Makes the guide's pictures from the real windows, offscreen: the first-hour tutorial's
// moves through the real dialogs, then the views, the context menus, Why? and the map.
// Usage: guide_screenshots OUTPUT_FOLDER EXAMPLES_FOLDER
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/arg_int_form.h"
#include "app/box_actions.h"
#include "app/diagram_menu.h"
#include "app/exception_form.h"
#include "app/map_window.h"
#include "app/why_window.h"
#include "app/reason_conclusion_form.h"
#include "app/start_up.h"
#include "app/statement_form.h"
#include "app/widgets/sentence_combo_box.h"
#include "app/widgets/type_radio_group.h"
#include "document/session.h"
#include "model/statement.h"
#include "views/diagram_paint_box.h"

namespace {

using namespace korvane;

const char* const kReason = "the goods are defective";
const char* const kConclusion = "the buyer may return the goods";
const char* const kException = "the buyer knew of the defect";

QDir output;
int failures = 0;

void Save(QWidget& widget, const char* name) {
  QApplication::processEvents();
  if (!widget.grab().save(output.filePath(QString::fromLatin1(name)))) {
    std::fprintf(stderr, "cannot write %s\n", name);
    ++failures;
  }
}

void Type(TSentenceComboBox* box, const char* text) {
  box->setFocus();
  box->setEditText(QString::fromUtf8(text));
}

// Shows a dialog as its command would, fills it, pictures it and presses OK.
template <class Fill>
void Move(QDialog& dialog, const char* picture, Fill fill) {
  dialog.show();
  (void)QTest::qWaitForWindowExposed(&dialog);
  fill();
  if (picture) Save(dialog, picture);
  dialog.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
  QApplication::processEvents();
}

// The middle of the first box whose sentence is this, in the paint box's coordinates.
QPoint BoxPoint(const TDiagramPaintBox& box, const char* sentence) {
  for (int i = 0; i < box.BoxCount(); ++i) {
    const TDiagramPart* part = box.BoxPart(i);
    if (part->Statement && part->Statement->Sentence == sentence) return box.ToWidget(part->Area).center();
  }
  std::fprintf(stderr, "no box for '%s'\n", sentence);
  ++failures;
  return {};
}

// The diagram's context menu opened on a point of its paint box, pictured, closed.
void SaveMenu(TArgIntForm& window, QPoint at, const char* name) {
  auto* menu = window.findChild<TDiagramMenu*>();
  menu->Popup(at);
  (void)QTest::qWaitForWindowExposed(&menu->Menu());
  Save(menu->Menu(), name);
  menu->Menu().hide();
}

void Open(TArgIntForm& window, const QString& path) {
  window.Session().OpenFile(path.toStdString());
  window.Line().Modified = false;
  QApplication::processEvents();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: guide_screenshots OUTPUT_FOLDER EXAMPLES_FOLDER\n");
    return 2;
  }
  output = QDir(QString::fromLocal8Bit(argv[1]));
  const QDir examples(QString::fromLocal8Bit(argv[2]));
  InitApplication();
  QApplication::setQuitOnLastWindowClosed(false);
  // A question box nobody answers would wait for ever.
  QTimer::singleShot(120000, [] {
    std::fprintf(stderr, "guide_screenshots: a window waited for an answer\n");
    std::_Exit(1);
  });
  TForms forms = CreateForms();
  TArgIntForm& window = *forms.ArgIntForm;
  window.resize(780, 300);
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
  Save(window, "empty-window.png");

  // The conclusion is asked first, then the reason.
  TReasonConclusionForm& connection = *forms.ReasonConclusionForm;
  Move(connection, "reason-conclusion-dialog.png", [&] {
    Type(connection.ConclusionComboBox(), kConclusion);
    Type(connection.ReasonComboBox(), kReason);
  });
  Save(window, "tutorial-step.png");

  TExceptionForm& exception = *forms.ExceptionForm;
  Move(exception, "exception-dialog.png", [&] {
    Type(exception.ExceptionComboBox(), kException);
    Type(exception.ConclusionComboBox(), kConclusion);
    Type(exception.ReasonComboBox(), kReason);
  });
  Save(window, "tutorial-exception.png");

  // The exception becomes an issue: nothing supports it, so it no longer blocks. The type
  // change is confirmed as a user would, without the question box in the picture.
  TStatementForm& statement = *forms.StatementForm;
  window.Session().Interactive = false;
  Move(statement, "statement-dialog.png", [&] {
    Type(statement.StatementComboBox(), kException);
    statement.StatementTypeRadioGroup()->SetItemIndex(0);
  });
  window.Session().Interactive = true;
  Save(window, "tutorial-issue.png");

  // A box's own menu, with Undo naming the last move, and its Why? window.
  auto* paintBox = window.findChild<TDiagramPaintBox*>(QStringLiteral("DialArgsPaintBox"));
  SaveMenu(window, BoxPoint(*paintBox, kConclusion), "box-menu.png");
  auto* actions = window.findChild<TBoxActions*>();
  actions->Why();
  if (TWhyWindow* why = actions->WhyWindow()) {
    (void)QTest::qWaitForWindowExposed(why);
    Save(*why, "why-window.png");
    why->hide();
  }

  window.ShowStatementsDiagram();
  Save(window, "statements-diagram.png");
  window.ShowLineOfArgumentationView();
  Save(window, "text-view.png");

  Open(window, examples.filePath(QStringLiteral("warrants.lin")));
  window.ShowDialecticalDiagram();
  Save(window, "warrants-diagram.png");

  SaveMenu(window, QPoint(5, paintBox->height() - 5), "diagram-menu.png");

  // The map of a classic example: each statement once.
  Open(window, examples.filePath(QStringLiteral("sale_of_goods.lin")));
  auto* map = window.findChild<TMapWindow*>();
  map->resize(720, 420);
  map->ShowAndRaise();
  (void)QTest::qWaitForWindowExposed(map);
  Save(*map, "map-window.png");
  map->hide();

  window.Line().Modified = false;
  return failures == 0 ? 0 : 1;
}
