#include "views/diagram_builder.h"

#include <QFontInfo>
#include <algorithm>

#include "views/sentence_text.h"
#include "views/word_wrap.h"
#include "views/wrapped_text.h"

namespace korvane {

QColor JustifiedColour() { return QColor(0, 0, 255); }
QColor UnjustifiedColour() { return QColor(0, 128, 128); }
QColor UndercutColour() { return QColor(255, 0, 0); }
QColor BlockedColour() { return QColor(128, 128, 128); }

QString TruncatedDiagramNote() {
  return QStringLiteral("The diagram is too large: only its first %1 boxes are shown.").arg(kMaximumDiagramBoxes);
}

namespace {


}  // namespace

QFont PixelSized(const QFont& font) {
  const QFontInfo used(font);
  QFont sized = font;
  sized.setFamily(used.family());
  sized.setPixelSize(used.pixelSize());
  return sized;
}

// Required as is: first "(" and last ")" go, matching or not (pinned by tests/views/diagram_layout_test.cpp).
QString BoxText(const TStatement* statement) {
  QString text = SentenceToDisplay(statement->Sentence);
  if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'))) text = text.mid(1, text.size() - 2);
  return text;
}

TDiagramBuilder::TDiagramBuilder(int width, const QFont& font, bool structureOnly, int height)
    : structureOnly_(structureOnly) {
  layout_.Width = width;
  layout_.Height = std::max(height, 0);
  layout_.Font = PixelSized(font);
  th_ = QFontMetrics(layout_.Font).height();
  d_ = th_ + kRowSpacing;
  layout_.LineHeight = th_;
  layout_.RowHeight = d_;
  pen_ = Qt::black;
  fontColour_ = Qt::black;
}

void TDiagramBuilder::Clear() {
  SetPen(Qt::white, TPenStyle::Solid);
  layout_.Truncated = false;
  layout_.ClearDrawing();
}

void TDiagramBuilder::PaintDialecticalDiagram(const TDialecticalArguments& maximal) {
  Clear();
  int row = 0;
  for (const TDialecticalArgument* argument : maximal) {
    if (layout_.Truncated) break;
    int column = 0;
    DrawDialecticalArgument(argument, row, column);
  }
  if (layout_.Truncated) {
    const int top = row * d_ + 2;
    AddText({QPoint(2, top + 3), TruncatedDiagramNote(), Qt::black, false, false});
    layout_.Height = std::max(layout_.Height, top + th_ + 8);
  }
  WidenToBoxes();
}

void TDiagramBuilder::PaintStatementsDiagram(const TStatements& statements) {
  Clear();
  int row = 0;
  for (const TStatement* statement : statements) DrawStatementBox(statement, row, 0, 0, TBoxStyle::ByStatus);
  WidenToBoxes();
}

// A box that does not fit the width asked for widens the paint box to hold it, with the
// same two pixels to spare as at the left; a diagram that fits keeps the width.
void TDiagramBuilder::WidenToBoxes() {
  int right = 0;
  for (const TDiagramBox& box : layout_.Boxes) right = std::max(right, box.Rect.x() + box.Rect.width());
  if (layout_.Truncated)
    right = std::max(right, 2 + QFontMetrics(layout_.Font).horizontalAdvance(TruncatedDiagramNote()));
  if (right > layout_.Width) layout_.Width = right + 2;
}

void TDiagramBuilder::DrawDialecticalArgument(const TDialecticalArgument* argument, int& row, int& column) {
  std::vector<TTask> tasks;
  tasks.push_back({TTask::Kind::Argument, argument, nullptr, 0, column, 0});
  Run(tasks, row, column);
}

void TDiagramBuilder::DrawUndercutters(const TStep* step, int& row, int& column) {
  std::vector<TTask> tasks;
  tasks.push_back({TTask::Kind::Undercutters, nullptr, step, 0, column, 0});
  Run(tasks, row, column);
}

void TDiagramBuilder::Run(std::vector<TTask>& tasks, int& row, int& column) {
  while (!tasks.empty()) {
    const TTask task = tasks.back();
    tasks.pop_back();
    column = task.column;
    switch (task.kind) {
      case TTask::Kind::Argument:
        if (layout_.Boxes.size() >= kMaximumDiagramBoxes) {
          layout_.Truncated = true;
          tasks.clear();
          break;
        }
        StartArgument(task, tasks, row);
        break;
      case TTask::Kind::Undercutters: PushUndercutters(task, tasks); break;
      case TTask::Kind::UndercutterLine: DrawUndercutterLine(task, row); break;
      case TTask::Kind::StepConnector:
        DrawStepConnector(task.argument, task.index, task.column, task.conclusionBottom, row);
        break;
    }
  }
}

// The conclusion's box now; its steps, each with warrant, undercutters, connector and
// reason, in list order afterwards. Tasks are pushed last-first.
void TDiagramBuilder::StartArgument(const TTask& task, std::vector<TTask>& tasks, int& row) {
  const TDialecticalArgument* a = task.argument;
  const int column = task.column;
  // Columns are counted in ints, as all the layout's geometry is.
  const int n = static_cast<int>(a->Steps.Count());
  // A status other than justified or unjustified keeps the pen and font in use.
  TPaintStyle style = TPaintStyle::Keep;
  if (a->Status == kJustified)
    style = TPaintStyle::Justified;
  else if (a->Status == kUnjustified)
    style = TPaintStyle::Unjustified;
  DrawBox(a->Conclusion, a->Status, row, column, a->InitialDialecticalArguments.Count(), style);
  const int yc = (row - 1) * d_ + 24;
  for (int i = n - 1; i >= 0; --i) {
    const TStep* s = a->Steps[i];
    const int e = column + n - i;
    tasks.push_back({TTask::Kind::Argument, a->InitialDialecticalArguments[i], nullptr, 0, e, 0});
    tasks.push_back({TTask::Kind::StepConnector, a, s, i, e, yc});
    tasks.push_back({TTask::Kind::Undercutters, a, s, i, e, 0});
    if (s->WarrantingDialecticalArgument)
      tasks.push_back({TTask::Kind::Argument, s->WarrantingDialecticalArgument, nullptr, 0, e, 0});
  }
}

void TDiagramBuilder::PushUndercutters(const TTask& task, std::vector<TTask>& tasks) const {
  const TStep* step = task.step;
  const int column = task.column;
  for (int j = static_cast<int>(step->Undercutters.Count()) - 1; j >= 0; --j) {
    const TUndercutter* u = step->Undercutters[j];
    tasks.push_back({TTask::Kind::Argument, step->UndercuttingDialecticalArguments[j], nullptr, 0, column, 0});
    tasks.push_back({TTask::Kind::UndercutterLine, task.argument, step, task.index, column, 0, j});
    if (u->WarrantingDialecticalArgument)
      tasks.push_back({TTask::Kind::Argument, u->WarrantingDialecticalArgument, nullptr, 0, column, 0});
  }
}

// A short line from the exception's box to the step's vertical line, ending in a cross on it.
void TDiagramBuilder::DrawUndercutterLine(const TTask& task, int row) {
  const TStep* step = task.step;
  const int index = task.undercutter;
  const int column = task.column;
  const TUndercutter* u = step->Undercutters[index];
  const TDialecticalArgument* exception = step->UndercuttingDialecticalArguments[index];
  if (u->WarrantStatus == kWarrantHolds)
    SetPen(exception->Status == kJustified ? UndercutColour() : UnjustifiedColour(), TPenStyle::Solid);
  else
    SetPen(BlockedColour(), TPenStyle::Dotted);
  if (structureOnly_) SetStructureOnlyStyle();
  const int y = row * d_ + 12;
  const int x1 = column * kColumnWidth + 1;
  const int x2 = column * kColumnWidth - 9;
  Line(x1, y, x2, y);
  penStyle_ = TPenStyle::Solid;
  Line(x2 - 3, y - 3, x2 + 4, y + 4);
  Line(x2 - 3, y + 3, x2 + 4, y - 4);
  TDiagramPart part{TDiagramPart::TKind::Undercutter, QRect(QPoint(x2 - 4, y - 4), QPoint(x1, y + 4))};
  part.Step = step;
  part.Argument = task.argument;
  part.StepIndex = task.index;
  part.Undercutter = index;
  layout_.Parts.push_back(part);
}

// From the reason's box, which starts at row, left and up to the conclusion's bottom
// edge, ending in an arrowhead (supporting) or a cross (defeating).
void TDiagramBuilder::DrawStepConnector(const TDialecticalArgument* argument, int index, int column,
                                        int conclusionBottom, int row) {
  const TStep* s = argument->Steps[index];
  const TDialecticalArgument* reason = argument->InitialDialecticalArguments[index];
  if (s->WarrantStatus == kWarrantHolds) {
    bool blocked = false;
    for (std::size_t j = 0; j < s->Undercutters.Count(); ++j)
      if (s->Undercutters[j]->WarrantStatus == kWarrantHolds &&
          s->UndercuttingDialecticalArguments[j]->Status == kJustified)
        blocked = true;
    SetPen(reason->Status != kJustified || blocked ? UnjustifiedColour() : JustifiedColour(), TPenStyle::Solid);
  } else {
    SetPen(BlockedColour(), TPenStyle::Dotted);
  }
  if (structureOnly_) {
    SetPen(Qt::black, TPenStyle::Solid);
    fontColour_ = Qt::black;
  }
  const int xr = column * kColumnWidth + 1;
  const int xc = column * kColumnWidth - 9;
  const int yr = row * d_ + 12;
  const int yc = conclusionBottom;
  Line(xr, yr, xc, yr);
  Line(xc, yr, xc, yc);
  if (s->ConnectionKind == kDefeating) {
    Line(xc - 3, yc - 3, xc + 4, yc + 4);
    Line(xc - 3, yc + 3, xc + 4, yc - 4);
  } else {
    Line(xc, yc, xc - 5, yc + 5);
    Line(xc, yc, xc + 5, yc + 5);
  }
  // Two places find the step: its horizontal line and its vertical one with the head.
  TDiagramPart part{TDiagramPart::TKind::Step, QRect(QPoint(xc - 3, yr - 3), QPoint(xr, yr + 3))};
  part.Step = s;
  part.Argument = argument;
  part.StepIndex = index;
  layout_.Parts.push_back(part);
  part.Area = QRect(QPoint(xc - 5, yc - 4), QPoint(xc + 5, yr + 3));
  layout_.Parts.push_back(part);
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
  const QString text = BoxText(statement);
  const int icon = statement->StatementType == kAssumption ? 0 : 1;
  SetStyle(style);

  // Deep in a tree the width left is small or negative: text is wrapped as wide as a
  // readable line, and the box reaches beyond the width asked for.
  int given = layout_.Width - column * kColumnWidth - 30;
  int topLevel = layout_.Width - 30;
  TWrapped wrapped = WrappedText(text, WrapWidth(given, topLevel), CurrentMetrics(), CurrentFontKey());
  int bw = wrapped.Width + 28;
  int t = 18;
  if (structureOnly_) {
    SetStructureOnlyStyle();
    given += 18;
    topLevel += 18;
    wrapped = WrappedText(text, WrapWidth(given, topLevel), CurrentMetrics(), CurrentFontKey());
    bw = wrapped.Width + 10;
    t = 1;
  }
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
  layout_.Boxes.push_back({part.Area, pen_, penStyle_, Qt::white});
  layout_.Height = std::max(layout_.Height, bottom + 2);

  const int slack = (bottom - top) - (th_ + 3) * count;
  for (int k = 0; k < count; ++k)
    AddText({QPoint(column * kColumnWidth + t + 5, top + slack / 2 + (th_ + 3) * k), lines[k], fontColour_, bold_,
             italic_});
  if (!structureOnly_) {
    layout_.Order.push_back({TDiagramItem::TKind::Icon, static_cast<int>(layout_.Icons.size())});
    layout_.Icons.push_back({icon, QPoint(column * kColumnWidth + 5, top + (bottom - top) / 2 - 8)});
  }
  row = next;
}

void TDiagramBuilder::SetStyle(TPaintStyle style) {
  switch (style) {
    case TPaintStyle::Justified:
      SetPen(JustifiedColour(), TPenStyle::Solid);
      fontColour_ = JustifiedColour();
      bold_ = true;
      italic_ = false;
      break;
    case TPaintStyle::Unjustified:
      SetPen(UnjustifiedColour(), TPenStyle::Solid);
      fontColour_ = UnjustifiedColour();
      bold_ = false;
      italic_ = true;
      break;
    case TPaintStyle::Keep: break;
  }
}

void TDiagramBuilder::SetStructureOnlyStyle() {
  SetPen(Qt::black, TPenStyle::Solid);
  fontColour_ = Qt::black;
  bold_ = false;
  italic_ = false;
}

void TDiagramBuilder::SetPen(const QColor& colour, TPenStyle style) {
  pen_ = colour;
  penStyle_ = style;
}

void TDiagramBuilder::AddText(TDiagramText text) {
  layout_.Order.push_back({TDiagramItem::TKind::Text, static_cast<int>(layout_.Texts.size())});
  layout_.Texts.push_back(std::move(text));
}

int TDiagramBuilder::WrapWidth(int given, int topLevel) {
  return BoxWrapWidth(given, topLevel, CurrentMetrics().averageCharWidth());
}

void TDiagramBuilder::Line(int x1, int y1, int x2, int y2) {
  layout_.Order.push_back({TDiagramItem::TKind::Line, static_cast<int>(layout_.Lines.size())});
  layout_.Lines.push_back({QPoint(x1, y1), QPoint(x2, y2), pen_, penStyle_});
}

const QFontMetrics& TDiagramBuilder::CurrentMetrics() {
  MakeFonts();
  return metrics_[CurrentFontIndex()];
}

const QString& TDiagramBuilder::CurrentFontKey() {
  MakeFonts();
  return fontKeys_[CurrentFontIndex()];
}

void TDiagramBuilder::MakeFonts() {
  if (!metrics_.empty()) return;
  for (const QFont& f : TextFonts(layout_.Font)) {
    metrics_.emplace_back(f);
    fontKeys_.push_back(f.key());
  }
}

std::size_t TDiagramBuilder::CurrentFontIndex() const { return TextStyle(bold_, italic_); }

TDiagramLayout LayoutDialecticalDiagram(const TArgumentationStage& stage, int width, const QFont& font,
                                        bool structureOnly) {
  TDiagramBuilder builder(width, font, structureOnly, 0);
  builder.PaintDialecticalDiagram(stage.MaximalDialecticalArguments);
  return builder.TakeLayout();
}

TDiagramLayout LayoutStatementsDiagram(const TArgumentationStage& stage, int width, const QFont& font,
                                       bool structureOnly, int height) {
  TDiagramBuilder builder(width, font, structureOnly, height);
  builder.PaintStatementsDiagram(stage.Statements);
  return builder.TakeLayout();
}

}  // namespace korvane
