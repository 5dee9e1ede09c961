// A view lays its diagram out after every move and copies the units (a statement's box,
// a maximal argument's tree) that read as before. Over lines with moves undone, another
// line in between, both diagrams, two widths and structure only, what it shows must be
// item for item what a layout from nothing gives.
#include <QtTest>

#include "generated_stages.h"
#include "view_fixtures.h"
#include "views/diagram_builder.h"

using namespace korvane;

namespace {

// The spans cover the items in order, and each item lies within its span's area, so a
// painter that skips the spans outside what it paints misses nothing.
bool SpansHoldTheirItems(const TDiagramLayout& layout) {
  int next = 0;
  for (const TDiagramSpan& span : layout.Spans) {
    if (span.First != next) return false;
    for (int k = span.First; k < span.End; ++k) {
      const TDiagramItem& item = layout.Order[static_cast<std::size_t>(k)];
      const auto i = static_cast<std::size_t>(item.Index);
      QRect r;
      switch (item.Kind) {
        case TDiagramItem::TKind::Box: r = layout.Boxes[i].Rect; break;
        case TDiagramItem::TKind::Line: r = layout.Lines[i].Bounds(); break;
        case TDiagramItem::TKind::Text: r = QRect(layout.Texts[i].Position, QSize(1, layout.LineHeight)); break;
        case TDiagramItem::TKind::Icon: r = QRect(layout.Icons[i].Position, QSize(16, 16)); break;
      }
      if (!span.Area.contains(r)) return false;
    }
    next = span.End;
  }
  return next == static_cast<int>(layout.Order.size());
}

}  // namespace

class DiagramReuseTest : public QObject {
  Q_OBJECT
  QFont font_ = test::WindowFont();

private slots:
  void copiedUnitsDrawWhatALayoutFromNothingDraws() {
    std::size_t copied = 0, units = 0, spans = 0;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
      // Few cycles: each multiplies what the dialectical diagram draws.
      const auto line = test::GeneratedStages(seed, 60, 30, 200);
      const auto other = test::GeneratedStages(seed + 50, 20, 30, 200);
      TDiagramMemory memory;
      for (std::size_t i = 0; i < line.size(); ++i) {
        // Every fifth move is undone and done again; now and then another line is shown.
        std::vector<const TArgumentationStage*> shown{line[i].get()};
        if (i % 5 == 4) shown = {line[i - 2].get(), line[i].get()};
        if (i % 11 == 10) shown = {other[i % other.size()].get(), line[i].get()};
        for (const TArgumentationStage* stage : shown) {
          const bool statements = (i / 9) % 2 == 1;
          const bool structureOnly = i % 13 == 12;
          const int width = (i / 6) % 3 == 2 ? 500 : 140;
          const int height = i % 7 == 3 ? 900 : 0;
          const auto layout = [&](TDiagramMemory* m) {
            return statements ? LayoutStatementsDiagram(*stage, width, font_, structureOnly, height, m)
                              : LayoutDialecticalDiagram(*stage, width, font_, structureOnly, m);
          };
          TDiagramLayout made = layout(&memory);
          if (!test::SameDrawing(made, layout(nullptr)))
            qFatal("seed %u, stage %zu: the copied diagram differs", seed, i);
          if (!SpansHoldTheirItems(made)) qFatal("seed %u, stage %zu: an item lies outside its span", seed, i);
          copied += memory.Reuse.Copied();
          spans = std::max(spans, made.Spans.size());
          units += statements ? stage->Statements.Count() : stage->MaximalDialecticalArguments.Count();
          memory.Reuse.GiveBack(std::move(made));
        }
      }
    }
    // Most units are copied, and not all: statuses change, boxes move.
    QVERIFY(copied > units / 2);
    QVERIFY(copied < units);
    QVERIFY(spans > 1);  // the span check saw diagrams of several spans
  }
};

QTEST_MAIN(DiagramReuseTest)
#include "diagram_reuse_test.moc"
