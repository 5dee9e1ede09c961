#include "interchange/import_graph.h"

namespace korvane::interchange {

int TImportGraph::AddText(TImportText text) {
  texts_.push_back(std::move(text));
  return static_cast<int>(texts_.size()) - 1;
}

int TImportGraph::AddInference(TImportInference inference) {
  inferences_.push_back(std::move(inference));
  return static_cast<int>(inferences_.size()) - 1;
}

void TImportGraph::AddConflict(TImportConflict conflict) { conflicts_.push_back(std::move(conflict)); }

}  // namespace korvane::interchange
