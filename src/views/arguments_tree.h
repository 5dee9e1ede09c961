// The arguments of a stage as a tree of their conclusions, each node marked by its
// statement's status (green plus justified, grey ring otherwise) with the statement's
// type as a small "!" or "?" in the icon's corner.
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

/// Item data roles of the tree's nodes.
inline constexpr int kImageIndexRole = Qt::UserRole;
inline constexpr int kSelectedImageIndexRole = Qt::UserRole + 1;
inline constexpr int kOverlayIndexRole = Qt::UserRole + 2;

/// The identifier of stage's statement with statement's sentence (the last one that
/// has it), which statement also takes on; "?" when there is none.
[[nodiscard]] QString StatementLabel(const TArgumentationStage& stage, TStatement& statement);

class TArgumentsTreeView : public QTreeWidget {
  Q_OBJECT
public:
  /// Read-only, one column without header, indent 19, not reached with Tab.
  explicit TArgumentsTreeView(QWidget* parent = nullptr);

  /// Rebuilds the tree from stage and expands every node. Coordinated: one top-level
  /// node per argument of the stage. Not coordinated: one top-level node per statement,
  /// in the stage's order, with the reasons of the connections that conclude it
  /// (in connection order) as its children, so each statement's own support reads
  /// on its own.
  void Fill(const TArgumentationStage& stage, int argumentsViewMode);
  /// Adds the node of argument (top level when parent is null) and, below it, the
  /// nodes of all its sub-arguments.
  void AddArgumentNode(const TArgumentationStage& stage, const TArgument* argument, QTreeWidgetItem* parent);
  /// Removes every node; deep trees are taken apart without recursion.
  void RemoveAllNodes();

  [[nodiscard]] const TStatusIconsImageList& Icons() const { return icons_; }

private:
  [[nodiscard]] QIcon NodeIcon(int image, int overlay);

  TStatusIconsImageList icons_;
  std::map<std::pair<int, int>, QIcon> iconCache_;
};

}  // namespace korvane
