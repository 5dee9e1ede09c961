// The map of a stage as a diagram layout: one box per statement, one arrow per
// connection with its stated warrant as a small box on it, one line per exception to
// the middle of its connection's arrow. The same layout paints the map window, its
// exported files and korvane-cli's picture.
#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>
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

/// A box as measured: its wrapped lines and its size.
struct TMapMeasuredBox {
  QStringList Lines;
  int Width = 0;
  int Height = 0;
};

/// The boxes a painter measured, by what their measure depends on: the sentence, its face
/// (status and type decide it), whether it sits on an arrow, and the font. A move changes
/// few boxes, so most of a map is measured once.
class TMapMeasuredBoxes {
public:
  /// Starts over when the font or the structure-only choice changed since the last map.
  void Use(const QString& fontKey, bool structureOnly);
  /// The box remembered for sentence in face style, or null.
  [[nodiscard]] const TMapMeasuredBox* Find(const std::string& sentence, std::size_t style, bool attached) const;
  const TMapMeasuredBox& Remember(const std::string& sentence, std::size_t style, bool attached, TMapMeasuredBox box);
  [[nodiscard]] std::size_t Count() const { return boxes_.size(); }
  void Clear() { boxes_.clear(); }

private:
  [[nodiscard]] static std::string Key(const std::string& sentence, std::size_t style, bool attached);

  QString fontKey_;
  bool structureOnly_ = false;
  std::unordered_map<std::string, TMapMeasuredBox> boxes_;
};

/// Makes maps of successive stages, each laid out from the one before.
class TMapPainter {
public:
  [[nodiscard]] TMapPicture Paint(const TArgumentationStage& stage, const QFont& font, bool structureOnly);
  [[nodiscard]] const TMapLayoutEngine& Engine() const { return engine_; }
  [[nodiscard]] const TMapMeasuredBoxes& Measured() const { return measured_; }
  void Forget() { engine_.Forget(); }

private:
  TMapLayoutEngine engine_;
  TMapMeasuredBoxes measured_;
};

/// The map of stage laid out afresh.
[[nodiscard]] TMapPicture PaintMap(const TArgumentationStage& stage, const QFont& font, bool structureOnly);

}  // namespace korvane
