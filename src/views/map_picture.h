// The map of a stage as a diagram layout: one box per statement, one arrow per
// connection with its stated warrant as a small box on it, one line per exception to
// the middle of its connection's arrow. The same layout paints the map window, its
// exported files and korvane-cli's picture.
#pragma once

#include <QFont>
#include <QRect>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/argumentation_stage.h"
#include "views/diagram_layout.h"
#include "views/map_layout.h"

namespace korvane {

/// How one connection's arrow or one exception's line is drawn.
struct TMapStroke {
  const TReasonConclusion* Connection = nullptr;
  /// The exception, for an exception's line; null for an arrow.
  const TStatement* Exception = nullptr;
  QColor Pen;
  TPenStyle PenStyle = TPenStyle::Solid;
  /// The arrow closes a cycle and points down.
  bool Back = false;
};

struct TMapPicture {
  TDiagramLayout Layout;
  /// Every statement's box, by sentence: a stated warrant's is the small box on its arrow.
  std::unordered_map<std::string, QRect> StatementBoxes;
  /// One per connection, in stage order, then one per exception.
  std::vector<TMapStroke> Arrows;
  std::vector<TMapStroke> ExceptionLines;
  /// The graph laid out and where its nodes went.
  TMapGraph Graph;
  TMapPlacement Placement;
};

/// Makes maps of successive stages, each laid out from the one before.
class TMapPainter {
public:
  [[nodiscard]] TMapPicture Paint(const TArgumentationStage& stage, const QFont& font, bool structureOnly);
  [[nodiscard]] const TMapLayoutEngine& Engine() const { return engine_; }
  void Forget() { engine_.Forget(); }

private:
  TMapLayoutEngine engine_;
};

/// The map of stage laid out afresh.
[[nodiscard]] TMapPicture PaintMap(const TArgumentationStage& stage, const QFont& font, bool structureOnly);

}  // namespace korvane
