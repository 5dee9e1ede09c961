// Reads AIF JSON ("nodes" and "edges", as the public argument corpora have them) into an
// import graph: I-nodes are texts, RA nodes inferences, CA nodes conflicts; the locution
// and dialogue nodes (L, YA, TA) are ignored, MA and PA nodes left out with a notice.
#pragma once

#include <string>

#include "interchange/import_graph.h"

namespace korvane::interchange {

/// Throws TImportError naming the node, edge, or line and column at fault.
[[nodiscard]] TImportGraph ReadAif(const std::string& bytes);

}  // namespace korvane::interchange
