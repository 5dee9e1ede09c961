// Reads Argdown into an import graph: statements are texts; an argument is an inference
// from the statements that support it (and its premises) to those it supports (and its
// conclusion); an argument that attacks a statement a defeating inference; an undercut a
// conflict aimed at the argument; a statement attacking a statement a conflict aimed at
// that statement.
#pragma once

#include <string>

#include "interchange/import_graph.h"

namespace korvane::interchange {

/// Throws TImportError naming the line at fault.
[[nodiscard]] TImportGraph ReadArgdown(const std::string& bytes);

}  // namespace korvane::interchange
