// How long opening a .lin file takes, as the program does it: read, interpret line by
// line, every move evaluated. Run:
//   build-fast/bench/open_file_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "document/session.h"
#include "line_generator.h"
#include "peak_memory.h"

namespace korvane {
namespace {

using bench::PeakMegabytes;

// Interpreting asks nothing; anything asked while a file is made is answered as Escape would.
class EscapeAsker : public TAsker {
public:
  TAnswer Ask(const TMessage& message) override { return message.Escape; }
};

std::string TemporaryPath(const std::string& name) {
  return "/tmp/korvane-bench-" + std::to_string(getpid()) + "-" + name + ".lin";
}

// A generated line made move by move through the session, written as a file.
std::string WriteGeneratedLine(int moves) {
  EscapeAsker asker;
  TPlainTextHost host;
  TSession session(asker, host);
  TLineOfArgumentation& line = session.Line();
  for (const test::GeneratedMove& m : bench::LineGenerator(2026).Moves(moves)) {
    if (m.kind == test::GeneratedMove::Statement) {
      session.PerformStatementMove(line.NewStatement(m.sentence, m.type));
      continue;
    }
    TReasonConclusion* c = line.NewReasonConclusion();
    test::FillConnection(*c, m);
    if (m.kind == test::GeneratedMove::ReasonConclusion) {
      session.PerformReasonConclusionMove(c);
    } else {
      c->Exceptions.Add(line.NewStatement(m.sentence, m.type));
      session.PerformExceptionMove(c);
    }
  }
  const std::string path = TemporaryPath("line-" + std::to_string(moves));
  session.WriteFile(path);
  return path;
}

// Lines that are no keyword: each is stated as an assumption.
std::string WritePlainLines(int count) {
  const std::string path = TemporaryPath("plain-" + std::to_string(count));
  std::ofstream out(path, std::ios::binary);
  for (int k = 0; k < count; ++k) out << "a plain sentence of the file, number " << k << "\r\n";
  return path;
}

void Open(benchmark::State& state, const std::string& path) {
  std::size_t statements = 0;
  for (auto _ : state) {
    EscapeAsker asker;
    TPlainTextHost host;
    TSession session(asker, host);
    session.OpenFile(path);
    statements = static_cast<std::size_t>(session.Line().CurrentStage->Statements.Count());
    benchmark::DoNotOptimize(session.Line().CurrentStage);
  }
  std::remove(path.c_str());
  state.counters["statements"] = static_cast<double>(statements);
  state.counters["peak_MB"] = PeakMegabytes();
}

void OpenGeneratedFile(benchmark::State& state) { Open(state, WriteGeneratedLine(static_cast<int>(state.range(0)))); }
void OpenPlainLines(benchmark::State& state) { Open(state, WritePlainLines(static_cast<int>(state.range(0)))); }

BENCHMARK(OpenGeneratedFile)->Arg(200)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OpenPlainLines)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace korvane

BENCHMARK_MAIN();
