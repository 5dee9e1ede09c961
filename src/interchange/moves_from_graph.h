// Turns what an imported file says into the text of a line of argumentation: a statement
// move per distinct text in order, each connection and exception right after the statements
// it needs, in the line forms the writer uses, so the line opens and saves like any other.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "interchange/import_graph.h"

namespace korvane::interchange {

struct TImportedLine {
  std::vector<std::string> Lines;
  /// What could not be kept, in the order it was found.
  std::vector<std::string> Notices;
  std::size_t Statements = 0;
  std::size_t Connections = 0;
};

/// The moves for graph; throws TImportError for a text that is empty.
[[nodiscard]] TImportedLine MovesFromGraph(const TImportGraph& graph);

}  // namespace korvane::interchange
