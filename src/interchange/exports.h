// The formats a stage can be written in. Each writer takes the picture of the stage
// (statements, connections, exceptions, stated warrants) and returns the whole text.
#pragma once

#include <optional>
#include <string>

#include "interchange/argument_graph.h"

namespace korvane::interchange {

enum class TExportFormat { Aif, Argdown, Dot, GraphMl, Aspic };

/// Reads "aif", "argdown", "dot", "graphml" or "aspic"; nothing for any other name.
[[nodiscard]] std::optional<TExportFormat> ParseExportFormat(const std::string& name);

/// AIF JSON: I-nodes, one RA node per connection, one CA node per exception, and a
/// "korvane" object with what AIF has no field for.
[[nodiscard]] std::string ExportAif(const TArgumentGraph& graph);
/// Argdown: statements [sN], an argument <cN> per connection, an argument <xN> per exception.
[[nodiscard]] std::string ExportArgdown(const TArgumentGraph& graph);
/// Graphviz DOT: statement boxes, a small node per step and per exception.
[[nodiscard]] std::string ExportDot(const TArgumentGraph& graph);
/// GraphML with the same nodes as the DOT picture.
[[nodiscard]] std::string ExportGraphMl(const TArgumentGraph& graph);
/// ASPIC+ as JSON: axioms, claims, a defeasible rule per step and per exception.
[[nodiscard]] std::string ExportAspic(const TArgumentGraph& graph);

[[nodiscard]] std::string Export(const TArgumentGraph& graph, TExportFormat format);

}  // namespace korvane::interchange
