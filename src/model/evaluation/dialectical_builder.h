// Builds the dialectical argument of every vertex of the stage index. Each value is built
// once per evaluation, and a value equal to one built for an earlier stage is that earlier
// object; built values are never changed, so sharing them is not observable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/dialectical_argument.h"
#include "model/evaluation/connection_mask.h"
#include "model/evaluation/dependency_graph.h"
#include "model/evaluation/pointer_map.h"
#include "model/evaluation/shape_table.h"
#include "model/evaluation/stage_index.h"
#include "model/evaluation/vertex_values.h"
#include "model/evaluation/work_budget.h"
#include "model/model_store.h"

namespace korvane::evaluation {

class TDialecticalBuilder {
public:
  /// graph: the dialectical graph over index.
  TDialecticalBuilder(const TStageIndex& index, const TDependencyGraph& graph, TWorkBudget& work)
      : index_(index), graph_(graph), work_(work) {}
  TDialecticalBuilder(const TDialecticalBuilder&) = delete;
  TDialecticalBuilder& operator=(const TDialecticalBuilder&) = delete;

  /// Forgets what the last evaluation built for used connections.
  void StartEvaluation() { values_.StartEvaluation(); }
  /// After the graph was built anew: the dialectical argument of every vertex.
  void BuildAll() { values_.BuildAll(); }
  /// After the graph was updated: those of the given vertices, children first.
  void Rebuild(const std::vector<int>& vertices) { values_.Rebuild(vertices); }
  /// Values built from now on replace values that were current, which may stay held by
  /// values no longer current: nothing built before may be extended in place any more.
  void StartRebuild() { extendableFrom_ = nodes_.DialecticalArgumentCount(); }
  /// After the graph was updated below one vertex (the last of affected, the new ones
  /// before it): builds the new ones and adds the new steps to that vertex's value in place,
  /// seen by every value holding it. Only when its status stays, so nothing above changes
  /// but heights, and every value whose height grows is held by current values alone (built
  /// since the last rebuild). False, having extended nothing, otherwise.
  [[nodiscard]] bool ExtendInPlace(const std::vector<int>& affected);
  /// Takes back the extensions made since the last KeepExtensions (the evaluation was refused).
  void TakeBackExtensions();
  void KeepExtensions() {
    extended_.clear();
    raised_.clear();
  }
  /// The dialectical argument of a statement at vertex v. A second statement with the
  /// vertex's sentence gets one of its own.
  [[nodiscard]] TDialecticalArgument* Of(TStatement* object, int v) { return values_.For(object, v, TMask(), 0); }
  /// The height of a built tree: 1 for a leaf, else one more than its highest child (initial,
  /// warranting and undercutting dialectical arguments alike). A tree contains no tree higher
  /// than itself, which lets containment tests skip whole subtrees. 0 for a tree not built here.
  [[nodiscard]] static int Height(const TDialecticalArgument* d) { return d->BuildHeight; }

private:
  friend class TVertexValues<TDialecticalArgument, TDialecticalBuilder>;

  // One step as it is about to be built.
  struct TStepPlan {
    TStatement* reason;
    TConnectionKind kind;
    TDialecticalArgument* warrant;
    TDialecticalArgument* initial;
    std::size_t firstUndercutter;  // in the undercutter plans
    std::size_t undercutterCount;
  };
  struct TUndercutterPlan {
    TStatement* exception;
    TDialecticalArgument* warrant;
    TDialecticalArgument* undercutting;
  };
  using TStepPlans = std::vector<TStepPlan>;
  using TUndercutterPlans = std::vector<TUndercutterPlan>;

  [[nodiscard]] bool Extendable(const TDialecticalArgument* d) const {
    return d->BuildHeight > 0 && d->BuildSerial >= extendableFrom_;
  }
  [[nodiscard]] bool RaiseHeightsAbove(int v, int height);
  void TakeBackHeights(std::size_t first);
  TDialecticalArgument* Build(TStatement* object, int v, const TMask& mask, int depth);
  void PlanSteps(int v, const TMask& mask, int depth, TStepPlans& steps, TUndercutterPlans& undercutters);
  [[nodiscard]] static TStatus StatusOf(const TStatement* object, const TStepPlans& steps,
                                        const TUndercutterPlans& undercutters);
  [[nodiscard]] static bool StepMatches(const TStep* s, TStatement* conclusion, const TStepPlan& p,
                                        const TUndercutterPlans& undercutters);
  [[nodiscard]] static std::size_t StepHash(TStatement* conclusion, const TStepPlan& p,
                                            const TUndercutterPlans& undercutters);
  TStep* StepFor(TStatement* conclusion, const TStepPlan& p, const TUndercutterPlans& undercutters);
  [[nodiscard]] static bool Matches(const TDialecticalArgument* d, TStatement* conclusion, TStatus status,
                                    const TStepPlans& steps, const TUndercutterPlans& undercutters);
  [[nodiscard]] static std::size_t ShapeHash(TStatement* conclusion, TStatus status, const TStepPlans& steps,
                                             const TUndercutterPlans& undercutters);
  TDialecticalArgument* Materialise(TStatement* conclusion, TStatus status, const TStepPlans& steps,
                                    const TUndercutterPlans& undercutters);

  const TStageIndex& index_;
  const TDependencyGraph& graph_;
  TWorkBudget& work_;
  TVertexValues<TDialecticalArgument, TDialecticalBuilder> values_{index_, graph_, *this};

  // Kept for the document.
  TDialecticalStore nodes_;
  std::vector<TDialecticalArgument*> lastBySentence_;  // the last built without used connections
  TShapeTable<TDialecticalArgument> byShape_;
  TShapeTable<TStep> stepsByShape_;  // a step serves every value with its connection, warrant and undercutters
  std::size_t extendableFrom_ = 0;  // serials from here on are held by current values only

  // In-place extensions not yet kept: the value and its step count before, and the heights
  // raised with their values before.
  struct TRaised {
    TDialecticalArgument* value;
    int vertex;
    int before;
  };
  std::vector<std::pair<TDialecticalArgument*, std::size_t>> extended_;
  std::vector<TRaised> raised_;
  std::vector<int> newVertices_;
  TStepPlans extensionSteps_;
  TUndercutterPlans extensionUndercutters_;

  // One evaluation.
  std::vector<TStepPlans> stepsAtDepth_;  // plans of the value being built at each nesting depth
  std::vector<TUndercutterPlans> undercuttersAtDepth_;
};

}  // namespace korvane::evaluation
