// What a view keeps of its last diagram so that the next layout copies what did not
// change. A diagram is a run of units (a statement's box, a maximal argument's tree);
// before a unit is drawn, a dry walk of it writes down everything the drawing would read
// (objects, types, statuses, pens, columns, lines relative to its first row). A unit that
// reads the same as one of the last diagram is drawn exactly as that one was, only at
// another row, so its items are copied and moved instead of measured and made again.
#pragma once

#include <QRgb>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "views/diagram_layout.h"
#include "views/wrapped_text.h"

namespace korvane {

class TModelStore;

/// Pen and font as a canvas holds them between drawing calls.
struct TCanvasState {
  QRgb Pen = 0;
  TPenStyle PenStyle = TPenStyle::Solid;
  QRgb Font = 0;
  bool Bold = false;
  bool Italic = false;
};

/// How far a layout's lists reach: Order, Boxes, Lines, Texts, Icons, Parts.
using TItemCounts = std::array<std::size_t, 6>;
[[nodiscard]] TItemCounts ItemCounts(const TDiagramLayout& layout);

/// One unit of a diagram as drawn.
struct TDiagramUnit {
  const void* Head = nullptr;  // the statement or argument drawn
  std::size_t SignatureBegin = 0;
  std::size_t SignatureEnd = 0;
  int FirstRow = 0;
  int Rows = 0;
  int Bottom = 0;  // the height the unit needs the paint box to have, 0 for none
  TItemCounts Begin{};
  TItemCounts End{};
  TCanvasState After;
};

/// What a layout is made for; a layout copies only from one made for the same.
struct TDiagramTarget {
  bool Statements = false;  // the statements diagram, else the dialectical one
  int Width = 0;
  QString FontKey;
  bool StructureOnly = false;
  /// The store of the stage: while it lives, a statement's address stands for its sentence.
  std::weak_ptr<const TModelStore> Store;
};

class TDiagramReuse {
public:
  /// Takes back layout, the diagram last made with this reuse, to copy from next time.
  /// Any other layout is not copied from.
  void GiveBack(TDiagramLayout layout);
  void Forget();

  /// Starts layout, for target, in rows of rowHeight pixels: it gets the room of the
  /// layout before the last, and the units recorded since are the ones copied from next time.
  void Begin(TDiagramTarget target, TDiagramLayout& layout, int rowHeight);
  /// The signature the dry walk of the unit being drawn writes to.
  [[nodiscard]] std::vector<std::uint64_t>& Signature() { return signature_; }
  /// The unit of the last diagram with this head and the signature written since begin,
  /// or null.
  [[nodiscard]] const TDiagramUnit* Match(const void* head, std::size_t begin);
  /// Appends the items of unit (one Match gave) to the layout, moved down by rows rows.
  /// Units that follow each other in both diagrams are copied together, later: Flush
  /// before drawing anything else.
  void Copy(const TDiagramUnit& unit, int rows);
  void Flush();
  /// How far the layout's lists reach, the copies still to be made included.
  [[nodiscard]] TItemCounts Counts() const;
  void Record(const TDiagramUnit& unit) { units_.push_back(unit); }
  /// Ends the layout begun last.
  void End();
  /// Units copied in the layout last ended.
  [[nodiscard]] std::size_t Copied() const { return copied_; }

private:
  [[nodiscard]] bool Matches(const TDiagramUnit& old, std::size_t begin) const;
  void IndexPreviousHeads();
  [[nodiscard]] std::size_t FindPrevious(const void* head) const;

  TDiagramTarget target_;
  bool usable_ = false;  // previous_ is the layout last made, for the same target
  TDiagramLayout previous_;
  TDiagramLayout spare_;  // holds no drawing, only room
  std::vector<TDiagramUnit> previousUnits_;
  std::vector<std::uint64_t> previousSignature_;
  // Where each head of the last diagram is: open addressing in one list, made on the
  // first unit not found in order, so a new unit costs no allocation per unit.
  std::vector<std::pair<const void*, std::size_t>> previousByHead_;
  std::size_t cursor_ = 0;
  std::vector<bool> taken_;  // units of the last diagram copied into this one
  // The layout being made; the run of units of the last one still to be copied into it.
  TDiagramLayout* layout_ = nullptr;
  int rowHeight_ = 0;
  std::size_t pendingFirst_ = 0;
  std::size_t pendingEnd_ = 0;
  int pendingRows_ = 0;

  std::vector<TDiagramUnit> units_;
  std::vector<std::uint64_t> signature_;
  TItemCounts counts_{};  // of the layout last ended
  bool ended_ = false;
  std::size_t copied_ = 0;
};

/// What a view remembers from layout to layout.
struct TDiagramMemory {
  TWrapMemo Wraps;
  TDiagramReuse Reuse;
};

}  // namespace korvane
