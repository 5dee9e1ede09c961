// How long moves take, fast and by the plain rules. Run:
//   build-fast/bench/evaluation_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "line_generator.h"
#include "model/argumentation_stage.h"
#include "model/evaluation/evaluator.h"
#include "model/evaluation_limit.h"
#include "peak_memory.h"
#include "support/stage_generator.h"

namespace korvane {
namespace {

using bench::PeakMegabytes;

// A line keeps every stage, as a document does.
struct Line {
  explicit Line(bool literal) {
    stages.push_back(std::make_unique<TArgumentationStage>());
    stages.back()->SetLiteralEvaluation(literal);
  }
  void Make(const test::GeneratedMove& m) { stages.push_back(test::Apply(*stages.back(), m)); }
  std::vector<std::unique_ptr<TArgumentationStage>> stages;
};

void OpenLine(benchmark::State& state, bool literal) {
  const auto moves = bench::LineGenerator(2026).Moves(static_cast<int>(state.range(0)));
  std::size_t statements = 0;
  for (auto _ : state) {
    Line line(literal);
    for (const auto& m : moves) line.Make(m);
    statements = static_cast<std::size_t>(line.stages.back()->Statements.Count());
    benchmark::DoNotOptimize(line.stages.back().get());
  }
  state.counters["statements"] = static_cast<double>(statements);
  state.counters["peak_MB"] = PeakMegabytes();
}
void OpenLineFast(benchmark::State& state) { OpenLine(state, false); }
void OpenLineLiteral(benchmark::State& state) { OpenLine(state, true); }

// One more statement move and one more reason/conclusion move on a stage of 1,000 statements.
void OneMove(benchmark::State& state, bool literal) {
  bench::LineGenerator generator(7);
  Line line(literal);
  while (line.stages.back()->Statements.Count() < 1000) line.Make(generator.Moves(1)[0]);
  const TArgumentationStage& stage = *line.stages.back();
  TModelStore& store = stage.Store();
  int n = 0;
  for (auto _ : state) {
    TReasonConclusion* c = store.NewReasonConclusion();
    c->Reason->Sentence = "a new reason " + std::to_string(++n);
    c->Reason->StatementType = kAssumption;
    c->Conclusion->Sentence = stage.Statements[n % stage.Statements.Count()]->Sentence;
    c->Conclusion->StatementType = kIssue;
    auto next = state.range(0) == 0
                    ? stage.DoStatementMove(store.NewStatement("a new claim " + std::to_string(n), kIssue))
                    : stage.DoReasonConclusionMove(c);
    benchmark::DoNotOptimize(next.get());
  }
  state.counters["statements"] = stage.Statements.Count();
}
void OneMoveFast(benchmark::State& state) { OneMove(state, false); }
void OneMoveLiteral(benchmark::State& state) { OneMove(state, true); }

// s0 <- s1 <- ... <- s100000, evaluated as one stage.
void DeepChain(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto stage = std::make_unique<TArgumentationStage>();
    TModelStore& store = stage->Store();
    std::vector<TStatement*> chain;
    for (int i = 0; i <= length; ++i) {
      TStatement* s = store.NewStatement("s" + std::to_string(i), i == length ? kAssumption : kIssue);
      s->Id = std::to_string(i + 1);
      chain.push_back(s);
      stage->Statements.Add(s);
    }
    for (int i = 0; i < length; ++i) {
      TReasonConclusion* c = store.NewReasonConclusion();
      c->Reason = chain[static_cast<std::size_t>(i) + 1];
      c->Conclusion = chain[static_cast<std::size_t>(i)];
      stage->ReasonConclusions.Add(c);
    }
    state.ResumeTiming();
    stage->RecomputeArguments();
    stage->RecomputeDialecticalArguments();
    benchmark::DoNotOptimize(stage->MaximalDialecticalArguments.Count());
    state.PauseTiming();
    stage.reset();
    state.ResumeTiming();
  }
  state.counters["peak_MB"] = PeakMegabytes();
}

// k statements connected to each other in both directions, with an exception on one
// connection and a warrant stated: the trees grow with every path through them.
void Clique(benchmark::State& state, bool literal) {
  const int k = static_cast<int>(state.range(0));
  std::vector<test::GeneratedMove> moves = test::BothWaysMoves(k);
  test::GeneratedMove e;
  e.kind = test::GeneratedMove::Exception;
  e.sentence = "x";
  e.type = kAssumption;
  e.reason = "p0";
  e.conclusion = "p1";
  e.reasonType = kAssumption;
  e.conclusionType = kIssue;
  moves.push_back(e);
  test::GeneratedMove w;
  w.kind = test::GeneratedMove::Statement;
  w.sentence = StepWarrantSentence("p1", "p2", kSupporting);
  w.type = kIssue;
  moves.push_back(w);
  // For a refused line: how long the refused move took before it was refused.
  double refused = 0, lastMove = 0;
  for (auto _ : state) {
    Line line(literal);
    refused = 0;
    for (const auto& m : moves) {
      const auto start = std::chrono::steady_clock::now();
      try {
        line.Make(m);
      } catch (const TEvaluationLimitError&) {
        refused = 1;
      }
      lastMove = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      if (refused) break;
    }
    benchmark::DoNotOptimize(line.stages.back().get());
  }
  state.counters["refused"] = refused;
  state.counters["last_move_ms"] = lastMove;
  state.counters["peak_MB"] = PeakMegabytes();
}
void CliqueFast(benchmark::State& state) { Clique(state, false); }
void CliqueLiteral(benchmark::State& state) { Clique(state, true); }

BENCHMARK(OpenLineFast)->Arg(200)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OpenLineLiteral)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OneMoveFast)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(OneMoveLiteral)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(DeepChain)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(CliqueFast)->DenseRange(3, 7)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(CliqueLiteral)->DenseRange(3, 4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane

BENCHMARK_MAIN();
