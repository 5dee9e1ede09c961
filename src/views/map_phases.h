// The phases of laying out one connected part of the map, each reading what the one
// before left: cycles broken and layers assigned (map_layering.cpp, map_ranking.cpp), the order inside
// each layer (map_ordering.cpp), the x of every node (map_placing.cpp).
#pragma once

#include <cstddef>
#include <vector>

#include "views/map_graph.h"

namespace korvane {

/// A connected part of the map as a proper layered graph: every edge joins neighbouring
/// layers, longer ones pass through dummy nodes. Layer 0 is the top.
struct TLayeredGraph {
  /// Nodes 0..RealCount-1 are the part's own, in its order; the rest are dummies.
  int RealCount = 0;
  std::vector<int> Layer;
  std::vector<int> Width;
  /// Neighbours one layer up and one layer down.
  std::vector<std::vector<int>> Up;
  std::vector<std::vector<int>> Down;
  /// The nodes of each layer, left to right, and each node's index there.
  std::vector<std::vector<int>> Layers;
  std::vector<int> Position;
  /// Centre x of every node.
  std::vector<double> X;
  /// Per edge of the part: the nodes it passes, lowest first; Back when it was turned
  /// round to break a cycle.
  struct TChain {
    std::vector<int> Nodes;
    bool Back = false;
  };
  std::vector<TChain> Chains;

  [[nodiscard]] std::size_t Size() const { return Layer.size(); }
  void SetPositions();
};

/// Turns round the edges that close cycles (depth-first, in node order), layers the
/// nodes so that every edge points up and the edges span as few layers as they can
/// (RankLayers), and splits edges that span several layers. edges index nodes
/// 0..widths.size()-1.
[[nodiscard]] TLayeredGraph LayerGraph(const std::vector<int>& widths, const std::vector<TMapEdge>& edges);

/// Orders the layers to cross few edges. seeds holds, per real node, an earlier x or
/// NaN for a new node; nodes with seeds start where they were.
void OrderLayers(TLayeredGraph& graph, const std::vector<double>& seeds);

/// The crossings between neighbouring layers in the current order.
[[nodiscard]] long long CountLayerCrossings(const TLayeredGraph& graph);

/// Gives every node an x without overlaps in its layer (gap pixels between real nodes),
/// each as close to its neighbours, or to its seed when it has one, as the order allows.
void PlaceNodes(TLayeredGraph& graph, const std::vector<double>& seeds, int gap);

}  // namespace korvane
