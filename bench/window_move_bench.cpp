// The main window, offscreen at 1000 x 760, on a generated line of 10,000 moves: how long
// opening takes until the view is drawn, and how long each kind of move (and a deletion's
// question declined) takes until the showing view has been repainted; the same moves
// through the real dialogs, as a user makes them: how long a dialog takes to open, and how
// long from the key that confirms the move until the view is repainted and the program is
// idle; and how long the find box takes to go to the next match. Run:
//   build-fast/bench/window_move_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/arg_int_form.h"
#include "app/exception_form.h"
#include "app/reason_conclusion_form.h"
#include "app/find_box.h"
#include "app/start_up.h"
#include "app/statement_form.h"
#include "views/sentence_text.h"
#include "generated_file.h"
#include "timings.h"
#include "peak_memory.h"

namespace korvane {
namespace {

using bench::Stopwatch;
using bench::Timings;

constexpr int kLineMoves = 10000;
constexpr int kActionsPerCase = 100;
constexpr int kLargeLineMoves = 100000;
constexpr int kLargeActionsPerCase = 10;

// Declines every question as a user clicking No would, as soon as the box is shown.
class Decliner : public QObject {
protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* box = qobject_cast<QMessageBox*>(object);
    if (box && event->type() == QEvent::Show) {
      QTimer::singleShot(0, box, [box] {
        for (QAbstractButton* b : box->buttons())
          if (box->buttonRole(b) == QMessageBox::NoRole) return b->click();
        box->reject();
      });
    }
    return false;
  }
};

struct Window {
  TForms forms = CreateForms();
  QScrollArea* scrollBox = nullptr;
  double openMs = 0;
  double openCpuMs = 0;
  double heldMb = 0;
  int made = 0;

  TArgIntForm& Main() const { return *forms.ArgIntForm; }
  TSession& Session() const { return Main().Session(); }
  const TArgumentationStage& Stage() const { return *Main().Line().CurrentStage; }

  // Posted work done, then the view in the scroll box painted.
  void Repaint() const {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    scrollBox->repaint();
  }
};

// Made by the first benchmark and kept for the others on the same line; it must go before
// the application.
std::unique_ptr<Window> window;
int windowMoves = 0;

void CloseWindow() {
  if (!window) return;
  window->Main().Line().Modified = false;
  window.reset();
}

Window* OpenWindow(int moves = kLineMoves) {
  if (window && windowMoves == moves) return window.get();
  CloseWindow();
  const std::string path = bench::WriteGeneratedLine(moves);
  const double before = bench::ResidentMegabytes();
  window = std::make_unique<Window>();
  windowMoves = moves;
  window->Main().resize(1000, 760);
  window->Main().show();
  window->scrollBox = window->Main().findChild<QScrollArea*>("ScrollBox1");
  QCoreApplication::processEvents();
  const Stopwatch watch;
  window->Session().OpenFile(path);
  window->Repaint();
  window->openMs = watch.WallMs();
  window->openCpuMs = watch.CpuMs();
  window->heldMb = bench::ResidentMegabytes() - before;
  std::remove(path.c_str());
  return window.get();
}

// range(0): the moves of the generated line.
void WindowOpen(benchmark::State& state) {
  Window* w = nullptr;
  for (auto _ : state) {
    w = OpenWindow(static_cast<int>(state.range(0)));
    state.SetIterationTime(w->openMs / 1000);
  }
  state.counters["held_MB"] = w->heldMb;
  state.counters["cpu_ms"] = w->openCpuMs;
  state.counters["statements"] = w->Stage().Statements.Count();
}

enum Kind { Statement, ReasonConclusion, Exception, DeclinedDeletion };

// Shows view (0 the text, 1 the statements diagram, 2 the dialectical diagram) and paints it.
void ShowView(Window& w, std::int64_t view) {
  switch (view) {
    case 0: w.Main().ShowLineOfArgumentationView(); break;
    case 1: w.Main().ShowStatementsDiagram(); break;
    default: w.Main().ShowDialecticalDiagram(); break;
  }
  w.Repaint();
}

// One action of a kind on the current stage; k spreads the choices over the line.
void Act(Window& w, Kind kind, int k) {
  TLineOfArgumentation& line = w.Main().Line();
  const TArgumentationStage& stage = w.Stage();
  const std::string fresh = "a sentence the benchmark adds, number " + std::to_string(w.made++);
  TStatement* existing = stage.Statements[(k * 7919) % stage.Statements.Count()];
  switch (kind) {
    case Statement: w.Session().PerformStatementMove(line.NewStatement(fresh, kAssumption)); break;
    case ReasonConclusion: {
      TReasonConclusion* c = line.NewReasonConclusion();
      c->Reason->Sentence = fresh;
      c->Conclusion->Sentence = existing->Sentence;
      c->Conclusion->StatementType = existing->StatementType;
      w.Session().PerformReasonConclusionMove(c);
      break;
    }
    case Exception: {
      const TReasonConclusion* x = stage.ReasonConclusions[(k * 104729) % stage.ReasonConclusions.Count()];
      TReasonConclusion* c = line.NewReasonConclusion();
      c->Reason->Sentence = x->Reason->Sentence;
      c->Reason->StatementType = x->Reason->StatementType;
      c->Conclusion->Sentence = x->Conclusion->Sentence;
      c->Conclusion->StatementType = x->Conclusion->StatementType;
      c->ConnectionKind = x->ConnectionKind;
      c->Exceptions.Add(line.NewStatement(fresh, kIssue));
      w.Session().PerformExceptionMove(c);
      break;
    }
    case DeclinedDeletion: {
      TStatement probe;
      probe.Sentence = existing->Sentence;
      w.Session().DeleteStatement(&probe);
      break;
    }
  }
}

// actions of a kind on the line of moves, in view (0 the text, 1 the statements diagram,
// 2 the dialectical diagram): the median and maximum of wall and CPU time.
void MoveInWindow(benchmark::State& state, int moves, std::int64_t view, Kind kind, int actions) {
  Window& w = *OpenWindow(moves);
  ShowView(w, view);
  std::vector<double> ms, cpu;
  const std::size_t movesBefore = w.Main().Line().ArgumentationMoves.Count();
  for (auto _ : state) {
    ms.clear();
    cpu.clear();
    for (int k = 0; k < actions; ++k) {
      const Stopwatch watch;
      Act(w, kind, k + 1);
      w.Repaint();
      ms.push_back(watch.WallMs());
      cpu.push_back(watch.CpuMs());
    }
    double total = 0;
    for (const double m : ms) total += m;
    state.SetIterationTime(total / 1000 / actions);
  }
  std::sort(ms.begin(), ms.end());
  std::sort(cpu.begin(), cpu.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["max_ms"] = ms.back();
  state.counters["cpu_median_ms"] = cpu[cpu.size() / 2];
  state.counters["cpu_max_ms"] = cpu.back();
  state.counters["statements"] = w.Stage().Statements.Count();
  // Moves the line took in: all of them, and none for declined deletions.
  state.counters["moves_made"] = w.Main().Line().ArgumentationMoves.Count() - movesBefore;
}

// range(0): the view; range(1): the Kind.
void WindowMove(benchmark::State& state) {
  MoveInWindow(state, kLineMoves, state.range(0), static_cast<Kind>(state.range(1)), kActionsPerCase);
}

// The same on the 100,000-move line, ten actions a case: only with --large_lines.
void WindowMoveLarge(benchmark::State& state) {
  MoveInWindow(state, kLargeLineMoves, state.range(0), static_cast<Kind>(state.range(1)), kLargeActionsPerCase);
}

// One move of a kind through its dialog, opened by its Argue command: the sentences typed
// as a user types them, then Return. open runs from the command until the dialog has been
// drawn and the events it posted are handled; confirm from the Return until the dialog is
// gone, the main window is active again, the view repainted and nothing is left to handle.
void DialogMove(Window& w, Kind kind, int k, Timings& open, Timings& confirm) {
  const TArgIntFormDialogs& dialogs = w.Main().Dialogs();
  const TArgumentationStage& stage = w.Stage();
  const QString fresh = QStringLiteral("a sentence the benchmark adds, number %1").arg(w.made++);
  const TStatement* existing = stage.Statements[(k * 7919) % stage.Statements.Count()];
  const TReasonConclusion* x = stage.ReasonConclusions[(k * 104729) % stage.ReasonConclusions.Count()];
  QDialog* dialog = kind == Statement          ? static_cast<QDialog*>(dialogs.Statement)
                    : kind == ReasonConclusion ? static_cast<QDialog*>(dialogs.ReasonConclusion)
                                               : static_cast<QDialog*>(dialogs.Exception);
  Stopwatch clock;
  QTimer::singleShot(0, dialog, [&] {
    QCoreApplication::sendPostedEvents();
    dialog->repaint();
    open.Add(clock);
    QWidget* confirmIn = nullptr;
    if (kind == Statement) {
      TStatementForm& f = *dialogs.Statement;
      QTest::keyClicks(f.StatementComboBox()->lineEdit(), fresh);
      confirmIn = f.StatementComboBox();
    } else if (kind == ReasonConclusion) {
      TReasonConclusionForm& f = *dialogs.ReasonConclusion;
      f.ConclusionComboBox()->setEditText(SentenceToDisplay(existing->Sentence));
      f.ConclusionTypeRadioGroup()->SetStatementType(existing->StatementType);
      f.ReasonComboBox()->setFocus();
      QTest::keyClicks(f.ReasonComboBox()->lineEdit(), fresh);
      confirmIn = f.ReasonComboBox();
    } else {
      TExceptionForm& f = *dialogs.Exception;
      QTest::keyClicks(f.ExceptionComboBox()->lineEdit(), fresh);
      f.ConclusionComboBox()->setEditText(SentenceToDisplay(x->Conclusion->Sentence));
      f.ConclusionTypeRadioGroup()->SetStatementType(x->Conclusion->StatementType);
      f.ReasonComboBox()->setEditText(SentenceToDisplay(x->Reason->Sentence));
      f.ReasonTypeRadioGroup()->SetStatementType(x->Reason->StatementType);
      confirmIn = f.ExceptionComboBox();
    }
    clock.Restart();
    QTest::keyClick(confirmIn, Qt::Key_Return);
  });
  switch (kind) {
    case Statement: w.Main().StatementButtonClick(); break;
    case ReasonConclusion: w.Main().ReasonConclusionButtonClick(); break;
    default: w.Main().ExceptionButtonClick(); break;
  }
  w.Repaint();
  confirm.Add(clock);
}

constexpr int kDialogMovesPerCase = 30;

// range(0): the view as for WindowMove; range(1): the Kind (no deletions).
void WindowDialogMove(benchmark::State& state) {
  Window& w = *OpenWindow();
  ShowView(w, state.range(0));
  Timings open, confirm;
  const std::size_t movesBefore = w.Main().Line().ArgumentationMoves.Count();
  for (auto _ : state) {
    for (int k = 0; k < kDialogMovesPerCase; ++k) DialogMove(w, static_cast<Kind>(state.range(1)), k + 1, open, confirm);
    state.SetIterationTime(confirm.MeanWallSeconds());
  }
  open.Report(state, "open");
  confirm.Report(state, "confirm");
  state.counters["moves_made"] = w.Main().Line().ArgumentationMoves.Count() - movesBefore;
}

// range(0): the view as above. A new statement is made through the entry point, then
// Ctrl+Z takes it back and Ctrl+Shift+Z makes it again, each timed from the key until the
// view is repainted and nothing is left to handle.
void WindowUndoRedo(benchmark::State& state) {
  Window& w = *OpenWindow();
  ShowView(w, state.range(0));
  Timings undo, redo;
  const std::size_t movesBefore = w.Main().Line().ArgumentationMoves.Count();
  for (auto _ : state) {
    for (int k = 0; k < kDialogMovesPerCase; ++k) {
      Act(w, Statement, k + 1);
      w.Repaint();
      Stopwatch clock;
      QTest::keyClick(&w.Main(), Qt::Key_Z, Qt::ControlModifier);
      w.Repaint();
      undo.Add(clock);
      clock.Restart();
      QTest::keyClick(&w.Main(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      w.Repaint();
      redo.Add(clock);
    }
    state.SetIterationTime(undo.MeanWallSeconds());
  }
  undo.Report(state, "undo");
  redo.Report(state, "redo");
  // Every move undone and made again: as many moves as were made.
  state.counters["moves_made"] = w.Main().Line().ArgumentationMoves.Count() - movesBefore;
}

// range(0): the view as above. The find box holds "claim 12"; each action is Return in it,
// timed until the next match is framed, scrolled into view and repainted.
void WindowFindNext(benchmark::State& state) {
  Window& w = *OpenWindow();
  ShowView(w, state.range(0));
  auto* find = w.Main().findChild<TFindBox*>();
  find->Open();
  auto* edit = find->Dialog()->findChild<QLineEdit*>(QStringLiteral("FindEdit"));
  edit->setText(QStringLiteral("claim 12"));
  w.Repaint();
  std::vector<double> ms;
  for (auto _ : state) {
    ms.clear();
    for (int k = 0; k < kActionsPerCase; ++k) {
      const auto start = std::chrono::steady_clock::now();
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QCoreApplication::sendEvent(edit, &press);
      w.Repaint();
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    double total = 0;
    for (const double m : ms) total += m;
    state.SetIterationTime(total / 1000 / kActionsPerCase);
  }
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["max_ms"] = ms.back();
  state.counters["matches"] = find->Finder().Count();
  find->Dialog()->reject();
}

BENCHMARK(WindowOpen)->Arg(kLineMoves)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The large lines take minutes and over a gigabyte together, so they run only when asked
// for: opening 100,000 and 200,000 moves, and the moves on the first.
void RegisterLargeLines() {
  benchmark::RegisterBenchmark("WindowOpen", WindowOpen)
      ->Arg(kLargeLineMoves)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("WindowMoveLarge", WindowMoveLarge)
      ->ArgsProduct({{0, 1, 2}, {Statement, ReasonConclusion, Exception, DeclinedDeletion}})
      ->ArgNames({"view", "kind"})
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("WindowOpen", WindowOpen)
      ->Arg(2 * kLargeLineMoves)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
}
BENCHMARK(WindowMove)
    ->ArgsProduct({{0, 1, 2}, {Statement, ReasonConclusion, Exception, DeclinedDeletion}})
    ->ArgNames({"view", "kind"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WindowDialogMove)
    ->ArgsProduct({{0, 1, 2}, {Statement, ReasonConclusion, Exception}})
    ->ArgNames({"view", "kind"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WindowUndoRedo)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgNames({"view"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WindowFindNext)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgNames({"view"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  // After the application: it makes the window icon.
  korvane::InitApplication();
  korvane::Decliner decliner;
  app.installEventFilter(&decliner);
  std::vector<char*> args(argv, argv + argc);
  const auto large = std::find(args.begin(), args.end(), std::string("--large_lines"));
  if (large != args.end()) {
    args.erase(large);
    korvane::RegisterLargeLines();
  }
  int benchmarkArgc = static_cast<int>(args.size());
  benchmark::Initialize(&benchmarkArgc, args.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  korvane::CloseWindow();
  return 0;
}
