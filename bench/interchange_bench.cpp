// How long export and import of a generated line of 10,000 moves take: the export from the
// evaluated stage to the text; the import from the text to a checked line of moves, the
// replay that checks it included. Run:
//   build-fast/bench/interchange_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <string>

#include "document/headless_session.h"
#include "interchange/argument_graph.h"
#include "interchange/exports.h"
#include "interchange/importer.h"
#include "line_generator.h"
#include "peak_memory.h"

namespace korvane {
namespace {

using namespace korvane::interchange;

// The generated line made through the session's entry points, as a person would make it.
void MakeLine(THeadlessSession<>& s, int moves) {
  TLineOfArgumentation& line = s.Session.Line();
  for (const test::GeneratedMove& m : bench::LineGenerator(2026).Moves(moves)) {
    if (m.kind == test::GeneratedMove::Statement) {
      s.Session.PerformStatementMove(line.NewStatement(m.sentence, m.type));
      continue;
    }
    TReasonConclusion* c = line.NewReasonConclusion();
    test::FillConnection(*c, m);
    if (m.kind == test::GeneratedMove::ReasonConclusion) {
      s.Session.PerformReasonConclusionMove(c);
    } else {
      c->Exceptions.Add(line.NewStatement(m.sentence, m.type));
      s.Session.PerformExceptionMove(c);
    }
  }
}

const TArgumentationStage& GeneratedStage(int moves) {
  static THeadlessSession<> session;
  static int made = 0;
  if (made != moves) {
    session.Session.NewLine();
    MakeLine(session, moves);
    made = moves;
  }
  return *session.Session.Line().CurrentStage;
}

void ExportLine(benchmark::State& state, TExportFormat format) {
  const TArgumentationStage& stage = GeneratedStage(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = Export(TArgumentGraph(stage), format);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["statements"] = stage.Statements.Count();
  state.counters["connections"] = stage.ReasonConclusions.Count();
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["peak_MB"] = bench::PeakMegabytes();
}

void ImportLine(benchmark::State& state, TExportFormat out, TImportFormat in) {
  const std::string text = Export(TArgumentGraph(GeneratedStage(static_cast<int>(state.range(0)))), out);
  std::size_t lines = 0;
  for (auto _ : state) {
    const TImportResult result = ImportArgumentation(text, in);
    lines = result.Lines.size();
    benchmark::DoNotOptimize(result.Lines.data());
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["peak_MB"] = bench::PeakMegabytes();
}

void ExportAif(benchmark::State& state) { ExportLine(state, TExportFormat::Aif); }
void ExportArgdown(benchmark::State& state) { ExportLine(state, TExportFormat::Argdown); }
void ExportDot(benchmark::State& state) { ExportLine(state, TExportFormat::Dot); }
void ExportGraphMl(benchmark::State& state) { ExportLine(state, TExportFormat::GraphMl); }
void ExportAspic(benchmark::State& state) { ExportLine(state, TExportFormat::Aspic); }
void ImportAif(benchmark::State& state) { ImportLine(state, TExportFormat::Aif, TImportFormat::Aif); }
void ImportArgdown(benchmark::State& state) { ImportLine(state, TExportFormat::Argdown, TImportFormat::Argdown); }

BENCHMARK(ExportAif)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportArgdown)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportDot)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportGraphMl)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportAspic)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportAif)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportArgdown)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korvane

BENCHMARK_MAIN();
