// Memory figures for the benchmarks: the process's peak resident size so far, and the
// resident size now, with freed memory handed back first so that what an earlier run
// freed does not count.
#pragma once

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

namespace korvane::bench {

inline double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

inline double ResidentMegabytes() {
  malloc_trim(0);
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

}  // namespace korvane::bench
