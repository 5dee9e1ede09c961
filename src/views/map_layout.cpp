#include "views/map_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

#include "views/map_phases.h"

namespace korvane {

namespace {

using Index = std::size_t;

// Names a part by everything its drawing depends on. Written into one buffer reused part
// after part: a move keeps most parts, and a string of its own per part cost more than
// laying out the changed one.
void Signature(const TMapGraph& graph, const std::vector<int>& nodes, const std::vector<int>& edges,
               const std::vector<int>& local, std::string& s) {
  const auto number = [](std::string& s, int v) { s.append(reinterpret_cast<const char*>(&v), sizeof v); };
  s.clear();
  for (const int v : nodes) {
    const TMapNode& node = graph.Nodes[static_cast<Index>(v)];
    number(s, static_cast<int>(node.Key.size()));
    s += node.Key;
    number(s, node.Width);
    number(s, node.Height);
  }
  for (const int e : edges) {
    const TMapEdge& edge = graph.Edges[static_cast<Index>(e)];
    number(s, local[static_cast<Index>(edge.From)]);
    number(s, local[static_cast<Index>(edge.To)]);
  }
}

}  // namespace

void TMapLayoutEngine::Forget() {
  parts_.clear();
  centres_.clear();
  placed_.clear();
}

std::shared_ptr<const TMapLayoutEngine::TPart> TMapLayoutEngine::LayOutPart(const TMapGraph& graph,
                                                                            const std::vector<int>& nodes,
                                                                            const std::vector<int>& edges) {
  std::vector<int> local(graph.Nodes.size(), -1);
  for (Index i = 0; i < nodes.size(); ++i) local[static_cast<Index>(nodes[i])] = static_cast<int>(i);
  std::vector<int> widths;
  std::vector<double> seeds;
  for (const int v : nodes) {
    const TMapNode& node = graph.Nodes[static_cast<Index>(v)];
    widths.push_back(node.Width);
    const auto found = centres_.find(node.Key);
    seeds.push_back(found == centres_.end() ? NAN : found->second);
  }
  std::vector<TMapEdge> localEdges;
  for (const int e : edges) {
    const TMapEdge& edge = graph.Edges[static_cast<Index>(e)];
    localEdges.push_back({local[static_cast<Index>(edge.From)], local[static_cast<Index>(edge.To)]});
  }
  TLayeredGraph g = LayerGraph(widths, localEdges);
  OrderLayers(g, seeds);
  PlaceNodes(g, seeds, kMapNodeGap);

  // Rows: as tall as their tallest node, nodes centred in them.
  std::vector<int> rowHeight(g.Layers.size(), 0);
  for (Index i = 0; i < nodes.size(); ++i)
    rowHeight[static_cast<Index>(g.Layer[i])] =
        std::max(rowHeight[static_cast<Index>(g.Layer[i])], graph.Nodes[static_cast<Index>(nodes[i])].Height);
  std::vector<int> rowTop(g.Layers.size(), 0);
  for (Index l = 1; l < rowTop.size(); ++l) rowTop[l] = rowTop[l - 1] + rowHeight[l - 1] + kMapLayerGap;
  double minimum = 0;
  bool first = true;
  for (Index v = 0; v < g.Size(); ++v) {
    const double left = g.X[v] - g.Width[v] / 2.0;
    minimum = first ? left : std::min(minimum, left);
    first = false;
  }
  auto part = std::make_shared<TPart>();
  const auto centreX = [&](Index v) { return static_cast<int>(std::lround(g.X[v] - minimum)); };
  for (Index i = 0; i < nodes.size(); ++i) {
    const TMapNode& node = graph.Nodes[static_cast<Index>(nodes[i])];
    const auto l = static_cast<Index>(g.Layer[i]);
    part->Left.push_back(centreX(i) - node.Width / 2);
    part->Top.push_back(rowTop[l] + (rowHeight[l] - node.Height) / 2);
    part->Layer.push_back(g.Layer[i]);
    part->Width = std::max(part->Width, part->Left.back() + node.Width);
    part->Height = std::max(part->Height, rowTop[l] + rowHeight[l]);
    centres_[node.Key] = g.X[i] - minimum;
  }
  for (const auto& chain : g.Chains) {
    TMapRoute route;
    route.Back = chain.Back;
    const auto lower = static_cast<Index>(chain.Nodes.front());
    const auto upper = static_cast<Index>(chain.Nodes.back());
    route.Points.push_back({centreX(lower), part->Top[lower]});
    for (Index k = 1; k + 1 < chain.Nodes.size(); ++k) {
      const auto d = static_cast<Index>(chain.Nodes[k]);
      const auto l = static_cast<Index>(g.Layer[d]);
      route.Points.push_back({centreX(d), rowTop[l] + rowHeight[l] / 2});
      part->Width = std::max(part->Width, route.Points.back().X + 1);
    }
    route.Points.push_back({centreX(upper), part->Top[upper] + graph.Nodes[static_cast<Index>(nodes[upper])].Height});
    if (route.Back) std::reverse(route.Points.begin(), route.Points.end());
    part->Routes.push_back(std::move(route));
  }
  ++laidOut_;
  return part;
}

TMapPlacement TMapLayoutEngine::Layout(const TMapGraph& graph, TMapPlacement recycled) {
  laidOut_ = 0;
  const std::vector<std::vector<int>> components = MapComponents(graph);
  std::vector<int> componentOf(graph.Nodes.size(), 0);
  for (Index c = 0; c < components.size(); ++c)
    for (const int v : components[c]) componentOf[static_cast<Index>(v)] = static_cast<int>(c);
  std::vector<std::vector<int>> edgesOf(components.size());
  for (Index e = 0; e < graph.Edges.size(); ++e)
    edgesOf[static_cast<Index>(componentOf[static_cast<Index>(graph.Edges[e].From)])].push_back(static_cast<int>(e));
  std::vector<int> local(graph.Nodes.size(), 0);
  for (const auto& nodes : components)
    for (Index i = 0; i < nodes.size(); ++i) local[static_cast<Index>(nodes[i])] = static_cast<int>(i);

  // Parts not met again this layout are forgotten after it.
  ++generation_;
  std::vector<std::shared_ptr<const TPart>> parts;
  parts.reserve(components.size());
  std::string signature;
  for (Index c = 0; c < components.size(); ++c) {
    Signature(graph, components[c], edgesOf[c], local, signature);
    const std::uint64_t hash = std::hash<std::string>()(signature);
    const auto found = parts_.find(hash);
    if (found != parts_.end() && found->second.Signature == signature) {
      found->second.Generation = generation_;
      parts.push_back(found->second.Part);
      continue;
    }
    parts.push_back(LayOutPart(graph, components[c], edgesOf[c]));
    // Of two parts with one hash in a layout, the first is kept.
    if (found == parts_.end())
      parts_.emplace(hash, TKeptPart{signature, parts.back(), generation_});
    else if (found->second.Generation != generation_)
      found->second = {signature, parts.back(), generation_};
  }
  std::erase_if(parts_, [this](const auto& kept) { return kept.second.Generation != generation_; });
  placed_.resize(components.size());

  // Rows of parts, each part at the right of the one before while the row has room.
  int rowWidth = kMapRowWidth;
  for (const auto& part : parts) rowWidth = std::max(rowWidth, part->Width);
  TMapPlacement placement = std::move(recycled);
  placement.Width = 0;
  placement.Height = 0;
  placement.Left.assign(graph.Nodes.size(), 0);
  placement.Top.assign(graph.Nodes.size(), 0);
  placement.Layer.assign(graph.Nodes.size(), 0);
  placement.Routes.resize(graph.Edges.size());
  int x = kMapMargin;
  int y = kMapMargin;
  int rowHeight = 0;
  for (Index c = 0; c < components.size(); ++c) {
    const TPart& part = *parts[c];
    if (x > kMapMargin && x + part.Width > kMapMargin + rowWidth) {
      x = kMapMargin;
      y += rowHeight + kMapPartGap;
      rowHeight = 0;
    }
    const auto& nodes = components[c];
    for (Index i = 0; i < nodes.size(); ++i) {
      const auto v = static_cast<Index>(nodes[i]);
      placement.Left[v] = part.Left[i] + x;
      placement.Top[v] = part.Top[i] + y;
      placement.Layer[v] = part.Layer[i];
    }
    for (Index k = 0; k < edgesOf[c].size(); ++k) {
      // Assigned into the recycled route, whose points mostly have room already.
      TMapRoute& route = placement.Routes[static_cast<Index>(edgesOf[c][k])];
      route.Points.assign(part.Routes[k].Points.begin(), part.Routes[k].Points.end());
      route.Back = part.Routes[k].Back;
      for (TMapPoint& p : route.Points) {
        p.X += x;
        p.Y += y;
      }
    }
    placement.Width = std::max(placement.Width, x + part.Width + kMapMargin);
    placement.Height = std::max(placement.Height, y + part.Height + kMapMargin);
    rowHeight = std::max(rowHeight, part.Height);
    TMapPlacedPart& placed = placed_[c];
    placed.Nodes.assign(components[c].begin(), components[c].end());
    placed.Edges.assign(edgesOf[c].begin(), edgesOf[c].end());
    placed.Drawing = parts[c];
    placed.X = x;
    placed.Y = y;
    x += part.Width + kMapPartGap;
  }
  return placement;
}

TMapPlacement LayOutMap(const TMapGraph& graph) {
  TMapLayoutEngine engine;
  return engine.Layout(graph);
}

}  // namespace korvane
