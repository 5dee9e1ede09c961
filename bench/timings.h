// Wall and CPU timings of single actions for the window benchmarks, reported as the
// median and maximum of each.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

namespace korvane::bench {

// Wall and process CPU time since it was made or restarted: the machine is shared, so
// the CPU time tells the work from the waiting.
class Stopwatch {
public:
  Stopwatch() { Restart(); }
  void Restart() {
    wall_ = std::chrono::steady_clock::now();
    cpu_ = Cpu();
  }
  [[nodiscard]] double WallMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall_).count();
  }
  [[nodiscard]] double CpuMs() const { return Cpu() - cpu_; }

private:
  static double Cpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000 + static_cast<double>(t.tv_nsec) / 1e6;
  }
  std::chrono::steady_clock::time_point wall_;
  double cpu_ = 0;
};

struct Timings {
  std::vector<double> wall, cpu;
  void Add(const Stopwatch& s) {
    wall.push_back(s.WallMs());
    cpu.push_back(s.CpuMs());
  }
  /// The mean wall time of an action, for the benchmark's iteration time.
  [[nodiscard]] double MeanWallSeconds() const {
    double total = 0;
    for (const double ms : wall) total += ms;
    return wall.empty() ? 0 : total / 1000 / static_cast<double>(wall.size());
  }
  void Report(benchmark::State& state, const std::string& name) {
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    state.counters[name + "_median_ms"] = wall[wall.size() / 2];
    state.counters[name + "_max_ms"] = wall.back();
    state.counters[name + "_cpu_median_ms"] = cpu[cpu.size() / 2];
    state.counters[name + "_cpu_max_ms"] = cpu.back();
  }
};

}  // namespace korvane::bench
