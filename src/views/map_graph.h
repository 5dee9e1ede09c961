// The map as a plain graph for the layout: nodes with a size and a name that stays the
// same from stage to stage, edges from a reason (below) to what it argues for (above).
// No Qt here, so the layout can be tested and measured on its own.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace korvane {

/// One thing the map places: a statement's box, a step's junction (a point, or the small
/// box of its stated warrant) or an undercutter's junction.
struct TMapNode {
  /// Names the node across stages, so a layout can keep it where it was.
  std::string Key;
  int Width = 0;
  int Height = 0;
};

/// From lies below To: a reason below its step, a step below its conclusion, an
/// exception below the step it undercuts.
struct TMapEdge {
  int From = 0;
  int To = 0;
};

struct TMapGraph {
  std::vector<TMapNode> Nodes;
  std::vector<TMapEdge> Edges;
};

/// A point of the map, in pixels.
struct TMapPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TMapPoint&, const TMapPoint&) = default;
};

/// Where the layout put one edge: from the middle of From's border to To's, through the
/// points where it crosses layers between them. Back is set when the edge closes a cycle
/// and so points down instead of up.
struct TMapRoute {
  std::vector<TMapPoint> Points;
  bool Back = false;
};

/// A laid-out map: node i's box has its top left corner at Left[i], Top[i].
struct TMapPlacement {
  std::vector<int> Left;
  std::vector<int> Top;
  /// The layer of each node inside its component, 0 at the top.
  std::vector<int> Layer;
  std::vector<TMapRoute> Routes;
  int Width = 0;
  int Height = 0;
};

/// The nodes of graph grouped into connected components, each in node order, the
/// components ordered by their first node.
[[nodiscard]] std::vector<std::vector<int>> MapComponents(const TMapGraph& graph);

}  // namespace korvane
