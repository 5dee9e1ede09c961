// The map of a stage as a diagram layout: one box per statement, one arrow per
// connection with its stated warrant as a small box on it, one line per exception to
// the middle of its connection's arrow. The same layout paints the map window, its
// exported files and korvane-cli's picture.
#pragma once

#include <QFont>
#include <QRect>
#include <array>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/argumentation_stage.h"
#include "views/diagram_layout.h"
#include "views/map_layout.h"
#include "views/map_part_drawing.h"
#include "views/map_stage_graph.h"
#include "views/map_statement_index.h"

namespace korvane {

/// Every statement's box of a map, by sentence (viewing the stage's statement).
class TMapStatementBoxes {
public:
  struct TBox {
    std::string_view Sentence;
    QRect Box;
  };
  void Clear();
  void Add(std::string_view sentence, const QRect& box) { boxes_.push_back({sentence, box}); }
  /// The box of the statement with this sentence, or an empty rectangle.
  [[nodiscard]] QRect Find(std::string_view sentence) const;
  /// The same; throws std::out_of_range for a sentence the map does not show.
  [[nodiscard]] QRect at(std::string_view sentence) const;
  [[nodiscard]] std::size_t count(std::string_view sentence) const { return Find(sentence).isNull() ? 0 : 1; }
  [[nodiscard]] std::size_t size() const { return boxes_.size(); }
  [[nodiscard]] std::vector<TBox>::const_iterator begin() const { return boxes_.begin(); }
  [[nodiscard]] std::vector<TBox>::const_iterator end() const { return boxes_.end(); }

private:
  std::vector<TBox> boxes_;
  // Built on the first lookup: most maps are drawn and replaced without one.
  mutable std::unordered_map<std::string_view, std::size_t> index_;
};

struct TMapPicture {
  TDiagramLayout Layout;
  /// Every statement's box, by sentence (that of the stage's statement): a stated
  /// warrant's is the small box on its arrow.
  TMapStatementBoxes StatementBoxes;
  /// One per connection, in stage order, then one per exception.
  std::vector<TMapStroke> Arrows;
  std::vector<TMapStroke> ExceptionLines;
  /// The graph laid out and where its nodes went.
  TMapGraph Graph;
  TMapPlacement Placement;
};

/// The boxes a painter measured, by what their measure depends on: the sentence, its face
/// (status and type decide it), whether it sits on an arrow, and the font. A move changes
/// few boxes, so most of a map is measured once.
class TMapMeasuredBoxes {
public:
  TMapMeasuredBoxes() = default;
  // A copy finds its own boxes: what the last lookups found points into the original.
  TMapMeasuredBoxes(const TMapMeasuredBoxes& other)
      : fontKey_(other.fontKey_), structureOnly_(other.structureOnly_), boxes_(other.boxes_), count_(other.count_) {}
  TMapMeasuredBoxes& operator=(const TMapMeasuredBoxes& other) {
    TMapMeasuredBoxes copy(other);
    return *this = std::move(copy);
  }
  TMapMeasuredBoxes(TMapMeasuredBoxes&&) = default;
  TMapMeasuredBoxes& operator=(TMapMeasuredBoxes&&) = default;
  ~TMapMeasuredBoxes() = default;

  /// Starts over when the font or the structure-only choice changed since the last map.
  void Use(const QString& fontKey, bool structureOnly);
  /// The box remembered for sentence in face style, or null.
  [[nodiscard]] const TMapMeasuredBox* Find(const std::string& sentence, std::size_t style, bool attached) const;
  const TMapMeasuredBox& Remember(const std::string& sentence, std::size_t style, bool attached, TMapMeasuredBox box);
  /// The same for statement s at index in its stage; what the last lookup there found
  /// answers without hashing the sentence when s and its face are the same.
  [[nodiscard]] const TMapMeasuredBox* Find(int index, const TStatement* s, std::size_t style, bool attached);
  const TMapMeasuredBox& Remember(int index, const TStatement* s, std::size_t style, bool attached,
                                  TMapMeasuredBox box);
  [[nodiscard]] std::size_t Count() const { return count_; }
  void Clear() {
    boxes_.clear();
    last_.clear();
    count_ = 0;
  }

private:
  [[nodiscard]] static std::size_t Face(std::size_t style, bool attached) { return style * 2 + (attached ? 1 : 0); }

  QString fontKey_;
  bool structureOnly_ = false;
  // Looked up by the sentence itself, so a lookup builds no key.
  std::unordered_map<std::string, std::array<std::optional<TMapMeasuredBox>, 8>> boxes_;
  std::size_t count_ = 0;
  struct TLast {
    const TStatement* Statement = nullptr;
    const std::string* Sentence = nullptr;  // the key in boxes_
    std::size_t Face = 0;
    const TMapMeasuredBox* Box = nullptr;
  };
  // By a statement's index in its stage, which a line's later stages keep.
  std::vector<TLast> last_;
};

/// Makes maps of successive stages, each laid out from the one before; a part of the map
/// that neither the layout nor the evaluation changed keeps its drawing.
class TMapPainter {
public:
  /// The map of stage. recycled, a picture no longer shown, lends its buffers.
  [[nodiscard]] TMapPicture Paint(const TArgumentationStage& stage, const QFont& font, bool structureOnly,
                                  TMapPicture recycled = {});
  [[nodiscard]] const TMapLayoutEngine& Engine() const { return engine_; }
  [[nodiscard]] const TMapMeasuredBoxes& Measured() const { return measured_; }
  /// Forgets the last layout and drawings: the next map is made afresh.
  void Forget();
  /// Forgets the drawings only: the next map is drawn afresh from the layout kept.
  void ForgetDrawings();
  /// How many parts the last Paint drew, and how many it took from the map before.
  [[nodiscard]] int PartsDrawn() const { return drawn_; }
  [[nodiscard]] int PartsKept() const { return kept_; }

private:
  void SortIntoParts(const TMapStageGraph& g);
  /// Whether layout is the last one this painter made, as it left it.
  [[nodiscard]] bool IsLastDrawing(const TDiagramLayout& layout) const;
  [[nodiscard]] std::vector<const TMapPartDrawing*> Drawings(const TMapPartDrawer& drawer, const QString& fontKey,
                                                             bool structureOnly);

  TMapLayoutEngine engine_;
  TMapMeasuredBoxes measured_;
  TMapStatementIndex statements_;
  // The last stage graph's lists, for their buffers.
  TMapStageGraph spare_;
  QString drawnFor_;
  // By the layout part each was drawn from.
  std::unordered_map<const void*, TMapPartDrawing> drawings_;
  int drawn_ = 0;
  int kept_ = 0;
  std::vector<std::uint64_t> look_;
  std::uint64_t generation_ = 0;
  std::vector<TMapPartSources> sources_;
  // Drawings of a second part of one layout part, for the map being made only.
  std::deque<TMapPartDrawing> unkept_;
  std::uint64_t serial_ = 0;
  // Each part of the last layout made: its drawing, where it went, and the item counts
  // after it.
  struct TAppended {
    std::uint64_t Serial = 0;
    int X = 0;
    int Y = 0;
    std::size_t Boxes = 0, Lines = 0, Texts = 0, Icons = 0, Order = 0, Parts = 0;
  };
  std::vector<TAppended> appended_;
  const void* lastOrder_ = nullptr;
};

/// The map of stage laid out afresh.
[[nodiscard]] TMapPicture PaintMap(const TArgumentationStage& stage, const QFont& font, bool structureOnly);

}  // namespace korvane
