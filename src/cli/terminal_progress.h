// How far a long interpretation has come, on standard error when that is a terminal:
// a file that takes seconds to open should not look like a hung program.
#pragma once

#include <chrono>
#include <cstddef>
#include <iosfwd>

namespace korvane::cli {

/// A session's Progress callback writing one line that it rewrites in place; nothing
/// is written for an interpretation that ends within half a second.
class TTerminalProgress {
public:
  explicit TTerminalProgress(std::ostream& out) : out_(&out) {}
  bool operator()(std::size_t examined, std::size_t total);

private:
  using TClock = std::chrono::steady_clock;
  std::ostream* out_;
  TClock::time_point start_{}, shown_{};
  bool showing_ = false;
};

/// Whether standard error is a terminal.
[[nodiscard]] bool StandardErrorIsTerminal();

}  // namespace korvane::cli
