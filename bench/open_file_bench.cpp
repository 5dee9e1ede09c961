// How long opening a .lin file takes, as the program does it: read, interpret line by
// line, every move made and the stage reached evaluated. Run:
//   build-fast/bench/open_file_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "document/session.h"
#include "generated_file.h"
#include "peak_memory.h"

namespace korvane {
namespace {

using bench::EscapeAsker;
using bench::PeakMegabytes;
using bench::TemporaryPath;
using bench::WriteGeneratedLine;

// A chain s0 <- s1 <- ... <- sN of issues ending in an assumption, as moves
// "CONCLUSION s_i / REASON s_i+1": downwards (0) each new reason lies below the last,
// so every move changes what every statement above it rests on; upwards (1) the same
// connections made from the bottom, each new conclusion on top.
std::string WriteChain(int length, bool upwards) {
  const std::string path = TemporaryPath("chain-" + std::to_string(length) + (upwards ? "-up" : "-down"));
  std::ofstream out(path, std::ios::binary);
  for (int k = 0; k < length; ++k) {
    const int i = upwards ? length - 1 - k : k;
    out << "CONCLUSION\r\n  ?: s" << i << "\r\nREASON\r\n  " << (i + 1 == length ? '!' : '?') << ": s" << i + 1
        << "\r\n\r\n";
  }
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
  const double before = bench::ResidentMegabytes();
  for (auto _ : state) {
    EscapeAsker asker;
    TPlainTextHost host;
    TSession session(asker, host);
    session.OpenFile(path);
    statements = static_cast<std::size_t>(session.Line().CurrentStage->Statements.Count());
    benchmark::DoNotOptimize(session.Line().CurrentStage);
    // What the open document holds, stages and evaluation included.
    state.PauseTiming();
    state.counters["held_MB"] = bench::ResidentMegabytes() - before;
    state.ResumeTiming();
  }
  std::remove(path.c_str());
  state.counters["statements"] = static_cast<double>(statements);
  state.counters["peak_MB"] = PeakMegabytes();
}

void OpenGeneratedFile(benchmark::State& state) { Open(state, WriteGeneratedLine(static_cast<int>(state.range(0)))); }
void OpenPlainLines(benchmark::State& state) { Open(state, WritePlainLines(static_cast<int>(state.range(0)))); }
void OpenChain(benchmark::State& state) {
  Open(state, WriteChain(static_cast<int>(state.range(0)), state.range(1) != 0));
}

// After opening the chain downwards, one more connection at its bottom, as a user adds it:
// that move changes the dialectical argument of every statement above.
void MoveBelowChain(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0));
  const std::string path = WriteChain(length, false);
  for (auto _ : state) {
    state.PauseTiming();
    EscapeAsker asker;
    TPlainTextHost host;
    auto owned = std::make_unique<TSession>(asker, host);
    TSession& session = *owned;
    session.OpenFile(path);
    TReasonConclusion* c = session.Line().NewReasonConclusion();
    c->Conclusion->Sentence = "s" + std::to_string(length);
    c->Conclusion->StatementType = kAssumption;
    c->Reason->Sentence = "s" + std::to_string(length + 1);
    c->Reason->StatementType = kAssumption;
    state.ResumeTiming();
    session.PerformReasonConclusionMove(c);
    benchmark::DoNotOptimize(session.Line().CurrentStage);
    state.PauseTiming();
    if (session.Line().ArgumentationMoves.Count() != static_cast<std::size_t>(length) + 1) state.SkipWithError("the move was not made");
    owned.reset();
    state.ResumeTiming();
  }
  std::remove(path.c_str());
}

// Several sizes of each family, smallest first, so that peak_MB and held_MB show growth.
BENCHMARK(OpenGeneratedFile)
    ->Arg(200)
    ->Arg(2000)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(150000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(OpenPlainLines)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OpenChain)
    ->ArgsProduct({{1000, 3000, 10000, 30000, 100000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK(MoveBelowChain)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korvane

BENCHMARK_MAIN();
