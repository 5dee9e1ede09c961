#include "terminal_progress.h"

#include <unistd.h>

#include <ostream>

namespace korvane::cli {

namespace {
constexpr auto kQuietFor = std::chrono::milliseconds(500);
constexpr auto kRewriteEvery = std::chrono::milliseconds(200);
}  // namespace

bool TTerminalProgress::operator()(std::size_t examined, std::size_t total) {
  const TClock::time_point now = TClock::now();
  if (examined == 0) {
    start_ = now;
    showing_ = false;
    return true;
  }
  if (examined >= total) {
    if (showing_) *out_ << "\rInterpreting file: " << total << " of " << total << " lines\n" << std::flush;
    showing_ = false;
    return true;
  }
  if (now - start_ < kQuietFor || (showing_ && now - shown_ < kRewriteEvery)) return true;
  *out_ << "\rInterpreting file: " << examined << " of " << total << " lines (" << examined * 100 / total << "%)"
        << std::flush;
  showing_ = true;
  shown_ = now;
  return true;
}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) != 0; }

}  // namespace korvane::cli
