// The process's peak resident size so far, for the benchmarks' memory figures.
#pragma once

#include <sys/resource.h>

namespace korvane::bench {

inline double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace korvane::bench
