// Entries of the statements and reasons lists and nodes of the arguments tree.
#include <QtTest>

#include "model/stage_builder.h"
#include "views/arguments_tree.h"
#include "views/statement_lists.h"

using namespace korvane;
using korvane::test::StageBuilder;

namespace {

QStringList Texts(const QTreeWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.topLevelItemCount(); ++i) texts.append(list.topLevelItem(i)->text(0));
  return texts;
}

// A node as "text [image/overlay]" with its children in brackets, depth first.
QString Describe(const QTreeWidgetItem* item) {
  QString s = item->text(0) + QStringLiteral(" [%1/%2]")
                                  .arg(item->data(0, kImageIndexRole).toInt())
                                  .arg(item->data(0, kOverlayIndexRole).toInt());
  if (item->childCount() > 0) {
    QStringList children;
    for (int i = 0; i < item->childCount(); ++i) children.append(Describe(item->child(i)));
    s += QStringLiteral(" (") + children.join(QStringLiteral(", ")) + QStringLiteral(")");
  }
  return s;
}

QStringList DescribeTree(const QTreeWidget& tree) {
  QStringList roots;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) roots.append(Describe(tree.topLevelItem(i)));
  return roots;
}

}  // namespace

class ListsTreeTest : public QObject {
  Q_OBJECT

  TStatusIconsImageList icons_;

private slots:
  void initTestCase() {
    icons_.SetOverlay(kSmallAssumptionIcon, 0);
    icons_.SetOverlay(kSmallIssueIcon, 1);
  }

  void emptyStageGivesEmptyViews() {
    StageBuilder b;
    QTreeWidget statements, reasons, tree;
    FillStatementsList(statements, b.Current());
    FillReasonsList(reasons, b.Current());
    FillArgumentsTree(tree, b.Current(), kArgumentsCoordinated, icons_);
    QCOMPARE(statements.topLevelItemCount(), 0);
    QCOMPARE(reasons.topLevelItemCount(), 0);
    QCOMPARE(tree.topLevelItemCount(), 0);
  }

  void statementsListInStageOrder() {
    StageBuilder b;
    b.State("zebra", kIssue);
    b.Connect("apple", kAssumption, "mango", kIssue);
    QTreeWidget list;
    list.addTopLevelItem(new QTreeWidgetItem(QStringList{"left over"}));
    FillStatementsList(list, b.Current());
    QCOMPARE(Texts(list), (QStringList{"1: zebra", "2: mango", "3: apple"}));  // not sorted
    QVERIFY(list.topLevelItem(0)->flags() & Qt::ItemIsEditable);
  }

  void reasonsList_data() {
    QTest::addColumn<int>("exceptions");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("no exceptions: six entries")
        << 0 << QStringList{"CONCLUSION:", "1: c", "REASON:", "2: a", "(NO EXCEPTIONS)", ""};
    QTest::newRow("two exceptions: eight entries")
        << 2 << QStringList{"CONCLUSION:", "1: c", "REASON:", "2: a", "EXCEPTIONS:", "3: e1", "4: e2", ""};
  }
  void reasonsList() {
    QFETCH(int, exceptions);
    QFETCH(QStringList, entries);
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    for (int i = 1; i <= exceptions; ++i) b.Except("e" + std::to_string(i), kAssumption, "a", kAssumption, "c", kIssue);
    QTreeWidget list;
    FillReasonsList(list, b.Current());
    QCOMPARE(Texts(list), entries);
    QVERIFY(!(list.topLevelItem(1)->flags() & Qt::ItemIsEditable));
    QCOMPARE(ReasonsListEntries(b.Current()), entries);
  }

  void reasonsListBlocksFollowConnectionOrder() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.Connect("b", kAssumption, "a", kIssue);
    const QStringList entries = ReasonsListEntries(b.Current());
    QCOMPARE(entries.size(), 12);
    QCOMPARE(entries[1], QStringLiteral("1: c"));
    QCOMPARE(entries[7], QStringLiteral("2: a"));
    QCOMPARE(entries[9], QStringLiteral("3: b"));
  }

  void coordinatedTree() {
    StageBuilder b;
    b.Connect("a", kAssumption, "c", kIssue);
    b.Connect("b", kIssue, "c", kIssue);
    b.Connect("a", kAssumption, "d", kIssue);  // a supports two conclusions: a node under each
    b.State("lonely", kIssue);
    QTreeWidget tree;
    SetUpArgumentsTree(tree);
    FillArgumentsTree(tree, b.Current(), kArgumentsCoordinated, icons_);
    QCOMPARE(DescribeTree(tree),
             (QStringList{"1: c [3/1] (2: a [3/0], 3: b [4/1])", "4: d [3/1] (2: a [3/0])", "5: lonely [4/1]"}));
    QTreeWidgetItemIterator it(&tree);
    int nodes = 0;
    for (; *it; ++it, ++nodes) {
      QVERIFY((*it)->childCount() == 0 || (*it)->isExpanded());
      QCOMPARE((*it)->data(0, kSelectedImageIndexRole), (*it)->data(0, kImageIndexRole));
      QVERIFY(!(*it)->icon(0).isNull());
    }
    QCOMPARE(nodes, 6);
    QVERIFY(tree.isHeaderHidden());
    QCOMPARE(tree.indentation(), 19);

    FillArgumentsTree(tree, b.Current(), kArgumentsCoordinated, icons_);
    QCOMPARE(tree.topLevelItemCount(), 3);  // rebuilt, not added to
  }

  void notCoordinatedTreeShowsEachStatementsOwnSupport() {
    StageBuilder b;
    b.Connect("a", kIssue, "c", kIssue);
    b.Connect("b", kAssumption, "c", kIssue);
    b.Connect("z", kAssumption, "a", kIssue);
    QTreeWidget tree;
    FillArgumentsTree(tree, b.Current(), kArgumentsCoordinated, icons_);
    QCOMPARE(DescribeTree(tree), (QStringList{"1: c [3/1] (2: a [3/1] (4: z [3/0]), 3: b [3/0])"}));
    FillArgumentsTree(tree, b.Current(), kArgumentsNotCoordinated, icons_);
    QCOMPARE(DescribeTree(tree), (QStringList{"1: c [3/1] (2: a [3/1], 3: b [3/0])", "2: a [3/1] (4: z [3/0])",
                                              "3: b [3/0]", "4: z [3/0]"}));
  }

  void notCoordinatedTreeOfACycleStaysFinite() {
    StageBuilder b;
    b.Connect("a", kIssue, "b", kIssue);
    b.Connect("b", kIssue, "a", kIssue);
    QTreeWidget tree;
    FillArgumentsTree(tree, b.Current(), kArgumentsNotCoordinated, icons_);
    QCOMPARE(DescribeTree(tree), (QStringList{"1: b [4/1] (2: a [4/1])", "2: a [4/1] (1: b [4/1])"}));
  }

  void combinedIconShowsStatusAndType() {
    StageBuilder b;
    b.State("fact", kAssumption);
    QTreeWidget tree;
    FillArgumentsTree(tree, b.Current(), kArgumentsCoordinated, icons_);
    const QImage icon = tree.topLevelItem(0)->icon(0).pixmap(16, 16).toImage();
    QCOMPARE(icon.pixelColor(7, 5), QColor(0, 127, 0));  // the plus
    QCOMPARE(icon.pixelColor(1, 15), QColor(0, 0, 0));   // the small "!" in the corner
    QCOMPARE(icon.pixelColor(14, 1), QColor(255, 255, 255));
  }

  void labelsOfStatementsOutsideTheStage() {
    StageBuilder b;
    b.State("known", kIssue);
    TModelStore store;
    TStatement* foreign = store.NewStatement("foreign", kIssue);
    foreign->Id = "7";
    TStatement* copy = store.NewStatement("known", kIssue);  // same sentence, another object
    TArgument root;
    root.Conclusion = foreign;
    TArgument child;
    child.Conclusion = store.NewStatement("stranger", kAssumption);
    TArgument known;
    known.Conclusion = copy;
    root.InitialArguments.Add(&child);
    root.InitialArguments.Add(&known);

    QTreeWidget tree;
    TArgumentsTreeFiller filler(tree, icons_);
    filler.AddArgumentNode(b.Current(), &root, nullptr);
    QCOMPARE(DescribeTree(tree), (QStringList{"7: foreign [4/1] (?: stranger [4/0], 1: known [4/1])"}));
    QCOMPARE(copy->Id, std::string("1"));  // the label brought its identifier up to date

    TStatement nameless;
    nameless.Sentence = "nameless";
    TArgument bare;
    bare.Conclusion = &nameless;
    filler.AddArgumentNode(b.Current(), &bare, nullptr);
    QCOMPARE(tree.topLevelItem(1)->text(0), QStringLiteral(": nameless"));
    QCOMPARE(StatementLabel(b.Current(), nameless), QStringLiteral("?"));
  }

  void labelIsTheLastStatementWithTheSentence() {
    // A stage never holds a sentence twice; the rule is still to look at every statement.
    StageBuilder b;
    b.State("same", kIssue);
    b.State("other", kIssue);
    TStatement* twin = b.NewStatement("same", kAssumption);
    twin->Id = "9";
    b.Current().Statements.Add(twin);
    TStatement probe;
    probe.Sentence = "same";
    QCOMPARE(StatementLabel(b.Current(), probe), QStringLiteral("9"));
    QCOMPARE(probe.Id, std::string("9"));
  }

  void deepTreeIsBuiltAndRemovedWithoutRecursion() {
    constexpr int kDepth = 3000;
    StageBuilder b;
    std::deque<TArgument> chain(kDepth);
    for (int i = 0; i < kDepth; ++i) {
      chain[i].Conclusion = b.Store().NewStatement("s" + std::to_string(i), kIssue);
      if (i > 0) chain[i - 1].InitialArguments.Add(&chain[i]);
    }
    QTreeWidget tree;
    TArgumentsTreeFiller filler(tree, icons_);
    filler.AddArgumentNode(b.Current(), &chain[0], nullptr);
    int depth = 0;
    for (const QTreeWidgetItem* item = tree.topLevelItem(0); item; item = item->childCount() ? item->child(0) : nullptr)
      ++depth;
    QCOMPARE(depth, kDepth);
    filler.RemoveAllNodes();
    QCOMPARE(tree.topLevelItemCount(), 0);
  }

  void sharedSubArgumentsDoNotExplode() {
    // Each level's two sub-arguments share the level below: 2^40 nodes if expanded in full.
    StageBuilder b;
    std::deque<TArgument> pool;
    const auto make = [&](const std::string& sentence) {
      TArgument& a = pool.emplace_back();
      a.Conclusion = b.Store().NewStatement(sentence, kIssue);
      return &a;
    };
    TArgument* top = make("s0");
    TArgument* level = top;
    for (int i = 0; i < 40; ++i) {
      TArgument* x = make("x" + std::to_string(i));
      TArgument* y = make("y" + std::to_string(i));
      TArgument* next = make("s" + std::to_string(i + 1));
      level->InitialArguments.Add(x);
      level->InitialArguments.Add(y);
      x->InitialArguments.Add(next);
      y->InitialArguments.Add(next);
      level = next;
    }
    TArgumentationStage& stage = b.Current();
    stage.Arguments.Add(top);
    QTreeWidget tree;
    TArgumentsTreeFiller filler(tree, icons_);
    filler.ShowArgumentsTree(stage, kArgumentsCoordinated);
    QVERIFY(filler.Truncated());
    int nodes = 0;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) ++nodes;
    QCOMPARE(nodes, kMaximumTreeNodes + 1);
    QVERIFY(tree.topLevelItem(tree.topLevelItemCount() - 1)->text(0).contains("too large"));
  }
};

QTEST_MAIN(ListsTreeTest)
#include "lists_tree_test.moc"
