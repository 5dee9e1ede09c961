// Builds the argument of every vertex of the stage index: the support tree of reasons
// below a statement. Like the dialectical arguments, each is built once per evaluation,
// and one equal to an argument built for an earlier stage is that earlier object.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "model/argument.h"
#include "model/evaluation/connection_mask.h"
#include "model/evaluation/dependency_graph.h"
#include "model/evaluation/shape_table.h"
#include "model/evaluation/stage_index.h"
#include "model/evaluation/vertex_values.h"
#include "model/evaluation/work_budget.h"
#include "model/model_store.h"

namespace korvane::evaluation {

class TArgumentBuilder {
public:
  /// graph: the arguments' graph over index.
  TArgumentBuilder(const TStageIndex& index, const TDependencyGraph& graph, TWorkBudget& work)
      : index_(index), graph_(graph), work_(work) {}
  TArgumentBuilder(const TArgumentBuilder&) = delete;
  TArgumentBuilder& operator=(const TArgumentBuilder&) = delete;

  /// Forgets what the last evaluation built for used connections; new arguments go to store.
  void StartEvaluation(TModelStore& store) {
    store_ = &store;
    values_.StartEvaluation();
  }
  /// After the graph was built anew: the argument of every vertex.
  void BuildAll() { values_.BuildAll(); }
  /// After the graph was updated: those of the given vertices, children first.
  void Rebuild(const std::vector<int>& vertices) { values_.Rebuild(vertices); }
  /// After the graph was updated below one vertex (the last of affected, the new ones
  /// before it): builds the new ones and adds the new reasons' arguments to that vertex's
  /// argument in place, seen by every argument holding it. False, having extended
  /// nothing, when its argument is not held the plain way.
  [[nodiscard]] bool ExtendInPlace(const std::vector<int>& affected);
  /// Takes back the extensions made since the last KeepExtensions (the evaluation was refused).
  void TakeBackExtensions();
  void KeepExtensions() { extended_.clear(); }
  /// The argument of a statement at vertex v.
  [[nodiscard]] TArgument* Of(TStatement* object, int v) { return values_.For(object, v, TMask(), 0); }

private:
  friend class TVertexValues<TArgument, TArgumentBuilder>;

  TArgument* Build(TStatement* object, int v, const TMask& mask, int depth);
  [[nodiscard]] static bool Matches(const TArgument* a, const TStatement* conclusion,
                                    const std::vector<TArgument*>& children);

  const TStageIndex& index_;
  const TDependencyGraph& graph_;
  TWorkBudget& work_;
  TVertexValues<TArgument, TArgumentBuilder> values_{index_, graph_, *this};
  TModelStore* store_ = nullptr;

  // Kept for the document.
  std::vector<TArgument*> lastBySentence_;  // the last built without used connections
  TShapeTable<TArgument> byShape_;
  std::vector<std::pair<TArgument*, std::size_t>> extended_;  // not yet kept, with the count before
  std::vector<int> newVertices_;

  // One evaluation.
  std::vector<std::vector<TArgument*>> childrenAtDepth_;  // children of the argument being built at each depth
};

}  // namespace korvane::evaluation
