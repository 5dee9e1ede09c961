#include "document/view_host.h"

namespace korvane {

void TPlainTextHost::SetTextLine(int index, const std::string& line) {
  if (index < 0) return;
  if (static_cast<std::size_t>(index) >= Lines.size()) Lines.resize(static_cast<std::size_t>(index) + 1);
  Lines[static_cast<std::size_t>(index)] = line;
}

}  // namespace korvane
