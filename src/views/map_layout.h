// Lays the map out: each connected part as a layered drawing (conclusions above their
// reasons, arrows pointing up, cycles broken with their back arrows marked), the parts
// packed into rows in the order of their first statement. The engine remembers the last
// layout: a part that did not change keeps its drawing, and a part that did starts from
// where its nodes were, so a move shifts the map as little as it can.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "views/map_graph.h"

namespace korvane {

/// Spacing of the map, in pixels.
inline constexpr int kMapLayerGap = 36;
inline constexpr int kMapNodeGap = 24;
inline constexpr int kMapPartGap = 40;
inline constexpr int kMapMargin = 8;
/// Rows of parts are filled up to this width, unless one part is wider.
inline constexpr int kMapRowWidth = 1600;

/// One connected part as the last layout placed it.
struct TMapPlacedPart {
  /// Its nodes and edges, each in graph order.
  std::vector<int> Nodes;
  std::vector<int> Edges;
  /// Its drawing relative to its top left corner: the same object while a part is reused.
  std::shared_ptr<const void> Drawing;
  /// Where its top left corner went.
  int X = 0;
  int Y = 0;
};

class TMapLayoutEngine {
public:
  /// graph laid out, starting from the last layout this engine made. recycled, a
  /// placement no longer used, lends its buffers.
  [[nodiscard]] TMapPlacement Layout(const TMapGraph& graph, TMapPlacement recycled = {});
  /// Forgets the last layout: the next starts afresh.
  void Forget();
  /// How many parts the last Layout laid out anew rather than reused.
  [[nodiscard]] int PartsLaidOut() const { return laidOut_; }
  /// The parts of the last layout, in the order they were packed.
  [[nodiscard]] const std::vector<TMapPlacedPart>& Placed() const { return placed_; }

private:
  struct TPart {
    std::vector<int> Left, Top, Layer;
    std::vector<TMapRoute> Routes;
    int Width = 0;
    int Height = 0;
  };
  [[nodiscard]] std::shared_ptr<const TPart> LayOutPart(const TMapGraph& graph, const std::vector<int>& nodes,
                                                        const std::vector<int>& edges);

  struct TKeptPart {
    /// Everything the part's drawing depends on (see Signature).
    std::string Signature;
    std::shared_ptr<const TPart> Part;
    /// The last layout that met it.
    std::uint64_t Generation = 0;
  };
  // By the hash of their signatures.
  std::unordered_map<std::uint64_t, TKeptPart> parts_;
  std::uint64_t generation_ = 0;
  // Each node's x centre in the part it last lay in.
  std::unordered_map<std::string, double> centres_;
  int laidOut_ = 0;
  std::vector<TMapPlacedPart> placed_;
};

/// graph laid out afresh.
[[nodiscard]] TMapPlacement LayOutMap(const TMapGraph& graph);

}  // namespace korvane
