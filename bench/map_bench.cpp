// The map on the generated lines: laid out and drawn (the window's first screen painted),
// one more move on the 10,000-move line redrawn, and the edge crossings of the map against
// those of Graphviz's dot on the program's own DOT export of the same stage. Run:
//   build-fast/bench/map_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "generated_file.h"
#include "interchange/argument_graph.h"
#include "interchange/exports.h"
#include "line_generator.h"
#include "support/stage_generator.h"
#include "views/diagram_painter.h"
#include "views/map_crossings.h"
#include "views/map_picture.h"
#include "views/status_icons.h"

namespace korvane {
namespace {

QFont MapFont() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
  return QFont(QStringLiteral("MS Sans Serif"), 8);
}

// The stages of the generated line from move `from` on, each made from the one before.
struct TLine {
  std::vector<std::unique_ptr<TArgumentationStage>> Stages;
};

const TLine& GeneratedLine(int moves, int extra) {
  static std::unordered_map<int, TLine> lines;
  TLine& line = lines[moves * 1000 + extra];
  if (!line.Stages.empty()) return line;
  auto stage = std::make_unique<TArgumentationStage>();
  const std::vector<test::GeneratedMove> all = bench::LineGenerator(2026).Moves(moves + extra);
  for (int i = 0; i < moves + extra; ++i) {
    std::unique_ptr<TArgumentationStage> next = test::Apply(*stage, all[static_cast<std::size_t>(i)]);
    if (!next) continue;  // a refused move leaves the stage
    if (i + 1 >= moves) line.Stages.push_back(std::move(stage));
    stage = std::move(next);
  }
  line.Stages.push_back(std::move(stage));
  return line;
}

// What the window paints first: the top left of the map, 1280 x 900.
void PaintScreen(const TMapPicture& picture, const TStatusIconsImageList& icons) {
  static QImage screen(1280, 900, QImage::Format_RGB32);
  QPainter painter(&screen);
  PaintDiagram(painter, picture.Layout, icons, QRect(0, 0, 1280, 900));
}

void MapLayoutAndDraw(benchmark::State& state) {
  const TArgumentationStage& stage = *GeneratedLine(static_cast<int>(state.range(0)), 0).Stages.back();
  const TStatusIconsImageList icons;
  const QFont font = MapFont();
  std::size_t boxes = 0;
  for (auto _ : state) {
    const TMapPicture picture = PaintMap(stage, font, false);
    PaintScreen(picture, icons);
    boxes = picture.Layout.Boxes.size();
  }
  state.counters["statements"] = static_cast<double>(stage.Statements.Count());
  state.counters["boxes"] = static_cast<double>(boxes);
}

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Each iteration draws the next stage with the painter that drew the one before.
void MapOneMoreMove(benchmark::State& state) {
  const TLine& line = GeneratedLine(static_cast<int>(state.range(0)), 200);
  const TStatusIconsImageList icons;
  const QFont font = MapFont();
  TMapPainter painter;
  std::size_t next = 1;
  (void)painter.Paint(*line.Stages[0], font, false);
  std::vector<double> times, cpuTimes;
  TMapPicture picture;
  for (auto _ : state) {
    if (next == line.Stages.size()) {
      state.PauseTiming();
      next = 1;
      (void)painter.Paint(*line.Stages[0], font, false);
      state.ResumeTiming();
    }
    const auto start = std::chrono::steady_clock::now();
    const double startCpu = ThreadCpuMs();
    // The window hands the picture it showed back to the painter.
    picture = painter.Paint(*line.Stages[next++], font, false, std::move(picture));
    PaintScreen(picture, icons);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    cpuTimes.push_back(ThreadCpuMs() - startCpu);
  }
  std::sort(times.begin(), times.end());
  std::sort(cpuTimes.begin(), cpuTimes.end());
  state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2];
  state.counters["max_ms"] = times.empty() ? 0 : times.back();
  // The same in this thread's CPU time, which other work on the machine changes less.
  state.counters["median_cpu_ms"] = cpuTimes.empty() ? 0 : cpuTimes[cpuTimes.size() / 2];
}

// dot's edges from -Tplain: each the control points of its spline, taken as a polyline.
std::vector<TPolyline> DotEdges(const std::string& plain) {
  std::vector<TPolyline> edges;
  std::istringstream in(plain);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("edge ", 0) != 0) continue;
    std::istringstream fields(line);
    std::string word, tail, head;
    int n = 0;
    fields >> word >> tail >> head >> n;
    TPolyline edge;
    for (int k = 0; k < n; ++k) {
      TPolylinePoint p;
      fields >> p.X >> p.Y;
      edge.push_back(p);
    }
    edges.push_back(std::move(edge));
  }
  return edges;
}

std::string RunDot(const std::string& dotText, double& seconds) {
  const std::string path = "/tmp/korvane_map_bench.dot";
  std::ofstream(path) << dotText;
  const auto start = std::chrono::steady_clock::now();
  FILE* pipe = popen(("dot -Tplain " + path).c_str(), "r");
  std::string out;
  if (pipe) {
    char buffer[65536];
    std::size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, read);
    pclose(pipe);
  }
  seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return out;
}

long long MapCrossings(const TArgumentationStage& stage) {
  const TMapPicture picture = PaintMap(stage, MapFont(), false);
  std::vector<TPolyline> routes;
  for (const TMapRoute& route : picture.Placement.Routes) {
    TPolyline line;
    for (const TMapPoint& p : route.Points) line.push_back({static_cast<double>(p.X), static_cast<double>(p.Y)});
    routes.push_back(std::move(line));
  }
  return CountCrossings(routes);
}

// The map's crossings alone, where dot takes too long to run each time.
void MapCrossingsOnly(benchmark::State& state) {
  const TArgumentationStage& stage = *GeneratedLine(static_cast<int>(state.range(0)), 0).Stages.back();
  long long crossings = 0;
  for (auto _ : state) crossings = MapCrossings(stage);
  state.counters["map_crossings"] = static_cast<double>(crossings);
}

void MapCrossingsAgainstDot(benchmark::State& state) {
  const TArgumentationStage& stage = *GeneratedLine(static_cast<int>(state.range(0)), 0).Stages.back();
  long long mapCrossings = 0;
  long long dotCrossings = 0;
  double dotSeconds = 0;
  for (auto _ : state) {
    mapCrossings = MapCrossings(stage);
    const std::string dotText =
        interchange::Export(interchange::TArgumentGraph(stage), interchange::TExportFormat::Dot);
    dotCrossings = CountCrossings(DotEdges(RunDot(dotText, dotSeconds)));
  }
  state.counters["map_crossings"] = static_cast<double>(mapCrossings);
  state.counters["dot_crossings"] = static_cast<double>(dotCrossings);
  state.counters["ratio"] =
      dotCrossings > 0 ? static_cast<double>(mapCrossings) / static_cast<double>(dotCrossings) : 0;
  state.counters["dot_s"] = dotSeconds;
}

BENCHMARK(MapLayoutAndDraw)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(MapOneMoreMove)->Arg(10000)->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(MapCrossingsOnly)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(MapCrossingsAgainstDot)->Arg(200)->Arg(2000)->Iterations(1)->Unit(benchmark::kSecond);
// dot takes minutes on this one: leave it out with --benchmark_filter=-Large.
void MapCrossingsAgainstDotLarge(benchmark::State& state) { MapCrossingsAgainstDot(state); }
BENCHMARK(MapCrossingsAgainstDotLarge)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  // map_bench --write-line N: writes the generated line of N moves as a .lin file and
  // prints its path, to look at its map in the window.
  if (argc == 3 && std::string(argv[1]) == "--write-line") {
    std::printf("%s\n", korvane::bench::WriteGeneratedLine(std::stoi(argv[2])).c_str());
    return 0;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
