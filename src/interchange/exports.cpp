#include "interchange/exports.h"

namespace korvane::interchange {

std::optional<TExportFormat> ParseExportFormat(const std::string& name) {
  struct TName {
    const char* Name;
    TExportFormat Format;
  };
  static const TName kNames[] = {{"aif", TExportFormat::Aif},
                                 {"argdown", TExportFormat::Argdown},
                                 {"dot", TExportFormat::Dot},
                                 {"graphml", TExportFormat::GraphMl},
                                 {"aspic", TExportFormat::Aspic}};
  for (const TName& n : kNames)
    if (name == n.Name) return n.Format;
  return std::nullopt;
}

std::string Export(const TArgumentGraph& graph, TExportFormat format) {
  switch (format) {
    case TExportFormat::Aif: return ExportAif(graph);
    case TExportFormat::Argdown: return ExportArgdown(graph);
    case TExportFormat::Dot: return ExportDot(graph);
    case TExportFormat::GraphMl: return ExportGraphMl(graph);
    case TExportFormat::Aspic: return ExportAspic(graph);
  }
  return {};
}

}  // namespace korvane::interchange
