#include "views/map_picture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <deque>
#include <stdexcept>

#include "views/diagram_builder.h"
#include "views/map_part_drawing.h"
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

// Measures the boxes of a stage graph, once per sentence and face.
class TMapMeasurer {
public:
  TMapMeasurer(const QFont& font, bool structureOnly, TMapMeasuredBoxes& measured)
      : structureOnly_(structureOnly), measured_(measured) {
    for (const QFont& f : TextFonts(font)) metrics_.emplace_back(f);
    th_ = QFontMetrics(font).height();
    measured_.Use(font.key(), structureOnly);
  }

  [[nodiscard]] int TextHeight() const { return th_; }

  // Sizes every node from its text, measuring only the boxes not measured before; texts
  // gets each node's measured box.
  void Measure(TMapStageGraph& g, std::vector<const TMapMeasuredBox*>& texts) {
    texts.assign(g.Nodes.size(), nullptr);
    for (Index v = 0; v < g.Nodes.size(); ++v) {
      const TStatement* s = g.Nodes[v].Statement;
      TMapNode& node = g.Graph.Nodes[v];
      if (!s) {
        node.Width = kJunctionWidth;
        node.Height = 0;
        continue;
      }
      const TMapBoxLook look = MapBoxLook(s, structureOnly_);
      const Index style = TextStyle(look.Bold, look.Italic);
      const bool attached = g.Nodes[v].Attached;
      const int index = g.Nodes[v].StatementIndex;
      const TMapMeasuredBox* box = measured_.Find(index, s, style, attached);
      if (!box) box = &measured_.Remember(index, s, style, attached, MeasureBox(s, style, attached));
      texts[v] = box;
      node.Width = box->Width;
      node.Height = box->Height;
    }
  }

private:
  TMapMeasuredBox MeasureBox(const TStatement* s, Index style, bool attached) const {
    const int characters = attached ? kAttachedWrapCharacters : kWrapCharacters;
    TWrapped text = WrapText(BoxText(s), characters * metrics_[style].averageCharWidth(), metrics_[style]);
    const int lines = static_cast<int>(text.Lines.size());
    return {std::move(text.Lines), text.Width + (structureOnly_ ? 10 : 28), (th_ + 3) * lines + 8};
  }

  bool structureOnly_;
  int th_ = 0;
  std::vector<QFontMetrics> metrics_;
  TMapMeasuredBoxes& measured_;
};

}  // namespace

void TMapStatementBoxes::Clear() {
  boxes_.clear();
  index_.clear();
}

QRect TMapStatementBoxes::Find(std::string_view sentence) const {
  if (index_.empty() && !boxes_.empty()) {
    index_.reserve(boxes_.size());
    for (std::size_t k = 0; k < boxes_.size(); ++k) index_.emplace(boxes_[k].Sentence, k);
  }
  const auto found = index_.find(sentence);
  return found == index_.end() ? QRect() : boxes_[found->second].Box;
}

QRect TMapStatementBoxes::at(std::string_view sentence) const {
  const QRect box = Find(sentence);
  if (box.isNull()) throw std::out_of_range("no box for this sentence in the map");
  return box;
}

void TMapMeasuredBoxes::Use(const QString& fontKey, bool structureOnly) {
  if (fontKey == fontKey_ && structureOnly == structureOnly_) return;
  Clear();
  fontKey_ = fontKey;
  structureOnly_ = structureOnly;
}

const TMapMeasuredBox* TMapMeasuredBoxes::Find(const std::string& sentence, std::size_t style, bool attached) const {
  const auto found = boxes_.find(sentence);
  if (found == boxes_.end()) return nullptr;
  const std::optional<TMapMeasuredBox>& box = found->second[Face(style, attached)];
  return box ? &*box : nullptr;
}

const TMapMeasuredBox& TMapMeasuredBoxes::Remember(const std::string& sentence, std::size_t style, bool attached,
                                                   TMapMeasuredBox box) {
  std::optional<TMapMeasuredBox>& slot = boxes_[sentence][Face(style, attached)];
  if (!slot) ++count_;
  return slot.emplace(std::move(box));
}

const TMapMeasuredBox* TMapMeasuredBoxes::Find(int index, const TStatement* s, std::size_t style, bool attached) {
  const auto i = static_cast<std::size_t>(index);
  if (index >= 0 && i < last_.size()) {
    const TLast& last = last_[i];
    if (last.Statement == s && last.Face == Face(style, attached) && *last.Sentence == s->Sentence) return last.Box;
  }
  const auto found = boxes_.find(s->Sentence);
  if (found == boxes_.end()) return nullptr;
  const std::optional<TMapMeasuredBox>& box = found->second[Face(style, attached)];
  if (!box) return nullptr;
  if (index >= 0) {
    if (i >= last_.size()) last_.resize(i + 1);
    last_[i] = {s, &found->first, Face(style, attached), &*box};
  }
  return &*box;
}

const TMapMeasuredBox& TMapMeasuredBoxes::Remember(int index, const TStatement* s, std::size_t style, bool attached,
                                                   TMapMeasuredBox box) {
  (void)Remember(s->Sentence, style, attached, std::move(box));
  return *Find(index, s, style, attached);
}

// Sorts the graph's connections and exceptions into the parts the engine placed.
void TMapPainter::SortIntoParts(const TMapStageGraph& g) {
  const std::vector<TMapPlacedPart>& placed = engine_.Placed();
  std::vector<int> partOf(g.Nodes.size(), 0);
  // Kept from map to map with their lists' room: a large map has thousands of parts.
  std::vector<TMapPartSources>& parts = sources_;
  parts.resize(placed.size());
  for (Index p = 0; p < placed.size(); ++p) {
    parts[p].Placed = &placed[p];
    parts[p].Connections.clear();
    parts[p].Exceptions.clear();
    for (const int v : placed[p].Nodes) partOf[static_cast<Index>(v)] = static_cast<int>(p);
  }
  for (Index c = 0; c < g.Connections.size(); ++c)
    parts[static_cast<Index>(partOf[static_cast<Index>(g.Connections[c].Junction)])].Connections.push_back(
        static_cast<int>(c));
  for (Index e = 0; e < g.Exceptions.size(); ++e) {
    const TMapEdge& first = g.Graph.Edges[static_cast<Index>(g.Exceptions[e].Edges.front())];
    parts[static_cast<Index>(partOf[static_cast<Index>(first.From)])].Exceptions.push_back(static_cast<int>(e));
  }
}

// Each part's drawing: the one kept while its layout part and its look stay, else drawn.
std::vector<const TMapPartDrawing*> TMapPainter::Drawings(const TMapPartDrawer& drawer, const QString& fontKey,
                                                          bool structureOnly) {
  const QString drawnFor = fontKey + (structureOnly ? QStringLiteral("/s") : QString());
  if (drawnFor != drawnFor_) {
    drawings_.clear();
    drawnFor_ = drawnFor;
  }
  const std::vector<TMapPlacedPart>& placed = engine_.Placed();
  drawn_ = 0;
  kept_ = 0;
  ++generation_;
  std::vector<const TMapPartDrawing*> drawings(sources_.size(), nullptr);
  unkept_.clear();
  for (Index p = 0; p < sources_.size(); ++p) {
    drawer.Look(sources_[p], look_);
    const void* key = placed[p].Drawing.get();
    const auto found = drawings_.find(key);
    if (found != drawings_.end() && found->second.Generation == generation_) {
      // Two parts of one layout part: the first keeps its drawing.
      drawings[p] = &unkept_.emplace_back(drawer.Draw(sources_[p], look_));
      unkept_.back().Serial = ++serial_;
      ++drawn_;
    } else if (found != drawings_.end() && found->second.Look == look_) {
      found->second.Generation = generation_;
      drawings[p] = &found->second;
      ++kept_;
    } else {
      TMapPartDrawing& slot = found != drawings_.end() ? found->second : drawings_[key];
      slot = drawer.Draw(sources_[p], look_);
      slot.Generation = generation_;
      slot.Serial = ++serial_;
      drawings[p] = &slot;
      ++drawn_;
    }
  }
  // Drawings of parts gone; the others stay where the pointers above find them.
  std::erase_if(drawings_, [this](const auto& kept) { return kept.second.Generation != generation_; });
  return drawings;
}

TMapPicture TMapPainter::Paint(const TArgumentationStage& stage, const QFont& font, bool structureOnly,
                               TMapPicture recycled) {
  // The buffers of a picture shown before: a large map's are megabytes, fresh ones fault in page by page.
  TMapPicture picture = std::move(recycled);
  TDiagramLayout& layout = picture.Layout;
  const bool drawnHere = IsLastDrawing(layout);
  layout.Truncated = false;
  layout.Font = PixelSized(font);
  picture.StatementBoxes.Clear();
  picture.Arrows.clear();
  picture.ExceptionLines.clear();

  spare_.Graph = std::move(picture.Graph);
  TMapStageGraph g = MapStageGraph(stage, std::move(spare_), &statements_);
  // Boxes of sentences long gone (another file, undone moves) are not kept for ever.
  if (measured_.Count() > 2 * g.Nodes.size() + 1024) measured_.Clear();
  TMapMeasurer measurer(layout.Font, structureOnly, measured_);
  const int th = measurer.TextHeight();
  layout.LineHeight = th;
  layout.RowHeight = th + kRowSpacing;
  std::vector<const TMapMeasuredBox*> texts;
  measurer.Measure(g, texts);
  TMapPlacement placement = engine_.Layout(g.Graph, std::move(picture.Placement));
  layout.Width = placement.Width;
  layout.Height = placement.Height;

  picture.Arrows.reserve(g.Connections.size());
  for (const TMapConnectionSource& c : g.Connections) {
    picture.Arrows.push_back(ArrowStroke(g, c, structureOnly));
    picture.Arrows.back().Back =
        placement.Routes[static_cast<Index>(c.EdgeIn)].Back || placement.Routes[static_cast<Index>(c.EdgeOut)].Back;
  }
  picture.ExceptionLines.reserve(g.Exceptions.size());
  for (const TMapExceptionSource& e : g.Exceptions) {
    picture.ExceptionLines.push_back(ExceptionStroke(g, e, structureOnly));
    picture.ExceptionLines.back().Back = placement.Routes[static_cast<Index>(e.Edges.back())].Back;
  }

  SortIntoParts(g);
  const TMapPartDrawer drawer(g, placement, texts, picture.Arrows, picture.ExceptionLines, structureOnly, th);
  const std::vector<const TMapPartDrawing*> drawings = Drawings(drawer, layout.Font.key(), structureOnly);
  const std::vector<TMapPartSources>& parts = sources_;
  const std::vector<TMapPlacedPart>& placed = engine_.Placed();
  // The items of the parts up to the first that changed or moved are in place already,
  // when the picture handed back is the last one made here.
  std::size_t keep = 0;
  while (drawnHere && keep < parts.size() && keep < appended_.size() &&
         drawings[keep]->Serial == appended_[keep].Serial && placed[keep].X == appended_[keep].X &&
         placed[keep].Y == appended_[keep].Y)
    ++keep;
  if (keep == 0) {
    layout.ClearDrawing();
  } else {
    const TAppended& last = appended_[keep - 1];
    layout.Boxes.erase(layout.Boxes.begin() + static_cast<std::ptrdiff_t>(last.Boxes), layout.Boxes.end());
    layout.Lines.erase(layout.Lines.begin() + static_cast<std::ptrdiff_t>(last.Lines), layout.Lines.end());
    layout.Texts.erase(layout.Texts.begin() + static_cast<std::ptrdiff_t>(last.Texts), layout.Texts.end());
    layout.Icons.erase(layout.Icons.begin() + static_cast<std::ptrdiff_t>(last.Icons), layout.Icons.end());
    layout.Order.erase(layout.Order.begin() + static_cast<std::ptrdiff_t>(last.Order), layout.Order.end());
    layout.Parts.erase(layout.Parts.begin() + static_cast<std::ptrdiff_t>(last.Parts), layout.Parts.end());
    layout.Spans.erase(layout.Spans.begin() + static_cast<std::ptrdiff_t>(keep), layout.Spans.end());
  }
  for (Index p = 0, at = 0; p < keep; at = appended_[p++].Parts)
    PointPartsIntoStage(layout.Parts.data() + at, *drawings[p], parts[p], g);
  appended_.resize(keep);
  std::size_t boxes = 0, lines = 0, textCount = 0, icons = 0, order = 0, diagramParts = 0;
  for (const TMapPartDrawing* drawing : drawings) {
    const TDiagramLayout& d = drawing->Drawing;
    boxes += d.Boxes.size();
    lines += d.Lines.size();
    textCount += d.Texts.size();
    icons += d.Icons.size();
    order += d.Order.size();
    diagramParts += d.Parts.size();
  }
  layout.Boxes.reserve(boxes);
  layout.Lines.reserve(lines);
  layout.Texts.reserve(textCount);
  layout.Icons.reserve(icons);
  layout.Order.reserve(order);
  layout.Parts.reserve(diagramParts);
  layout.Spans.reserve(parts.size());
  for (Index p = keep; p < parts.size(); ++p) {
    const int first = static_cast<int>(layout.Order.size());
    AppendPartDrawing(layout, *drawings[p], parts[p], g, placed[p].X, placed[p].Y);
    layout.Spans.push_back(
        {drawings[p]->Bounds.translated(placed[p].X, placed[p].Y), first, static_cast<int>(layout.Order.size())});
    appended_.push_back({drawings[p]->Serial, placed[p].X, placed[p].Y, layout.Boxes.size(), layout.Lines.size(),
                         layout.Texts.size(), layout.Icons.size(), layout.Order.size(), layout.Parts.size()});
  }
  lastOrder_ = layout.Order.data();
  for (Index v = 0; v < g.Nodes.size(); ++v)
    if (const TStatement* s = g.Nodes[v].Statement)
      picture.StatementBoxes.Add(
          s->Sentence, QRect(placement.Left[v], placement.Top[v], g.Graph.Nodes[v].Width, g.Graph.Nodes[v].Height));
  picture.Graph = std::move(g.Graph);
  picture.Placement = std::move(placement);
  spare_ = std::move(g);
  return picture;
}

void TMapPainter::Forget() {
  engine_.Forget();
  ForgetDrawings();
}

void TMapPainter::ForgetDrawings() {
  drawings_.clear();
  appended_.clear();
  lastOrder_ = nullptr;
}

bool TMapPainter::IsLastDrawing(const TDiagramLayout& layout) const {
  if (appended_.empty() || layout.Order.data() != lastOrder_) return false;
  const TAppended& last = appended_.back();
  return layout.Order.size() == last.Order && layout.Boxes.size() == last.Boxes && layout.Lines.size() == last.Lines &&
         layout.Texts.size() == last.Texts && layout.Icons.size() == last.Icons && layout.Parts.size() == last.Parts &&
         layout.Spans.size() == appended_.size();
}

TMapPicture PaintMap(const TArgumentationStage& stage, const QFont& font, bool structureOnly) {
  TMapPainter painter;
  return painter.Paint(stage, font, structureOnly);
}

}  // namespace korvane
