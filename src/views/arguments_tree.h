// The arguments of a stage as a tree of their conclusions, each node marked by its
// statement's status (green plus justified, grey ring otherwise) with the statement's
// type as a small "!" or "?" over the icon's corner.
#pragma once

#include <QIcon>
#include <QString>
#include <QTreeWidget>
#include <map>
#include <utility>

#include "model/argumentation_stage.h"
#include "views/status_icons.h"

namespace korvane {

/// `ArgumentsViewMode` values.
inline constexpr int kArgumentsCoordinated = 0;
inline constexpr int kArgumentsNotCoordinated = 1;

/// Arguments may share their sub-arguments, so a small stage can stand for a tree of
/// millions of nodes; the tree stops after this many and says so in a last node.
inline constexpr int kMaximumTreeNodes = 100000;

/// Item data roles of the tree's nodes (column 0).
inline constexpr int kImageIndexRole = Qt::UserRole;
inline constexpr int kSelectedImageIndexRole = Qt::UserRole + 1;
inline constexpr int kOverlayIndexRole = Qt::UserRole + 2;

/// The identifier of stage's statement with statement's sentence (the last one that
/// has it), which statement also takes on; "?" when there is none.
[[nodiscard]] QString StatementLabel(const TArgumentationStage& stage, TStatement& statement);

/// Sets tree up as the arguments view: one column without header, read-only,
/// indent 19, not reached with Tab.
void SetUpArgumentsTree(QTreeWidget& tree);

/// Fills an arguments tree with nodes whose icons come from one image list.
class TArgumentsTreeFiller {
public:
  TArgumentsTreeFiller(QTreeWidget& tree, const TStatusIconsImageList& icons) : tree_(tree), icons_(icons) {}

  /// Rebuilds the tree from stage and expands every node. Coordinated: one top-level
  /// node per argument of the stage. Not coordinated: one top-level node per
  /// statement, in the stage's order, with the reasons of the connections that
  /// conclude it (in connection order) as its children, so the support of each
  /// statement reads on its own.
  void ShowArgumentsTree(const TArgumentationStage& stage, int argumentsViewMode);
  /// Adds the node of argument (top level when parent is null) and, below it, the
  /// nodes of all its sub-arguments.
  void AddArgumentNode(const TArgumentationStage& stage, const TArgument* argument, QTreeWidgetItem* parent);
  /// Removes every node; deep trees are taken apart without recursion.
  void RemoveAllNodes();
  /// True when the last filling stopped at kMaximumTreeNodes.
  [[nodiscard]] bool Truncated() const { return truncated_; }

private:
  [[nodiscard]] QIcon NodeIcon(int image, int overlay);

  QTreeWidget& tree_;
  const TStatusIconsImageList& icons_;
  std::map<std::pair<int, int>, QIcon> iconCache_;
  int nodes_ = 0;
  bool truncated_ = false;
};

/// Rebuilds tree from stage in the given mode (see TArgumentsTreeFiller).
void FillArgumentsTree(QTreeWidget& tree, const TArgumentationStage& stage, int argumentsViewMode,
                       const TStatusIconsImageList& icons);

}  // namespace korvane
