#include "views/map_picture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "views/diagram_builder.h"
#include "views/map_stage_graph.h"
#include "views/sentence_text.h"
#include "views/status_icons.h"
#include "views/wrapped_text.h"

namespace korvane {

namespace {

using Index = std::size_t;

// Boxes wrap at this many average characters; a warrant's box on an arrow is smaller.
constexpr int kWrapCharacters = 30;
constexpr int kAttachedWrapCharacters = 22;
// A step without a stated warrant is a point, as wide as this for spacing.
constexpr int kJunctionWidth = 6;
constexpr int kArrowHead = 6;

struct TBoxLook {
  QColor Colour = Qt::black;
  bool Bold = false;
  bool Italic = false;
};

TBoxLook LookOf(const TStatement* s, bool structureOnly) {
  if (structureOnly) return {};
  if (s->Status == kJustified) return {JustifiedColour(), true, false};
  if (s->Status == kUnjustified) return {UnjustifiedColour(), false, true};
  return {};
}

class TMapDrawer {
public:
  TMapDrawer(const QFont& font, bool structureOnly, TMapMeasuredBoxes& measured)
      : structureOnly_(structureOnly), measured_(measured) {
    picture_.Layout.Font = PixelSized(font);
    for (const QFont& f : TextFonts(picture_.Layout.Font)) {
      metrics_.emplace_back(f);
      keys_.push_back(f.key());
    }
    th_ = QFontMetrics(picture_.Layout.Font).height();
    measured_.Use(picture_.Layout.Font.key(), structureOnly);
    picture_.Layout.LineHeight = th_;
    picture_.Layout.RowHeight = th_ + kRowSpacing;
  }

  // Sizes every node from its text, measuring only the boxes not measured before.
  void Measure(TMapStageGraph& g) {
    texts_.assign(g.Nodes.size(), nullptr);
    for (Index v = 0; v < g.Nodes.size(); ++v) {
      const TStatement* s = g.Nodes[v].Statement;
      TMapNode& node = g.Graph.Nodes[v];
      if (!s) {
        node.Width = kJunctionWidth;
        node.Height = 0;
        continue;
      }
      const TBoxLook look = LookOf(s, structureOnly_);
      const Index style = TextStyle(look.Bold, look.Italic);
      const bool attached = g.Nodes[v].Attached;
      const TMapMeasuredBox* box = measured_.Find(s->Sentence, style, attached);
      if (!box) box = &measured_.Remember(s->Sentence, style, attached, MeasureBox(s, style, attached));
      texts_[v] = box;
      node.Width = box->Width;
      node.Height = box->Height;
    }
  }

  TMapPicture Draw(TMapStageGraph& g, TMapPlacement placement) {
    TDiagramLayout& layout = picture_.Layout;
    layout.Width = placement.Width;
    layout.Height = placement.Height;
    // Large maps hold tens of thousands of items: room for them once, not by doubling.
    const std::size_t nodes = g.Nodes.size();
    std::size_t segments = 0;
    for (const TMapRoute& route : placement.Routes) segments += route.Points.size();
    layout.Boxes.reserve(nodes);
    layout.Icons.reserve(nodes);
    layout.Texts.reserve(nodes * 2);
    layout.Lines.reserve(segments + 4 * (g.Connections.size() + g.Exceptions.size()));
    layout.Parts.reserve(nodes + 2 * g.Connections.size() + g.Exceptions.size());
    layout.Order.reserve(layout.Lines.capacity() + 4 * nodes);
    picture_.StatementBoxes.reserve(nodes);
    picture_.Arrows.reserve(g.Connections.size());
    picture_.ExceptionLines.reserve(g.Exceptions.size());
    for (const TMapConnectionSource& c : g.Connections) DrawConnection(g, placement, c);
    for (const TMapExceptionSource& e : g.Exceptions) DrawException(g, placement, e);
    for (Index v = 0; v < g.Nodes.size(); ++v)
      if (g.Nodes[v].Statement) DrawBox(g, placement, v);
    picture_.Graph = std::move(g.Graph);
    picture_.Placement = std::move(placement);
    return std::move(picture_);
  }

private:
  TMapMeasuredBox MeasureBox(const TStatement* s, Index style, bool attached) const {
    const int characters = attached ? kAttachedWrapCharacters : kWrapCharacters;
    TWrapped text =
        WrappedText(BoxText(s), characters * metrics_[style].averageCharWidth(), metrics_[style], keys_[style]);
    const int lines = static_cast<int>(text.Lines.size());
    return {std::move(text.Lines), text.Width + (structureOnly_ ? 10 : 28), (th_ + 3) * lines + 8};
  }

  void Line(QPoint from, QPoint to, const QColor& pen, TPenStyle style) {
    TDiagramLayout& layout = picture_.Layout;
    layout.Order.push_back({TDiagramItem::TKind::Line, static_cast<int>(layout.Lines.size())});
    layout.Lines.push_back({from, to, pen, style});
  }

  void Route(const TMapRoute& route, const QColor& pen, TPenStyle style) {
    for (Index k = 0; k + 1 < route.Points.size(); ++k)
      Line(QPoint(route.Points[k].X, route.Points[k].Y), QPoint(route.Points[k + 1].X, route.Points[k + 1].Y), pen,
           style);
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

  static QPoint PointOf(const TMapPoint& p) { return {p.X, p.Y}; }

  void AddPart(TDiagramPart part) { picture_.Layout.Parts.push_back(part); }

  void DrawConnection(const TMapStageGraph& g, const TMapPlacement& placement, const TMapConnectionSource& c) {
    QColor pen = Qt::black;
    TPenStyle style = TPenStyle::Solid;
    if (!structureOnly_ && g.Evaluated) {
      if (!c.WarrantHolds) {
        pen = BlockedColour();
        style = TPenStyle::Dotted;
      } else {
        pen = c.Counts ? JustifiedColour() : UnjustifiedColour();
      }
    }
    const TMapRoute& in = placement.Routes[static_cast<Index>(c.EdgeIn)];
    const TMapRoute& out = placement.Routes[static_cast<Index>(c.EdgeOut)];
    Route(in, pen, style);
    Route(out, pen, style);
    const bool back = in.Back || out.Back;
    const QPoint tip = PointOf(out.Points.back());
    const QPoint before = PointOf(out.Points[out.Points.size() - 2]);
    Head(before, tip, pen, c.Connection->ConnectionKind == kDefeating);
    if (back) {
      // A second head marks an arrow that closes a cycle.
      const double length = std::max(1.0, std::hypot(tip.x() - before.x(), tip.y() - before.y()));
      const QPoint inset(static_cast<int>(std::lround((before.x() - tip.x()) * 5 / length)),
                         static_cast<int>(std::lround((before.y() - tip.y()) * 5 / length)));
      Head(before, tip + inset, pen, false);
    }
    picture_.Arrows.push_back({c.Connection, nullptr, pen, style, back});
    if (c.StepIndex < 0) return;
    TDiagramPart part{TDiagramPart::TKind::Step, QRect(tip - QPoint(6, 6), tip + QPoint(6, 6))};
    part.Step = c.Argument->Steps[static_cast<Index>(c.StepIndex)];
    part.Argument = c.Argument;
    part.StepIndex = c.StepIndex;
    AddPart(part);
    const QPoint middle = PointOf(in.Points.back());
    part.Area = QRect(middle - QPoint(5, 5), middle + QPoint(5, 5));
    AddPart(part);
  }

  void DrawException(const TMapStageGraph& g, const TMapPlacement& placement, const TMapExceptionSource& e) {
    QColor pen = Qt::black;
    TPenStyle style = TPenStyle::Solid;
    if (!structureOnly_ && g.Evaluated) {
      if (!e.WarrantHolds) {
        pen = BlockedColour();
        style = TPenStyle::Dotted;
      } else {
        pen = e.Blocks ? UndercutColour() : UnjustifiedColour();
      }
    }
    for (const int edge : e.Edges) Route(placement.Routes[static_cast<Index>(edge)], pen, style);
    const TMapRoute& last = placement.Routes[static_cast<Index>(e.Edges.back())];
    const QPoint tip = PointOf(last.Points.back());
    Head(PointOf(last.Points[last.Points.size() - 2]), tip, pen, true);
    picture_.ExceptionLines.push_back({e.Connection, e.Exception, pen, style, last.Back});
    if (e.Undercutter < 0) return;
    TDiagramPart part{TDiagramPart::TKind::Undercutter, QRect(tip - QPoint(10, 12), tip + QPoint(10, 2))};
    part.Step = e.Argument->Steps[static_cast<Index>(e.StepIndex)];
    part.Argument = e.Argument;
    part.StepIndex = e.StepIndex;
    part.Undercutter = e.Undercutter;
    AddPart(part);
  }

  void DrawBox(const TMapStageGraph& g, const TMapPlacement& placement, Index v) {
    TDiagramLayout& layout = picture_.Layout;
    const TStatement* s = g.Nodes[v].Statement;
    const TMapNode& node = g.Graph.Nodes[v];
    const TBoxLook look = LookOf(s, structureOnly_);
    const QRect rect(placement.Left[v], placement.Top[v], node.Width, node.Height);
    layout.Order.push_back({TDiagramItem::TKind::Box, static_cast<int>(layout.Boxes.size())});
    TDiagramPart part{TDiagramPart::TKind::Statement, rect};
    part.Statement = s;
    part.Status = s->Status;
    part.Box = static_cast<int>(layout.Boxes.size());
    layout.Parts.push_back(part);
    layout.Boxes.push_back({rect, look.Colour, TPenStyle::Solid, Qt::white});
    picture_.StatementBoxes[s->Sentence] = rect;
    const TMapMeasuredBox& text = *texts_[v];
    const int count = static_cast<int>(text.Lines.size());
    const int slack = node.Height - (th_ + 3) * count;
    const int left = rect.left() + (structureOnly_ ? 4 : 22);
    for (int k = 0; k < count; ++k) {
      layout.Order.push_back({TDiagramItem::TKind::Text, static_cast<int>(layout.Texts.size())});
      layout.Texts.push_back(
          {QPoint(left, rect.top() + slack / 2 + (th_ + 3) * k), text.Lines[k], look.Colour, look.Bold, look.Italic});
    }
    if (structureOnly_) return;
    layout.Order.push_back({TDiagramItem::TKind::Icon, static_cast<int>(layout.Icons.size())});
    layout.Icons.push_back({s->StatementType == kAssumption ? kAssumptionIcon : kIssueIcon,
                            QPoint(rect.left() + 3, rect.top() + node.Height / 2 - 8)});
  }

  TMapPicture picture_;
  bool structureOnly_;
  int th_ = 0;
  std::vector<QFontMetrics> metrics_;
  std::vector<QString> keys_;
  TMapMeasuredBoxes& measured_;
  // Each node's box in measured_, which keeps its elements in place while it grows.
  std::vector<const TMapMeasuredBox*> texts_;
};

}  // namespace

void TMapMeasuredBoxes::Use(const QString& fontKey, bool structureOnly) {
  if (fontKey == fontKey_ && structureOnly == structureOnly_) return;
  boxes_.clear();
  fontKey_ = fontKey;
  structureOnly_ = structureOnly;
}

std::string TMapMeasuredBoxes::Key(const std::string& sentence, std::size_t style, bool attached) {
  std::string key = sentence;
  key += static_cast<char>('0' + style * 2 + (attached ? 1 : 0));
  return key;
}

const TMapMeasuredBox* TMapMeasuredBoxes::Find(const std::string& sentence, std::size_t style, bool attached) const {
  const auto found = boxes_.find(Key(sentence, style, attached));
  return found == boxes_.end() ? nullptr : &found->second;
}

const TMapMeasuredBox& TMapMeasuredBoxes::Remember(const std::string& sentence, std::size_t style, bool attached,
                                                   TMapMeasuredBox box) {
  return boxes_.insert_or_assign(Key(sentence, style, attached), std::move(box)).first->second;
}

TMapPicture TMapPainter::Paint(const TArgumentationStage& stage, const QFont& font, bool structureOnly) {
  TMapStageGraph g = MapStageGraph(stage);
  // Boxes of sentences long gone (another file, undone moves) are not kept for ever.
  if (measured_.Count() > 2 * g.Nodes.size() + 1024) measured_.Clear();
  TMapDrawer drawer(font, structureOnly, measured_);
  drawer.Measure(g);
  TMapPlacement placement = engine_.Layout(g.Graph);
  return drawer.Draw(g, std::move(placement));
}

TMapPicture PaintMap(const TArgumentationStage& stage, const QFont& font, bool structureOnly) {
  TMapPainter painter;
  return painter.Paint(stage, font, structureOnly);
}

}  // namespace korvane
