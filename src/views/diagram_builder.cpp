#include "views/diagram_builder.h"

#include <QFontInfo>
#include <algorithm>

namespace korvane {

QColor JustifiedColour() { return QColor::fromRgb(kJustifiedRgb); }
QColor UnjustifiedColour() { return QColor::fromRgb(kUnjustifiedRgb); }
QColor UndercutColour() { return QColor::fromRgb(kUndercutRgb); }
QColor BlockedColour() { return QColor::fromRgb(kBlockedRgb); }

QString TruncatedDiagramNote() {
  return QStringLiteral("The diagram is too large: only its first %1 boxes are shown.").arg(kMaximumDiagramBoxes);
}

QFont PixelSized(const QFont& font) {
  const QFontInfo used(font);
  QFont sized = font;
  sized.setFamily(used.family());
  sized.setPixelSize(used.pixelSize());
  return sized;
}

TDiagramBuilder::TDiagramBuilder(int width, const QFont& font, bool structureOnly, int height, TDiagramMemory* memory,
                                 std::weak_ptr<const TModelStore> store)
    : structureOnly_(structureOnly),
      memo_(memory ? &memory->Wraps : &ownMemo_),
      reuse_(memory && !store.expired() ? &memory->Reuse : nullptr),
      store_(std::move(store)) {
  layout_.Width = width;
  layout_.Height = std::max(height, 0);
  layout_.Font = PixelSized(font);
  th_ = QFontMetrics(layout_.Font).height();
  d_ = th_ + kRowSpacing;
  layout_.LineHeight = th_;
  layout_.RowHeight = d_;
  canvas_.Pen = kBlackRgb;
  canvas_.Font = kBlackRgb;
}

void TDiagramBuilder::Clear() {
  SetPen(kWhiteRgb, TPenStyle::Solid);
  unitEnds_.clear();
  layout_.Truncated = false;
  layout_.ClearDrawing();
}

void TDiagramBuilder::PaintDialecticalDiagram(const TDialecticalArguments& maximal) {
  Clear();
  BeginLayout();
  BeginReuse(false);
  int row = 0;
  for (const TDialecticalArgument* argument : maximal) {
    if (layout_.Truncated) break;
    Unit(argument, &TDiagramBuilder::DrawArgumentUnit, row);
  }
  // Copies stop before the unit that was cut short, so none is pending here.
  if (layout_.Truncated) {
    const int top = row * d_ + 2;
    AddText({QPoint(2, top + 3), TruncatedDiagramNote(), Qt::black, false, false});
    layout_.Height = std::max(layout_.Height, top + th_ + 8);
  }
  EndReuse();
  memo_->End(layout_.Boxes.size());
  WidenToBoxes();
  MakeSpans();
}

void TDiagramBuilder::PaintStatementsDiagram(const TStatements& statements) {
  Clear();
  BeginLayout();
  BeginReuse(true);
  int row = 0;
  // The statements' objects are read in list order: ask for those a few ahead from memory.
  constexpr std::size_t kAhead = 8;
  for (std::size_t i = 0; i < statements.Count(); ++i) {
    if (i + kAhead < statements.Count()) __builtin_prefetch(statements[i + kAhead]);
    Unit(statements[i], &TDiagramBuilder::DrawStatementUnit, row);
  }
  EndReuse();
  memo_->End(layout_.Boxes.size());
  WidenToBoxes();
  MakeSpans();
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
  tasks_.clear();
  tasks_.push_back({TTask::Kind::Argument, argument, nullptr, 0, column, 0});
  Run(tasks_, row, column);
}

void TDiagramBuilder::DrawUndercutters(const TStep* step, int& row, int& column) {
  tasks_.clear();
  tasks_.push_back({TTask::Kind::Undercutters, nullptr, step, 0, column, 0});
  Run(tasks_, row, column);
}

void TDiagramBuilder::Run(std::vector<TTask>& tasks, int& row, int& column) {
  while (!tasks.empty()) {
    const TTask task = tasks.back();
    tasks.pop_back();
    PrefetchNextConclusion(tasks);
    column = task.column;
    switch (task.kind) {
      case TTask::Kind::Argument:
        if (dry_ && dryBoxes_ >= kMaximumDiagramBoxes) {
          dryTooLarge_ = true;
          tasks.clear();
          break;
        }
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

// Arguments lie all over memory. An argument is asked for from memory when its task is
// made; the conclusion of the second argument to come, when a task is taken, so both
// have arrived by the time they are drawn.
void TDiagramBuilder::PrefetchNextConclusion(const std::vector<TTask>& tasks) {
  const std::size_t look = std::min<std::size_t>(tasks.size(), 8);
  bool second = false;
  for (std::size_t k = 1; k <= look; ++k) {
    const TTask& next = tasks[tasks.size() - k];
    if (next.kind != TTask::Kind::Argument) continue;
    if (second) {
      __builtin_prefetch(next.argument->Conclusion);
      return;
    }
    second = true;
  }
}

void TDiagramBuilder::PushArgument(std::vector<TTask>& tasks, const TDialecticalArgument* argument, int column) {
  __builtin_prefetch(argument);
  tasks.push_back({TTask::Kind::Argument, argument, nullptr, 0, column, 0});
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
    PushArgument(tasks, a->InitialDialecticalArguments[i], e);
    tasks.push_back({TTask::Kind::StepConnector, a, s, i, e, yc});
    tasks.push_back({TTask::Kind::Undercutters, a, s, i, e, 0});
    if (s->WarrantingDialecticalArgument)
      PushArgument(tasks, s->WarrantingDialecticalArgument, e);
  }
}

void TDiagramBuilder::PushUndercutters(const TTask& task, std::vector<TTask>& tasks) {
  const TStep* step = task.step;
  const int column = task.column;
  for (int j = static_cast<int>(step->Undercutters.Count()) - 1; j >= 0; --j) {
    const TUndercutter* u = step->Undercutters[j];
    PushArgument(tasks, step->UndercuttingDialecticalArguments[j], column);
    tasks.push_back({TTask::Kind::UndercutterLine, task.argument, step, task.index, column, 0, j});
    if (u->WarrantingDialecticalArgument)
      PushArgument(tasks, u->WarrantingDialecticalArgument, column);
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
    SetPen(exception->Status == kJustified ? kUndercutRgb : kUnjustifiedRgb, TPenStyle::Solid);
  else
    SetPen(kBlockedRgb, TPenStyle::Dotted);
  if (structureOnly_) SetStructureOnlyStyle();
  const int y = row * d_ + 12;
  const int x1 = column * kColumnWidth + 1;
  const int x2 = column * kColumnWidth - 9;
  Line(x1, y, x2, y);
  canvas_.PenStyle = TPenStyle::Solid;
  Line(x2 - 3, y - 3, x2 + 4, y + 4);
  Line(x2 - 3, y + 3, x2 + 4, y - 4);
  TDiagramPart part{TDiagramPart::TKind::Undercutter, QRect(QPoint(x2 - 4, y - 4), QPoint(x1, y + 4))};
  part.Step = step;
  part.Argument = task.argument;
  part.StepIndex = task.index;
  part.Undercutter = index;
  AddPart(part);
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
    SetPen(reason->Status != kJustified || blocked ? kUnjustifiedRgb : kJustifiedRgb, TPenStyle::Solid);
  } else {
    SetPen(kBlockedRgb, TPenStyle::Dotted);
  }
  if (structureOnly_) {
    SetPen(kBlackRgb, TPenStyle::Solid);
    canvas_.Font = kBlackRgb;
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
  AddPart(part);
  part.Area = QRect(QPoint(xc - 5, yc - 4), QPoint(xc + 5, yr + 3));
  AddPart(part);
}

TDiagramLayout LayoutDialecticalDiagram(const TArgumentationStage& stage, int width, const QFont& font,
                                        bool structureOnly, TDiagramMemory* memory) {
  TDiagramBuilder builder(width, font, structureOnly, 0, memory, stage.SharedStore());
  builder.PaintDialecticalDiagram(stage.MaximalDialecticalArguments);
  return builder.TakeLayout();
}

TDiagramLayout LayoutStatementsDiagram(const TArgumentationStage& stage, int width, const QFont& font,
                                       bool structureOnly, int height, TDiagramMemory* memory) {
  TDiagramBuilder builder(width, font, structureOnly, height, memory, stage.SharedStore());
  builder.PaintStatementsDiagram(stage.Statements);
  return builder.TakeLayout();
}

}  // namespace korvane
