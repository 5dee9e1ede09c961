// What the diagram builder draws with: pens and fonts, boxes, lines and texts, and the
// units copied from the last diagram, whose dry walks sign what they would draw.
#include <algorithm>

#include "views/diagram_builder.h"

namespace korvane {

namespace {

// Two 32-bit values in one, so a signature stays small.
std::uint64_t Pair(std::int64_t high, std::int64_t low) {
  return (std::uint64_t{static_cast<std::uint32_t>(high)} << 32) | static_cast<std::uint32_t>(low);
}

std::uint64_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

std::uint32_t Flags(const TCanvasState& canvas) {
  return static_cast<std::uint32_t>(canvas.PenStyle) | (canvas.Bold ? 2U : 0U) | (canvas.Italic ? 4U : 0U);
}

}  // namespace

void TDiagramBuilder::BeginReuse(bool statements) {
  if (reuse_) reuse_->Begin({statements, layout_.Width, layout_.Font.key(), structureOnly_, store_}, layout_, d_);
}

void TDiagramBuilder::EndReuse() {
  if (reuse_) reuse_->End();
}

void TDiagramBuilder::DrawStatementUnit(const void* statement, int& row) {
  DrawStatementBox(static_cast<const TStatement*>(statement), row, 0, 0, TBoxStyle::ByStatus);
}

void TDiagramBuilder::DrawArgumentUnit(const void* argument, int& row) {
  int column = 0;
  DrawDialecticalArgument(static_cast<const TDialecticalArgument*>(argument), row, column);
}

void TDiagramBuilder::Unit(const void* head, TUnitDraw draw, int& row) {
  if (!reuse_) {
    (this->*draw)(head, row);
    unitEnds_.push_back({layout_.Order.size(), row});
    return;
  }
  const TCanvasState before = canvas_;
  std::vector<std::uint64_t>& signature = reuse_->Signature();
  TDiagramUnit unit;
  unit.Head = head;
  unit.SignatureBegin = signature.size();
  unit.FirstRow = row;
  unit.Begin = reuse_->Counts();
  Sign({Pair(before.Pen, before.Font), Flags(before)});
  dry_ = true;
  dryBoxes_ = unit.Begin[1];
  dryTooLarge_ = false;
  int dryRow = 0;
  (this->*draw)(head, dryRow);
  dry_ = false;
  canvas_ = before;

  const TDiagramUnit* old = dryTooLarge_ ? nullptr : reuse_->Match(head, unit.SignatureBegin);
  if (old && unit.Begin[1] + (old->End[1] - old->Begin[1]) <= kMaximumDiagramBoxes) {
    const int shift = row - old->FirstRow;
    reuse_->Copy(*old, shift);
    row += old->Rows;
    canvas_ = old->After;
    unit.Bottom = old->Bottom > 0 ? old->Bottom + shift * d_ : 0;
    layout_.Height = std::max(layout_.Height, unit.Bottom);
  } else {
    reuse_->Flush();
    unitBottom_ = 0;
    (this->*draw)(head, row);  // its boxes raise the height themselves
    unit.Bottom = unitBottom_;
  }
  unitEnds_.push_back({reuse_->Counts()[0], row});
  if (dryTooLarge_ || layout_.Truncated) {
    signature.resize(unit.SignatureBegin);
    return;
  }
  unit.SignatureEnd = signature.size();
  unit.Rows = row - unit.FirstRow;
  unit.End = reuse_->Counts();
  unit.After = canvas_;
  reuse_->Record(unit);
}

// Runs of whole units, each within the rows its units take (their lines and heads
// included), so a painter of a small area skips the rest of a large diagram.
void TDiagramBuilder::MakeSpans() {
  constexpr std::size_t kSpanItems = 512;
  std::size_t first = 0;
  int firstRow = 0;
  const auto add = [&](std::size_t end, int rows) {
    layout_.Spans.push_back({QRect(0, firstRow * d_, layout_.Width, rows * d_ + d_), static_cast<int>(first),
                             static_cast<int>(end)});
    first = end;
  };
  for (const TUnitEnd& end : unitEnds_) {
    if (end.Order - first < kSpanItems) continue;
    add(end.Order, end.Row - firstRow);
    firstRow = end.Row;
  }
  // The rest: the last units, a unit cut short and the note below it.
  if (first < layout_.Order.size()) add(layout_.Order.size(), std::max(layout_.Height / d_ + 1 - firstRow, 1));
}

void TDiagramBuilder::Sign(std::initializer_list<std::uint64_t> values) {
  std::vector<std::uint64_t>& signature = reuse_->Signature();
  signature.insert(signature.end(), values);
}

void TDiagramBuilder::DrawStatementBox(const TStatement* statement, int& row, int column, int minimumColumns,
                                       TBoxStyle style) {
  TPaintStyle paint = TPaintStyle::Keep;
  if (style == TBoxStyle::Justified || (style == TBoxStyle::ByStatus && statement->Status == kJustified))
    paint = TPaintStyle::Justified;
  else if (style == TBoxStyle::Unjustified || (style == TBoxStyle::ByStatus && statement->Status == kUnjustified))
    paint = TPaintStyle::Unjustified;
  DrawBox(statement, statement->Status, row, column, minimumColumns, paint);
}

void TDiagramBuilder::DrawBox(const TStatement* statement, TStatus status, int& row, int column, int minimumColumns,
                              TPaintStyle style) {
  const int icon = statement->StatementType == kAssumption ? 0 : 1;
  SetStyle(style);

  // Deep in a tree the width left is small or negative: text is wrapped as wide as a
  // readable line, and the box reaches beyond the width asked for.
  int given = layout_.Width - column * kColumnWidth - 30;
  int topLevel = layout_.Width - 30;
  int t = 18;
  int margin = 28;
  if (structureOnly_) {
    // Structure only: regular black text, no icon, so the text wraps 18 pixels wider.
    SetStructureOnlyStyle();
    given += 18;
    topLevel += 18;
    t = 1;
    margin = 10;
  }
  if (dry_) {
    Sign({Address(statement), Pair(column, minimumColumns), Pair(canvas_.Pen, canvas_.Font),
          Pair(Code(statement->StatementType) * 8 + Code(status), Flags(canvas_))});
    ++dryBoxes_;
    ++row;
    return;
  }
  const TWrapped& wrapped = Wrap(statement, WrapWidth(given, topLevel));
  int bw = wrapped.Width + margin;
  const QStringList& lines = wrapped.Lines;
  bw = std::max(bw, minimumColumns * kColumnWidth - 3);
  const int count = static_cast<int>(lines.size());
  const int rows = BoxRows(count, th_, d_, wrapped.Width > given);
  const int next = row + rows;

  const int left = column * kColumnWidth + 2;
  const int top = row * d_ + 2;
  const int right = left + bw;
  const int bottom = (next - 1) * d_ + 24;
  layout_.Order.push_back({TDiagramItem::TKind::Box, static_cast<int>(layout_.Boxes.size())});
  TDiagramPart part{TDiagramPart::TKind::Statement, QRect(left, top, right - left, bottom - top)};
  part.Statement = statement;
  part.Status = status;
  part.Box = static_cast<int>(layout_.Boxes.size());
  layout_.Parts.push_back(part);
  layout_.Boxes.push_back({part.Area, QColor::fromRgba(canvas_.Pen), canvas_.PenStyle, Qt::white});
  layout_.Height = std::max(layout_.Height, bottom + 2);
  unitBottom_ = std::max(unitBottom_, bottom + 2);

  const int slack = (bottom - top) - (th_ + 3) * count;
  for (int k = 0; k < count; ++k)
    AddText({QPoint(column * kColumnWidth + t + 5, top + slack / 2 + (th_ + 3) * k), lines[k],
             QColor::fromRgba(canvas_.Font), canvas_.Bold, canvas_.Italic});
  if (!structureOnly_) {
    layout_.Order.push_back({TDiagramItem::TKind::Icon, static_cast<int>(layout_.Icons.size())});
    layout_.Icons.push_back({icon, QPoint(column * kColumnWidth + 5, top + (bottom - top) / 2 - 8)});
  }
  row = next;
}

void TDiagramBuilder::SetStyle(TPaintStyle style) {
  switch (style) {
    case TPaintStyle::Justified: SetLook(kJustifiedRgb, true, false); break;
    case TPaintStyle::Unjustified: SetLook(kUnjustifiedRgb, false, true); break;
    case TPaintStyle::Keep: break;
  }
}

void TDiagramBuilder::SetStructureOnlyStyle() { SetLook(kBlackRgb, false, false); }

// A style: pen and text in one colour, the pen solid.
void TDiagramBuilder::SetLook(QRgb colour, bool bold, bool italic) {
  SetPen(colour, TPenStyle::Solid);
  canvas_.Font = colour;
  canvas_.Bold = bold;
  canvas_.Italic = italic;
}

void TDiagramBuilder::SetPen(QRgb colour, TPenStyle style) {
  canvas_.Pen = colour;
  canvas_.PenStyle = style;
}

void TDiagramBuilder::AddText(TDiagramText text) {
  layout_.Order.push_back({TDiagramItem::TKind::Text, static_cast<int>(layout_.Texts.size())});
  layout_.Texts.push_back(std::move(text));
}

int TDiagramBuilder::WrapWidth(int given, int topLevel) {
  MakeFonts();
  return BoxWrapWidth(given, topLevel, averageCharWidths_[CurrentFontIndex()]);
}

// A connector's part covers points of the lines it comes with, which are signed.
void TDiagramBuilder::AddPart(const TDiagramPart& part) {
  if (dry_)
    Sign({Address(part.Step), Address(part.Argument),
          Pair(part.StepIndex, part.Undercutter * 4 + static_cast<int>(part.Kind))});
  else
    layout_.Parts.push_back(part);
}

void TDiagramBuilder::Line(int x1, int y1, int x2, int y2) {
  if (dry_) {
    Sign({Pair(x1, y1), Pair(x2, y2), Pair(canvas_.Pen, static_cast<std::uint32_t>(canvas_.PenStyle))});
    return;
  }
  layout_.Order.push_back({TDiagramItem::TKind::Line, static_cast<int>(layout_.Lines.size())});
  layout_.Lines.push_back({QPoint(x1, y1), QPoint(x2, y2), QColor::fromRgba(canvas_.Pen), canvas_.PenStyle});
}

const QFontMetrics& TDiagramBuilder::CurrentMetrics() {
  MakeFonts();
  return metrics_[CurrentFontIndex()];
}

const TWrapped& TDiagramBuilder::Wrap(const TStatement* statement, int width) {
  return memo_->Wrapped(*statement, width, static_cast<std::uint8_t>(CurrentFontIndex()), CurrentMetrics());
}

void TDiagramBuilder::BeginLayout() { memo_->Begin(layout_.Font.key()); }

void TDiagramBuilder::MakeFonts() {
  if (!metrics_.empty()) return;
  for (const QFont& f : TextFonts(layout_.Font)) {
    metrics_.emplace_back(f);
    averageCharWidths_.push_back(metrics_.back().averageCharWidth());
  }
}

std::size_t TDiagramBuilder::CurrentFontIndex() const { return TextStyle(canvas_.Bold, canvas_.Italic); }

}  // namespace korvane
