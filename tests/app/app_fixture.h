// The program's windows as start-up makes them, for one test.
#pragma once

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "app/arg_int_form.h"
#include "app/box_subject.h"
#include "app/start_up.h"
#include "document/session.h"
#include "model/statement.h"

struct TApp {
  korvane::TForms Forms = korvane::CreateForms();

  TApp() {
    Main().show();
    (void)QTest::qWaitForWindowExposed(&Main());
  }
  ~TApp() {
    // Nothing may ask about unsaved changes while the windows go.
    Main().Line().Modified = false;
  }

  [[nodiscard]] korvane::TArgIntForm& Main() const { return *Forms.ArgIntForm; }
  /// The main window's control with this object name; the test stops when there is none.
  template <class T = QWidget>
  T* Child(const char* name) const {
    T* w = Main().findChild<T*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
  }
  [[nodiscard]] korvane::TSession& Session() const { return Main().Session(); }
  [[nodiscard]] std::vector<std::string> Text() const { return Main().Line().Text(); }

  /// A statement move without questions (the sentence must be new).
  void State(const std::string& sentence, korvane::TStatementType type) const {
    Session().PerformStatementMove(Main().Line().NewStatement(sentence, type));
  }
  /// r (assumption) supports c (issue), e (issue) is an exception to that step, s stands alone.
  void MakeStepWithException() const {
    korvane::TLineOfArgumentation& line = Main().Line();
    State("s", korvane::kAssumption);
    korvane::TReasonConclusion* c = line.NewReasonConclusion();
    c->Reason->Sentence = "r";
    c->Reason->StatementType = korvane::kAssumption;
    c->Conclusion->Sentence = "c";
    c->Conclusion->StatementType = korvane::kIssue;
    c->Exceptions.Add(line.NewStatement("e", korvane::kIssue));
    Session().PerformExceptionMove(c);
  }
};

// Data rows "kind" and "items": each place of MakeStepWithException's line and the items
// its context menu puts above the view's own.
inline void AddPlaceItemRows() {
  using TKind = korvane::TBoxSubject::TKind;
  QTest::addColumn<int>("kind");
  QTest::addColumn<QStringList>("items");
  QTest::newRow("box") << int(TKind::Statement)
                       << QStringList{"Give a reason for this...", "Use as a reason for...", "Delete this statement...",
                                      "Why?", "-"};
  QTest::newRow("step") << int(TKind::Step)
                        << QStringList{"Add an exception to this step...", "Delete this connection...", "Why?", "-"};
  QTest::newRow("undercutter") << int(TKind::Undercutter) << QStringList{"Delete this exception...", "Why?", "-"};
}

inline void InitTestApplication() {
  korvane::InitApplication();
  QApplication::setQuitOnLastWindowClosed(false);
}
