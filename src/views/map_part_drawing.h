// Draws one connected part of the map relative to its top left corner. A part the layout
// kept, whose boxes and pens did not change either, keeps its drawing: a move then only
// copies it to where the part now lies instead of drawing the whole map again.
#pragma once

#include <QColor>
#include <QRect>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "views/diagram_layout.h"
#include "views/map_layout.h"
#include "views/map_stage_graph.h"

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

/// A box as measured: its wrapped lines and its size.
struct TMapMeasuredBox {
  QStringList Lines;
  int Width = 0;
  int Height = 0;
};

/// What of the stage graph lies in one placed part, each list in graph order.
struct TMapPartSources {
  const TMapPlacedPart* Placed = nullptr;
  /// Indices into the stage graph's Connections and Exceptions.
  std::vector<int> Connections;
  std::vector<int> Exceptions;
};

/// One part drawn at the origin.
struct TMapPartDrawing {
  /// The layout part it was drawn from, kept so that its address names it.
  std::shared_ptr<const void> LaidOut;
  /// Everything else the drawing depends on: statements, faces, pens (see Look).
  std::vector<std::uint64_t> Look;
  TDiagramLayout Drawing;
  /// Covers everything drawn.
  QRect Bounds;
  /// The last map that used it, and a number no other drawing of its painter had.
  std::uint64_t Generation = 0;
  std::uint64_t Serial = 0;
  /// Per entry of Drawing.Parts, the index of its node, connection or exception in the
  /// part's sources, to point it into the stage the drawing is shown for.
  std::vector<int> Sources;
};

/// The face of a statement's box: its outline's and text's colour, bold, italic.
struct TMapBoxLook {
  QColor Colour = Qt::black;
  bool Bold = false;
  bool Italic = false;
};
[[nodiscard]] TMapBoxLook MapBoxLook(const TStatement* s, bool structureOnly);

/// The faces and pens a stage graph's parts are drawn with.
class TMapPartDrawer {
public:
  /// texts holds each node's measured box (null for a junction point); strokes are the
  /// picture's Arrows and ExceptionLines, indexed like the graph's lists.
  TMapPartDrawer(const TMapStageGraph& g, const TMapPlacement& placement,
                 const std::vector<const TMapMeasuredBox*>& texts, const std::vector<TMapStroke>& arrows,
                 const std::vector<TMapStroke>& exceptionLines, bool structureOnly, int textHeight);

  /// What a drawing of the part depends on besides its layout part, into look.
  void Look(const TMapPartSources& part, std::vector<std::uint64_t>& look) const;
  [[nodiscard]] TMapPartDrawing Draw(const TMapPartSources& part, const std::vector<std::uint64_t>& look) const;

private:
  class TCanvas;
  const TMapStageGraph& g_;
  const TMapPlacement& placement_;
  const std::vector<const TMapMeasuredBox*>& texts_;
  const std::vector<TMapStroke>& arrows_;
  const std::vector<TMapStroke>& exceptionLines_;
  bool structureOnly_;
  int th_;
};

/// Appends drawing, moved by (x, y), to layout, its parts pointing into g's stage.
void AppendPartDrawing(TDiagramLayout& layout, const TMapPartDrawing& drawing, const TMapPartSources& part,
                       const TMapStageGraph& g, int x, int y);
/// Points parts, the copy of drawing's parts in a layout, into g's stage.
void PointPartsIntoStage(TDiagramPart* parts, const TMapPartDrawing& drawing, const TMapPartSources& part,
                         const TMapStageGraph& g);

/// The pen of a connection's arrow (Back left unset), as the evaluation colours it.
[[nodiscard]] TMapStroke ArrowStroke(const TMapStageGraph& g, const TMapConnectionSource& c, bool structureOnly);
[[nodiscard]] TMapStroke ExceptionStroke(const TMapStageGraph& g, const TMapExceptionSource& e, bool structureOnly);

}  // namespace korvane
