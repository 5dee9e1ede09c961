// What the map shows of a stage, before anything is measured: a node per statement box,
// per step (its stated warrant's box, or a point where the arrow's two halves meet) and
// per stated undercutter warrant, with the evaluation that colours each arrow and line.
#pragma once

#include <vector>

#include "model/argumentation_stage.h"
#include "views/map_graph.h"
#include "views/map_statement_index.h"

namespace korvane {

struct TMapNodeSource {
  /// The statement boxed, or null for a step without a stated warrant.
  const TStatement* Statement = nullptr;
  /// A stated warrant's small box on an arrow or a line.
  bool Attached = false;
  /// The statement's index in the stage, or -1.
  int StatementIndex = -1;
};

/// One connection: reason -> Junction -> conclusion.
struct TMapConnectionSource {
  const TReasonConclusion* Connection = nullptr;
  int Junction = -1;
  int EdgeIn = -1;
  int EdgeOut = -1;
  /// The step in the conclusion's dialectical argument, when the stage is evaluated.
  const TDialecticalArgument* Argument = nullptr;
  int StepIndex = -1;
  const TStep* Step = nullptr;
  /// How it counts: the step's warrant holds, and it counts in the conclusion's argument.
  bool WarrantHolds = true;
  bool Counts = false;
};

/// One exception: exception -> (its stated warrant's box ->) the connection's junction.
struct TMapExceptionSource {
  const TReasonConclusion* Connection = nullptr;
  const TStatement* Exception = nullptr;
  std::vector<int> Edges;
  int StepIndex = -1;
  const TDialecticalArgument* Argument = nullptr;
  const TStep* Step = nullptr;
  int Undercutter = -1;
  bool WarrantHolds = true;
  bool Blocks = false;
};

struct TMapStageGraph {
  TMapGraph Graph;
  std::vector<TMapNodeSource> Nodes;
  std::vector<TMapConnectionSource> Connections;
  std::vector<TMapExceptionSource> Exceptions;
  /// The node of each statement of the stage, in stage order.
  std::vector<int> StatementNodes;
  /// Whether the stage's dialectical arguments are there to colour the map.
  bool Evaluated = false;
};

/// recycled, a graph no longer used, lends its buffers; index, when given, is kept from
/// the stage before.
[[nodiscard]] TMapStageGraph MapStageGraph(const TArgumentationStage& stage, TMapStageGraph recycled = {},
                                           TMapStatementIndex* index = nullptr);

}  // namespace korvane
