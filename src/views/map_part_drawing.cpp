#include "views/map_part_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "views/diagram_builder.h"
#include "views/status_icons.h"

namespace korvane {

namespace {

using Index = std::size_t;

constexpr int kArrowHead = 6;

QPoint PointOf(const TMapPoint& p, QPoint origin) { return QPoint(p.X, p.Y) - origin; }

std::uint64_t Pointer(const void* p) { return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p)); }

std::uint64_t Pen(const TMapStroke& stroke) {
  return static_cast<std::uint64_t>(stroke.Pen.rgba()) | (static_cast<std::uint64_t>(stroke.PenStyle) << 32) |
         (static_cast<std::uint64_t>(stroke.Back) << 34);
}

}  // namespace

TMapBoxLook MapBoxLook(const TStatement* s, bool structureOnly) {
  if (structureOnly) return {};
  if (s->Status == kJustified) return {JustifiedColour(), true, false};
  if (s->Status == kUnjustified) return {UnjustifiedColour(), false, true};
  return {};
}

TMapStroke ArrowStroke(const TMapStageGraph& g, const TMapConnectionSource& c, bool structureOnly) {
  TMapStroke stroke{c.Connection, nullptr, Qt::black, TPenStyle::Solid, false};
  if (structureOnly || !g.Evaluated) return stroke;
  if (!c.WarrantHolds) {
    stroke.Pen = BlockedColour();
    stroke.PenStyle = TPenStyle::Dotted;
  } else {
    stroke.Pen = c.Counts ? JustifiedColour() : UnjustifiedColour();
  }
  return stroke;
}

TMapStroke ExceptionStroke(const TMapStageGraph& g, const TMapExceptionSource& e, bool structureOnly) {
  TMapStroke stroke{e.Connection, e.Exception, Qt::black, TPenStyle::Solid, false};
  if (structureOnly || !g.Evaluated) return stroke;
  if (!e.WarrantHolds) {
    stroke.Pen = BlockedColour();
    stroke.PenStyle = TPenStyle::Dotted;
  } else {
    stroke.Pen = e.Blocks ? UndercutColour() : UnjustifiedColour();
  }
  return stroke;
}

// Draws into one part's drawing, every coordinate relative to the part's corner.
class TMapPartDrawer::TCanvas {
public:
  TCanvas(const TMapPartDrawer& d, const TMapPartSources& part, TMapPartDrawing& out)
      : d_(d), part_(part), out_(out), layout_(out.Drawing), origin_(part.Placed->X, part.Placed->Y) {}

  void Connection(int k) {
    const TMapConnectionSource& c = d_.g_.Connections[static_cast<Index>(part_.Connections[static_cast<Index>(k)])];
    const TMapStroke& stroke = d_.arrows_[static_cast<Index>(&c - d_.g_.Connections.data())];
    const TMapRoute& in = d_.placement_.Routes[static_cast<Index>(c.EdgeIn)];
    const TMapRoute& out = d_.placement_.Routes[static_cast<Index>(c.EdgeOut)];
    Route(in, stroke.Pen, stroke.PenStyle);
    Route(out, stroke.Pen, stroke.PenStyle);
    const QPoint tip = PointOf(out.Points.back(), origin_);
    const QPoint before = PointOf(out.Points[out.Points.size() - 2], origin_);
    Head(before, tip, stroke.Pen, c.Connection->ConnectionKind == kDefeating);
    if (stroke.Back) {
      // A second head marks an arrow that closes a cycle.
      const double length = std::max(1.0, std::hypot(tip.x() - before.x(), tip.y() - before.y()));
      const QPoint inset(static_cast<int>(std::lround((before.x() - tip.x()) * 5 / length)),
                         static_cast<int>(std::lround((before.y() - tip.y()) * 5 / length)));
      Head(before, tip + inset, stroke.Pen, false);
    }
    if (c.StepIndex < 0) return;
    AddPart({TDiagramPart::TKind::Step, QRect(tip - QPoint(6, 6), tip + QPoint(6, 6))}, k);
    const QPoint middle = PointOf(in.Points.back(), origin_);
    AddPart({TDiagramPart::TKind::Step, QRect(middle - QPoint(5, 5), middle + QPoint(5, 5))}, k);
  }

  void Exception(int k) {
    const auto e = static_cast<Index>(part_.Exceptions[static_cast<Index>(k)]);
    const TMapExceptionSource& source = d_.g_.Exceptions[e];
    const TMapStroke& stroke = d_.exceptionLines_[e];
    for (const int edge : source.Edges)
      Route(d_.placement_.Routes[static_cast<Index>(edge)], stroke.Pen, stroke.PenStyle);
    const TMapRoute& last = d_.placement_.Routes[static_cast<Index>(source.Edges.back())];
    const QPoint tip = PointOf(last.Points.back(), origin_);
    Head(PointOf(last.Points[last.Points.size() - 2], origin_), tip, stroke.Pen, true);
    if (source.Undercutter >= 0)
      AddPart({TDiagramPart::TKind::Undercutter, QRect(tip - QPoint(10, 12), tip + QPoint(10, 2))}, k);
  }

  void Box(int i) {
    const auto v = static_cast<Index>(part_.Placed->Nodes[static_cast<Index>(i)]);
    const TStatement* s = d_.g_.Nodes[v].Statement;
    if (!s) return;
    const TMapNode& node = d_.g_.Graph.Nodes[v];
    const TMapBoxLook look = MapBoxLook(s, d_.structureOnly_);
    const QRect rect(QPoint(d_.placement_.Left[v], d_.placement_.Top[v]) - origin_, QSize(node.Width, node.Height));
    TDiagramPart part{TDiagramPart::TKind::Statement, rect};
    part.Box = static_cast<int>(layout_.Boxes.size());
    AddPart(part, i);
    layout_.Order.push_back({TDiagramItem::TKind::Box, static_cast<int>(layout_.Boxes.size())});
    layout_.Boxes.push_back({rect, look.Colour, TPenStyle::Solid, Qt::white});
    const int th = d_.th_;
    const TMapMeasuredBox& text = *d_.texts_[v];
    const int count = static_cast<int>(text.Lines.size());
    const int slack = node.Height - (th + 3) * count;
    const int left = rect.left() + (d_.structureOnly_ ? 4 : 22);
    for (int k = 0; k < count; ++k) {
      layout_.Order.push_back({TDiagramItem::TKind::Text, static_cast<int>(layout_.Texts.size())});
      layout_.Texts.push_back(
          {QPoint(left, rect.top() + slack / 2 + (th + 3) * k), text.Lines[k], look.Colour, look.Bold, look.Italic});
    }
    if (d_.structureOnly_) return;
    layout_.Order.push_back({TDiagramItem::TKind::Icon, static_cast<int>(layout_.Icons.size())});
    layout_.Icons.push_back({s->StatementType == kAssumption ? kAssumptionIcon : kIssueIcon,
                             QPoint(rect.left() + 3, rect.top() + node.Height / 2 - 8)});
  }

private:
  void AddPart(const TDiagramPart& part, int source) {
    layout_.Parts.push_back(part);
    out_.Sources.push_back(source);
  }

  void Line(QPoint from, QPoint to, const QColor& pen, TPenStyle style) {
    layout_.Order.push_back({TDiagramItem::TKind::Line, static_cast<int>(layout_.Lines.size())});
    layout_.Lines.push_back({from, to, pen, style});
  }

  void Route(const TMapRoute& route, const QColor& pen, TPenStyle style) {
    for (Index k = 0; k + 1 < route.Points.size(); ++k)
      Line(PointOf(route.Points[k], origin_), PointOf(route.Points[k + 1], origin_), pen, style);
  }

  // Two strokes back from tip along the last segment: an arrowhead, or a cross for a
  // defeating step and an exception.
  void Head(QPoint before, QPoint tip, const QColor& pen, bool cross) {
    const double dx = tip.x() - before.x();
    const double dy = tip.y() - before.y();
    const double length = std::max(1.0, std::hypot(dx, dy));
    const double ux = dx / length;
    const double uy = dy / length;
    const auto at = [&](double along, double across) {
      return QPoint(static_cast<int>(std::lround(tip.x() - ux * along - uy * across)),
                    static_cast<int>(std::lround(tip.y() - uy * along + ux * across)));
    };
    if (cross) {
      Line(at(kArrowHead + 4, -4), at(2, 4), pen, TPenStyle::Solid);
      Line(at(kArrowHead + 4, 4), at(2, -4), pen, TPenStyle::Solid);
    } else {
      Line(tip, at(kArrowHead, kArrowHead - 1), pen, TPenStyle::Solid);
      Line(tip, at(kArrowHead, 1 - kArrowHead), pen, TPenStyle::Solid);
    }
  }

  const TMapPartDrawer& d_;
  const TMapPartSources& part_;
  TMapPartDrawing& out_;
  TDiagramLayout& layout_;
  QPoint origin_;
};

TMapPartDrawer::TMapPartDrawer(const TMapStageGraph& g, const TMapPlacement& placement,
                               const std::vector<const TMapMeasuredBox*>& texts, const std::vector<TMapStroke>& arrows,
                               const std::vector<TMapStroke>& exceptionLines, bool structureOnly, int textHeight)
    : g_(g),
      placement_(placement),
      texts_(texts),
      arrows_(arrows),
      exceptionLines_(exceptionLines),
      structureOnly_(structureOnly),
      th_(textHeight) {}

// The statement objects and connections are shared by the stages of a document, so the
// same object with the same face, type and pen draws the same; the layout part already
// fixes sizes and places.
void TMapPartDrawer::Look(const TMapPartSources& part, std::vector<std::uint64_t>& look) const {
  look.clear();
  look.reserve(2 * (part.Placed->Nodes.size() + part.Connections.size() + part.Exceptions.size()));
  for (const int v : part.Placed->Nodes) {
    const TStatement* s = g_.Nodes[static_cast<Index>(v)].Statement;
    look.push_back(Pointer(s));
    if (s)
      look.push_back(static_cast<std::uint64_t>(Code(s->Status)) |
                     (static_cast<std::uint64_t>(Code(s->StatementType)) << 8));
  }
  for (const int c : part.Connections) {
    const TMapConnectionSource& source = g_.Connections[static_cast<Index>(c)];
    look.push_back(Pointer(source.Connection));
    look.push_back(Pen(arrows_[static_cast<Index>(c)]) |
                   (static_cast<std::uint64_t>(source.Connection->ConnectionKind == kDefeating) << 40) |
                   (static_cast<std::uint64_t>(source.StepIndex >= 0) << 41));
  }
  for (const int e : part.Exceptions) {
    const TMapExceptionSource& source = g_.Exceptions[static_cast<Index>(e)];
    look.push_back(Pointer(source.Exception));
    look.push_back(Pen(exceptionLines_[static_cast<Index>(e)]) |
                   (static_cast<std::uint64_t>(source.Undercutter >= 0) << 41));
  }
}

TMapPartDrawing TMapPartDrawer::Draw(const TMapPartSources& part, const std::vector<std::uint64_t>& look) const {
  TMapPartDrawing out;
  out.LaidOut = part.Placed->Drawing;
  out.Look = look;
  TCanvas canvas(*this, part, out);
  // Arrows and lines first, the boxes over their ends.
  for (std::size_t k = 0; k < part.Connections.size(); ++k) canvas.Connection(static_cast<int>(k));
  for (std::size_t k = 0; k < part.Exceptions.size(); ++k) canvas.Exception(static_cast<int>(k));
  for (std::size_t i = 0; i < part.Placed->Nodes.size(); ++i) canvas.Box(static_cast<int>(i));
  // Texts lie inside their boxes.
  QRect& bounds = out.Bounds;
  for (const TDiagramBox& box : out.Drawing.Boxes) bounds |= box.Rect.normalized();
  for (const TDiagramLine& line : out.Drawing.Lines)
    bounds |= line.Bounds().adjusted(-1, -1, 1, 1);
  for (const TDiagramIcon& icon : out.Drawing.Icons)
    bounds |= QRect(icon.Position, QSize(TStatusIconsImageList::kSize, TStatusIconsImageList::kSize));
  return out;
}

void AppendPartDrawing(TDiagramLayout& layout, const TMapPartDrawing& drawing, const TMapPartSources& part,
                       const TMapStageGraph& g, int x, int y) {
  const QPoint by(x, y);
  const TDiagramLayout& d = drawing.Drawing;
  const int boxes = static_cast<int>(layout.Boxes.size());
  const int lines = static_cast<int>(layout.Lines.size());
  const int texts = static_cast<int>(layout.Texts.size());
  const int icons = static_cast<int>(layout.Icons.size());
  const std::array<int, 4> base{boxes, lines, texts, icons};
  static_assert(static_cast<int>(TDiagramItem::TKind::Box) == 0 && static_cast<int>(TDiagramItem::TKind::Icon) == 3);
  const std::size_t order = layout.Order.size();
  layout.Order.insert(layout.Order.end(), d.Order.begin(), d.Order.end());
  for (std::size_t k = order; k < layout.Order.size(); ++k)
    layout.Order[k].Index += base[static_cast<std::size_t>(layout.Order[k].Kind)];
  layout.Boxes.insert(layout.Boxes.end(), d.Boxes.begin(), d.Boxes.end());
  for (std::size_t k = static_cast<std::size_t>(boxes); k < layout.Boxes.size(); ++k)
    layout.Boxes[k].Rect.translate(by);
  layout.Lines.insert(layout.Lines.end(), d.Lines.begin(), d.Lines.end());
  for (std::size_t k = static_cast<std::size_t>(lines); k < layout.Lines.size(); ++k) {
    layout.Lines[k].From += by;
    layout.Lines[k].To += by;
  }
  layout.Texts.insert(layout.Texts.end(), d.Texts.begin(), d.Texts.end());
  for (std::size_t k = static_cast<std::size_t>(texts); k < layout.Texts.size(); ++k) layout.Texts[k].Position += by;
  layout.Icons.insert(layout.Icons.end(), d.Icons.begin(), d.Icons.end());
  for (std::size_t k = static_cast<std::size_t>(icons); k < layout.Icons.size(); ++k) layout.Icons[k].Position += by;
  const std::size_t first = layout.Parts.size();
  layout.Parts.insert(layout.Parts.end(), d.Parts.begin(), d.Parts.end());
  for (std::size_t k = first; k < layout.Parts.size(); ++k) {
    layout.Parts[k].Area.translate(by);
    if (layout.Parts[k].Kind == TDiagramPart::TKind::Statement) layout.Parts[k].Box += boxes;
  }
  PointPartsIntoStage(layout.Parts.data() + first, drawing, part, g);
}

void PointPartsIntoStage(TDiagramPart* parts, const TMapPartDrawing& drawing, const TMapPartSources& part,
                         const TMapStageGraph& g) {
  for (std::size_t k = 0; k < drawing.Drawing.Parts.size(); ++k) {
    TDiagramPart& p = parts[k];
    const auto source = static_cast<std::size_t>(drawing.Sources[k]);
    if (p.Kind == TDiagramPart::TKind::Statement) {
      p.Statement = g.Nodes[static_cast<std::size_t>(part.Placed->Nodes[source])].Statement;
      p.Status = p.Statement->Status;
    } else if (p.Kind == TDiagramPart::TKind::Step) {
      const TMapConnectionSource& c = g.Connections[static_cast<std::size_t>(part.Connections[source])];
      p.Argument = c.Argument;
      p.StepIndex = c.StepIndex;
      p.Step = c.Step;
    } else {
      const TMapExceptionSource& e = g.Exceptions[static_cast<std::size_t>(part.Exceptions[source])];
      p.Argument = e.Argument;
      p.StepIndex = e.StepIndex;
      p.Step = e.Step;
      p.Undercutter = e.Undercutter;
    }
  }
}

}  // namespace korvane
