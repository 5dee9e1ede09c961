// The map: layout invariants over generated lines, the colour of every arrow and line
// against the explanation of its step, and the pixels of a small map.
#include <QtTest>

#include "document/explanation.h"
#include "model/evaluation_limit.h"
#include "model/stage_builder.h"
#include "model/warrant_sentences.h"
#include "support/stage_generator.h"
#include "generated_stages.h"
#include "view_fixtures.h"
#include "views/diagram_builder.h"
#include "views/diagram_export.h"
#include "views/diagram_painter.h"
#include "views/map_phases.h"
#include "views/map_picture.h"
#include "views/map_stage_graph.h"

#include <array>
#include <random>
#include <tuple>

using namespace korvane;
using test::GeneratedStages;
using test::SameDrawing;

namespace {

QRect NodeRect(const TMapPicture& p, std::size_t v) {
  return QRect(p.Placement.Left[v], p.Placement.Top[v], p.Graph.Nodes[v].Width, p.Graph.Nodes[v].Height);
}

// The middle of a route's first segment.
QPoint Middle(const TMapRoute& route) {
  return QPoint((route.Points[0].X + route.Points[1].X) / 2, (route.Points[0].Y + route.Points[1].Y) / 2);
}

// A pixel of colour within one pixel of point: where an aliased line passes.
bool Near(const QImage& image, QPoint point, const QColor& colour) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (image.pixelColor(point + QPoint(dx, dy)) == colour) return true;
  return false;
}

}  // namespace

class MapTest : public QObject {
  Q_OBJECT
  QFont font_ = test::WindowFont();

  void CheckInvariants(const TMapPicture& p) {
    const std::size_t n = p.Graph.Nodes.size();
    for (std::size_t v = 0; v < n; ++v) {
      const QRect r = NodeRect(p, v);
      QVERIFY2(r.left() >= 0 && r.top() >= 0 && r.right() < p.Layout.Width && r.bottom() < p.Layout.Height,
               qPrintable(QString::fromStdString(p.Graph.Nodes[v].Key) + " lies outside the map"));
      for (std::size_t w = v + 1; w < n; ++w)
        QVERIFY2(!r.intersects(NodeRect(p, w)) || r.height() == 0 || NodeRect(p, w).height() == 0,
                 qPrintable(QString::fromStdString(p.Graph.Nodes[v].Key + " overlaps " + p.Graph.Nodes[w].Key)));
    }
    for (std::size_t e = 0; e < p.Graph.Edges.size(); ++e) {
      const auto from = static_cast<std::size_t>(p.Graph.Edges[e].From);
      const auto to = static_cast<std::size_t>(p.Graph.Edges[e].To);
      const TMapRoute& route = p.Placement.Routes[e];
      // Upward edges end at the bottom of what they point to; a back edge points down.
      if (route.Back) {
        QVERIFY(p.Placement.Layer[from] < p.Placement.Layer[to]);
        QVERIFY(NodeRect(p, from).bottom() < NodeRect(p, to).top());
      } else {
        QVERIFY(p.Placement.Layer[from] > p.Placement.Layer[to]);
        QVERIFY(NodeRect(p, from).top() > NodeRect(p, to).bottom());
      }
      QCOMPARE(route.Points.front().Y, route.Back ? NodeRect(p, from).bottom() + 1 : NodeRect(p, from).top());
    }
  }

private slots:
  void LayoutInvariantsOnGeneratedLines() {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
      const auto stages = GeneratedStages(seed, 40);
      TMapPainter painter;
      for (std::size_t i = 0; i < stages.size(); i += 3) {
        CheckInvariants(painter.Paint(*stages[i], font_, false));
        if (QTest::currentTestFailed()) qFatal("seed %u, stage %zu", seed, i);
      }
    }
  }

  void EveryBoxKeepsItsPlaceWhenANewStatementComes() {
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
      test::StageBuilder b;
      for (const test::GeneratedMove& m : test::StageGenerator(seed, 8).Moves(30)) {
        try {
          std::unique_ptr<TArgumentationStage> next = test::Apply(b.Current(), m);
          if (next) b.Keep(std::move(next));
        } catch (const TEvaluationLimitError&) {}
      }
      TMapPainter painter;
      const TMapPicture before = painter.Paint(b.Current(), font_, false);
      b.State("a sentence nobody argued about", kAssumption);
      const TMapPicture after = painter.Paint(b.Current(), font_, false);
      for (const auto& [sentence, box] : before.StatementBoxes) {
        QVERIFY(after.StatementBoxes.count(sentence) == 1);
        QCOMPARE(after.StatementBoxes.at(sentence), box);
      }
      QCOMPARE(after.StatementBoxes.size(), before.StatementBoxes.size() + 1);
    }
  }

  // A painter measures a box once and reuses it while its sentence, face, place on an
  // arrow and font stay; what it draws must be what measuring afresh gives, also after
  // a status changes, structure only is switched and the font changes.
  void ReusedMeasuresGiveWhatAFreshMapGives() {
    const auto texts = [](const TMapPicture& p) {
      std::vector<std::tuple<QString, QRgb, bool, bool>> all;
      for (const TDiagramText& t : p.Layout.Texts) all.emplace_back(t.Text, t.Colour.rgba(), t.Bold, t.Italic);
      std::sort(all.begin(), all.end());
      return all;
    };
    QFont large = font_;
    large.setPixelSize(QFontInfo(font_).pixelSize() + 3);
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
      const auto stages = GeneratedStages(seed, 40);
      TMapPainter painter;
      for (std::size_t i = 0; i < stages.size(); ++i) {
        const bool structureOnly = i % 7 == 5;
        const QFont& font = i % 11 == 9 ? large : font_;
        const TMapPicture reused = painter.Paint(*stages[i], font, structureOnly);
        const TMapPicture fresh = PaintMap(*stages[i], font, structureOnly);
        QCOMPARE(reused.Graph.Nodes.size(), fresh.Graph.Nodes.size());
        for (std::size_t v = 0; v < fresh.Graph.Nodes.size(); ++v) {
          QCOMPARE(reused.Graph.Nodes[v].Key, fresh.Graph.Nodes[v].Key);
          QCOMPARE(reused.Graph.Nodes[v].Width, fresh.Graph.Nodes[v].Width);
          QCOMPARE(reused.Graph.Nodes[v].Height, fresh.Graph.Nodes[v].Height);
        }
        QVERIFY(texts(reused) == texts(fresh));
        if (QTest::currentTestFailed()) qFatal("seed %u, stage %zu", seed, i);
      }
      QVERIFY(painter.Measured().Count() > 0);
    }
    // A long sentence turns from justified (bold) to unjustified (italic).
    test::StageBuilder b;
    b.Connect("the goods were defective when the buyer took them home", kAssumption, "the buyer may return them",
              kIssue);
    TMapPainter painter;
    const auto width = [](const TMapPicture& p, const std::string& sentence) {
      return p.StatementBoxes.at(sentence).width();
    };
    const std::string conclusion = "the buyer may return them";
    const int bold = width(painter.Paint(b.Current(), font_, false), conclusion);
    b.Except("the buyer knew of the defect", kAssumption, "the goods were defective when the buyer took them home",
             kAssumption, conclusion, kIssue);
    const TMapPicture after = painter.Paint(b.Current(), font_, false);
    QCOMPARE(width(after, conclusion), width(PaintMap(b.Current(), font_, false), conclusion));
    const auto italicLines = std::count_if(after.Layout.Texts.begin(), after.Layout.Texts.end(),
                                           [](const TDiagramText& t) { return t.Italic; });
    QVERIFY(italicLines > 0);
    if (test::MissingDiagramFaces().isEmpty()) QVERIFY(width(after, conclusion) != bold);
  }

  // A move redraws only the parts it changed and moves the others' drawings to where the
  // parts now lie. Over moves, undone moves, status changes and structure only, the
  // picture must be item for item the one drawn afresh from the same layout, which a copy
  // of the painter without its drawings makes; painted, the culled screen must be the
  // whole picture's top left.
  void ReusedDrawingsGiveWhatDrawingAfreshGives() {
    const TStatusIconsImageList icons;
    int kept = 0;
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
      const auto stages = GeneratedStages(seed, 40);
      TMapPainter painter;
      TMapPicture shown;
      for (std::size_t i = 0; i < stages.size(); ++i) {
        // Every fifth move is undone and done again.
        for (const std::size_t k : i % 5 == 4 ? std::vector<std::size_t>{i - 2, i} : std::vector<std::size_t>{i}) {
          const bool structureOnly = k % 7 == 5;
          TMapPainter fresh = painter;
          fresh.ForgetDrawings();
          // Now and then the picture handed back is another one than the painter's last.
          TMapPicture other = k % 4 == 3 ? PaintMap(*stages[k / 2], font_, true) : TMapPicture();
          shown = painter.Paint(*stages[k], font_, structureOnly, std::move(k % 4 == 3 ? other : shown));
          kept += painter.PartsKept();
          const TMapPicture drawn = fresh.Paint(*stages[k], font_, structureOnly);
          QCOMPARE(fresh.PartsKept(), 0);
          QVERIFY(SameDrawing(shown.Layout, drawn.Layout));
          QCOMPARE(shown.Graph.Nodes.size(), drawn.Graph.Nodes.size());
          for (std::size_t v = 0; v < drawn.Graph.Nodes.size(); ++v)
            QCOMPARE(shown.Graph.Nodes[v].Key, drawn.Graph.Nodes[v].Key);
          QCOMPARE(shown.Arrows.size(), drawn.Arrows.size());
          for (std::size_t a = 0; a < shown.Arrows.size(); ++a) QCOMPARE(shown.Arrows[a].Pen, drawn.Arrows[a].Pen);
          if (QTest::currentTestFailed()) qFatal("seed %u, stage %zu", seed, k);
        }
      }
      // A screen painted with the spans outside it skipped equals that area of the whole.
      QImage whole(shown.Layout.Width, shown.Layout.Height, QImage::Format_RGB32);
      {
        QPainter p(&whole);
        PaintDiagram(p, shown.Layout, icons);
      }
      for (const QRect screen :
           {QRect(0, 0, 320, 200), QRect(shown.Layout.Width / 3, shown.Layout.Height / 3, 320, 200)}) {
        QImage part(shown.Layout.Width, shown.Layout.Height, QImage::Format_RGB32);
        QPainter p(&part);
        PaintDiagram(p, shown.Layout, icons, screen);
        p.end();
        QCOMPARE(part.copy(screen), whole.copy(screen));
      }
    }
    QVERIFY(kept > 0);
  }

  // Whether a connection's step or undercutter warrant is stated, the graph tells from an
  // index kept across the stages shown, in any order (moves undone and done again, another
  // line in between); the stage itself must agree for every connection and exception, and
  // the graph must be the one an index of its own gives.
  void StatedWarrantsAreFoundWhicheverStagesCameBefore() {
    int stated = 0;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
      const std::array<std::vector<std::unique_ptr<TArgumentationStage>>, 2> lines{GeneratedStages(seed, 40),
                                                                                   GeneratedStages(seed + 100, 40)};
      TMapStatementIndex index;
      std::mt19937 pick(seed);
      for (int n = 0; n < 40; ++n) {
        const auto& stages = lines[n % 7 == 6 ? 1 : 0];
        const TArgumentationStage& stage = *stages[pick() % stages.size()];
        const TMapStageGraph g = MapStageGraph(stage, {}, &index);
        const TMapStageGraph own = MapStageGraph(stage);
        QCOMPARE(g.Graph.Nodes.size(), own.Graph.Nodes.size());
        for (std::size_t v = 0; v < g.Graph.Nodes.size(); ++v) QCOMPARE(g.Graph.Nodes[v].Key, own.Graph.Nodes[v].Key);
        QCOMPARE(g.Graph.Edges.size(), own.Graph.Edges.size());
        for (std::size_t e = 0; e < g.Graph.Edges.size(); ++e)
          QVERIFY(g.Graph.Edges[e].From == own.Graph.Edges[e].From && g.Graph.Edges[e].To == own.Graph.Edges[e].To);
        TStatement* found = nullptr;
        for (const TMapConnectionSource& c : g.Connections) {
          const TReasonConclusion& rc = *c.Connection;
          const bool warrant = stage.SentenceIsStatementSentence(
              StepWarrantSentence(rc.Reason->Sentence, rc.Conclusion->Sentence, rc.ConnectionKind), found);
          QCOMPARE(g.Nodes[static_cast<std::size_t>(c.Junction)].Statement != nullptr, warrant);
          stated += warrant ? 1 : 0;
        }
        for (const TMapExceptionSource& e : g.Exceptions) {
          const bool warrant = stage.SentenceIsStatementSentence(
              UndercutterWarrantSentence(e.Exception->Sentence, e.Connection->Reason->Sentence,
                                         e.Connection->Conclusion->Sentence),
              found);
          QCOMPARE(e.Edges.size(), warrant ? std::size_t{2} : std::size_t{1});
          stated += warrant ? 1 : 0;
        }
        for (std::size_t i = 0; i < stage.Statements.Count(); ++i)
          QVERIFY(g.StatementNodes[i] >= 0 &&
                  g.Nodes[static_cast<std::size_t>(g.StatementNodes[i])].Statement == stage.Statements[i]);
        if (QTest::currentTestFailed()) qFatal("seed %u", seed);
      }
    }
    QVERIFY(stated > 0);
  }

  // A tree of reasons and a tree whose leaves are shared by neighbouring conclusions can
  // both be drawn without a crossing; whatever the node order, a fresh ordering finds it.
  void AFreshOrderingUntanglesShuffledTrees() {
    for (const int shared : {0, 1})
      for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        // Node i's conclusion is (i - 1) / 3; with shared, the first leaf of each
        // conclusion also argues for the conclusion's right-hand neighbour.
        constexpr int kNodes = 40;
        std::vector<int> id(kNodes);
        std::iota(id.begin(), id.end(), 0);
        std::shuffle(id.begin(), id.end(), std::mt19937(seed));
        std::vector<TMapEdge> edges;
        for (int i = 1; i < kNodes; ++i) {
          const int parent = (i - 1) / 3;
          edges.push_back({id[static_cast<std::size_t>(i)], id[static_cast<std::size_t>(parent)]});
          if (shared && i >= 13 && (i - 1) % 3 == 0 && parent > 4)
            edges.push_back({id[static_cast<std::size_t>(i)], id[static_cast<std::size_t>(parent - 1)]});
        }
        TLayeredGraph g = LayerGraph(std::vector<int>(kNodes, 20), edges);
        OrderLayers(g, std::vector<double>(kNodes, NAN));
        QCOMPARE(CountLayerCrossings(g), 0LL);
      }
  }

  void AReasonForAnArgumentedStatementHangsBelowItAndTheRestStays() {
    test::StageBuilder b;
    b.Connect("b", kAssumption, "a", kIssue);
    b.Connect("c", kAssumption, "a", kIssue);
    b.Connect("y", kAssumption, "x", kIssue);
    TMapPainter painter;
    const TMapPicture before = painter.Paint(b.Current(), font_, false);
    b.Connect("d", kAssumption, "a", kIssue);
    const TMapPicture after = painter.Paint(b.Current(), font_, false);
    QCOMPARE(painter.Engine().PartsLaidOut(), 1);
    const QRect a = after.StatementBoxes.at("a");
    const QRect d = after.StatementBoxes.at("d");
    QVERIFY(d.top() > a.bottom());
    QCOMPARE(after.StatementBoxes.at("a").top(), before.StatementBoxes.at("a").top());
    // b and c keep their order and row.
    QCOMPARE(after.StatementBoxes.at("b").top(), before.StatementBoxes.at("b").top());
    QVERIFY(after.StatementBoxes.at("b").left() < after.StatementBoxes.at("c").left());
  }

  void ArrowsAndLinesSayWhatTheExplanationSays() {
    const QColor blue = JustifiedColour(), teal = UnjustifiedColour(), red = UndercutColour(), grey = BlockedColour();
    int counted = 0, notCounted = 0, failed = 0, blocking = 0;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
      const auto stages = GeneratedStages(seed, 40);
      const TArgumentationStage& stage = *stages.back();
      const TMapPicture p = PaintMap(stage, font_, false);
      QCOMPARE(p.Arrows.size(), stage.ReasonConclusions.Count());
      std::size_t line = 0;
      for (std::size_t c = 0; c < stage.ReasonConclusions.Count(); ++c) {
        const TReasonConclusion& rc = *stage.ReasonConclusions[c];
        TStatement* conclusion = nullptr;
        QVERIFY(stage.SentenceIsStatementSentence(rc.Conclusion->Sentence, conclusion));
        const TStatementExplanation x = ExplainStatement(stage, *conclusion);
        const auto step = std::find_if(x.Steps.begin(), x.Steps.end(), [&](const TStepExplanation& s) {
          return s.Reason->Sentence == rc.Reason->Sentence;
        });
        QVERIFY(step != x.Steps.end());
        const TMapStroke& arrow = p.Arrows[c];
        QCOMPARE(arrow.Connection, &rc);
        if (!step->WarrantHolds) {
          ++failed;
          QCOMPARE(arrow.Pen, grey);
          QCOMPARE(arrow.PenStyle, TPenStyle::Dotted);
        } else {
          ++(step->Counts ? counted : notCounted);
          QCOMPARE(arrow.Pen, step->Counts ? blue : teal);
          QCOMPARE(arrow.PenStyle, TPenStyle::Solid);
        }
        for (const TUndercutterExplanation& u : step->Undercutters) {
          const TMapStroke& stroke = p.ExceptionLines.at(line++);
          QCOMPARE(stroke.Exception->Sentence, u.Exception->Sentence);
          blocking += u.Blocks ? 1 : 0;
          QCOMPARE(stroke.Pen, !u.WarrantHolds ? grey : u.Blocks ? red : teal);
        }
      }
      QCOMPARE(line, p.ExceptionLines.size());
    }
    // The lines generated hold every case.
    QVERIFY(counted > 0 && notCounted > 0 && failed > 0 && blocking > 0);
  }

  void StatedWarrantIsASmallBoxOnItsArrow() {
    test::StageBuilder b;
    b.Connect("the goods are defective", kAssumption, "the buyer may return them", kIssue);
    b.State("(IF the goods are defective, THEN the buyer may return them)", kAssumption);
    const TMapPicture p = PaintMap(b.Current(), font_, false);
    // Three boxes, two of them free; the warrant is the step's junction.
    QCOMPARE(p.Layout.Boxes.size(), std::size_t{3});
    QCOMPARE(p.Graph.Nodes.size(), std::size_t{3});
    const QRect warrant = p.StatementBoxes.at("(IF the goods are defective, THEN the buyer may return them)");
    QVERIFY(p.StatementBoxes.Find("a sentence not stated").isNull());
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, (void)p.StatementBoxes.at("a sentence not stated"));
    QVERIFY(warrant.top() > p.StatementBoxes.at("the buyer may return them").bottom());
    QVERIFY(warrant.bottom() < p.StatementBoxes.at("the goods are defective").top());
    QVERIFY(std::any_of(p.Layout.Texts.begin(), p.Layout.Texts.end(),
                        [](const TDiagramText& t) { return t.Text.startsWith(QStringLiteral("IF the goods")); }));
    // A defeating step's warrant and an undercutter's warrant sit on their arrow and line too.
    const std::string broke = "the buyer broke them", visible = "the defect was visible";
    const std::string conclusion = "the buyer may return them", reason = "the goods are defective";
    b.Connect(broke, kAssumption, conclusion, kIssue, kDefeating);
    b.State(StepWarrantSentence(broke, conclusion, kDefeating), kAssumption);
    b.Except(visible, kAssumption, reason, kAssumption, conclusion, kIssue);
    b.State(UndercutterWarrantSentence(visible, reason, conclusion), kAssumption);
    const TMapStageGraph g = MapStageGraph(b.Current());
    QCOMPARE(std::count_if(g.Nodes.begin(), g.Nodes.end(),
                           [](const TMapNodeSource& n) { return n.Attached && n.Statement; }),
             3);
  }

  void SmallMapPixels() {
    if (!test::MissingDiagramFaces().isEmpty()) QSKIP("diagram fonts missing");
    test::StageBuilder b;
    b.Connect("b", kAssumption, "a", kIssue);
    b.Except("e", kAssumption, "b", kAssumption, "a", kIssue);
    const TStatusIconsImageList icons;
    for (const bool structureOnly : {false, true}) {
      const TMapPicture p = PaintMap(b.Current(), font_, structureOnly);
      const QImage image = RenderDiagramImage(p.Layout, icons);
      const QRect a = p.StatementBoxes.at("a");
      const QRect e = p.StatementBoxes.at("e");
      // e blocks the step, so a is unjustified: a teal outline, a red line from e, a
      // teal arrow; structure only: all black and no icons.
      QCOMPARE(image.pixelColor(a.topLeft()), structureOnly ? QColor(Qt::black) : UnjustifiedColour());
      QCOMPARE(image.pixelColor(e.topLeft()), structureOnly ? QColor(Qt::black) : JustifiedColour());
      const TMapRoute& exceptionRoute = p.Placement.Routes.back();
      QVERIFY(Near(image, Middle(exceptionRoute), structureOnly ? QColor(Qt::black) : UndercutColour()));
      QVERIFY(Near(image, Middle(p.Placement.Routes[1]), structureOnly ? QColor(Qt::black) : UnjustifiedColour()));
      QCOMPARE(p.Layout.Icons.size(), structureOnly ? std::size_t{0} : std::size_t{3});
    }
  }
};

QTEST_MAIN(MapTest)
#include "map_test.moc"
