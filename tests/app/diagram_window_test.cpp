// The diagrams in the window: every box reachable by the scroll bars, tooltips that
// explain boxes and connectors, the context menus, and what assistive technology reads.
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QHelpEvent>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <memory>

#include "app/diagram_menu.h"
#include "app/widgets/scroll_box.h"
#include "app_fixture.h"
#include "modal_script.h"
#include "views/diagram_builder.h"
#include "views/diagram_export.h"
#include "views/diagram_paint_box.h"
#include "views/line_of_argumentation_view.h"

using namespace korvane;

class DiagramWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;

  [[nodiscard]] TArgIntForm& Main() const { return app_->Main(); }
  template <class T = QWidget>
  T* Child(const char* name) const {
    return app_->Child<T>(name);
  }
  [[nodiscard]] TDiagramPaintBox* PaintBox() const { return Child<TDiagramPaintBox>("DialArgsPaintBox"); }
  [[nodiscard]] TScrollBox* ScrollBox() const { return Child<TScrollBox>("ScrollBox1"); }
  [[nodiscard]] TDiagramMenu* Menu() const { return Main().findChild<TDiagramMenu*>(); }

  /// Reason/conclusion moves without questions, drawn once at the end.
  void Connect(const std::vector<std::array<std::string, 2>>& pairs, TStatementType reasonType = kIssue) const {
    app_->Session().RefreshViews = false;
    for (const auto& [reason, conclusion] : pairs) {
      TReasonConclusion* c = Main().Line().NewReasonConclusion();
      c->Reason->Sentence = reason;
      c->Reason->StatementType = reasonType;
      c->Conclusion->Sentence = conclusion;
      c->Conclusion->StatementType = kIssue;
      app_->Session().PerformReasonConclusionMove(c);
    }
    app_->Session().RefreshViews = true;
    Main().RefreshCurrentView();
  }

  // Each box can be scrolled into the viewport: the scroll range covers the paint box,
  // and the paint box covers the box.
  void VerifyEveryBoxReachable() const {
    // Scroll bars come and go with posted layout requests; let them settle first.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QScrollBar* h = ScrollBox()->horizontalScrollBar();
    QScrollBar* v = ScrollBox()->verticalScrollBar();
    const QSize viewport = ScrollBox()->viewport()->size();
    const int reachableRight = h->maximum() + viewport.width();
    const int reachableBottom = v->maximum() + viewport.height();
    for (const TDiagramBox& box : PaintBox()->Layout().Boxes) {
      QVERIFY2(box.Rect.right() < PaintBox()->width(), "the paint box holds the box");
      QVERIFY2(box.Rect.right() < reachableRight, "the horizontal scroll bar reaches the box");
      QVERIFY2(box.Rect.bottom() < reachableBottom, "the vertical scroll bar reaches the box");
    }
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() { app_ = std::make_unique<TApp>(); }
  void cleanup() { app_.reset(); }

  void everyBoxOfADeepOrWideDiagramIsReachable_data() {
    QTest::addColumn<bool>("chain");
    QTest::newRow("a chain of 200 links") << true;
    QTest::newRow("a conclusion with 199 reasons") << false;
  }
  void everyBoxOfADeepOrWideDiagramIsReachable() {
    QFETCH(bool, chain);
    Main().resize(800 + 137 + 20, 600);
    std::vector<std::array<std::string, 2>> pairs;
    for (int i = 0; i < (chain ? 200 : 199); ++i)
      pairs.push_back(chain ? std::array<std::string, 2>{"claim " + std::to_string(i + 1), "claim " + std::to_string(i)}
                            : std::array<std::string, 2>{"reason " + std::to_string(i), "the conclusion"});
    Connect(pairs, chain ? kIssue : kAssumption);
    VerifyEveryBoxReachable();
    const int ruled = PaintBox()->LayoutWidth();
    QCOMPARE(PaintBox()->Layout().Boxes.size(), std::size_t(chain ? 201 : 200));
    QVERIFY(PaintBox()->width() > ruled);
    // Nothing is wrapped to a sliver: no box is taller than a few rows.
    for (const TDiagramBox& box : PaintBox()->Layout().Boxes) QVERIFY(box.Rect.height() <= 6 * 28);
    // A wider window lays out for its own width, not for the widened paint box.
    Main().resize(Main().width() + 100, Main().height());
    QCOMPARE(PaintBox()->LayoutWidth(), ruled + 100);
    VerifyEveryBoxReachable();
  }

  void contextMenuOffersExportPrintAndCopy() {
    QStringList captions;
    for (const QAction* a : Menu()->Menu().actions()) captions << a->text();
    // Undo and Redo come first, then a separator.
    QCOMPARE(captions, (QStringList{"Undo", "Redo", "", "Export diagram...", "Print...", "Copy as image", "", "Find statement...", "Show map"}));
    emit PaintBox()->customContextMenuRequested(QPoint(5, 5));
    QVERIFY(QTest::qWaitForWindowExposed(&Menu()->Menu()));
    Menu()->Menu().close();
  }

  void exportWritesTheDiagramShownOrSaysWhyNot() {
    Connect({{"it rains", "the street is wet"}}, kAssumption);
    QTemporaryDir dir;
    {
      TModalScript script;
      script.ChooseFile(dir.filePath("wet"));  // the suffix of the chosen type is added
      Menu()->ExportDiagram();
      QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
      QCOMPARE(script.FileDialogs.front().Title, QStringLiteral("Export diagram"));
    }
    const QImage expected = RenderDiagramImage(PaintBox()->Layout(), PaintBox()->Icons());
    QCOMPARE(QImage(dir.filePath("wet.png")).convertToFormat(expected.format()), expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"wet.png"});  // no temporary left

    const QString missing = dir.filePath("no/such/folder/wet.svg");
    TModalScript failing;
    failing.ChooseFile(missing).Click("OK");
    Menu()->ExportDiagram();
    QVERIFY2(failing.Succeeded(), qPrintable(failing.Report()));
    QCOMPARE(failing.Boxes.front().Text, "Cannot create file " + missing + ".");
  }

  void printPreviewShowsTheDiagramOnPages() {
    std::vector<std::array<std::string, 2>> pairs;
    for (int i = 0; i < 80; ++i) pairs.push_back({"claim " + std::to_string(i + 1), "claim " + std::to_string(i)});
    Connect(pairs);
    int shown = 0;
    TModalScript script;
    script.Do("QPrintPreviewDialog", [&shown](QWidget* dialog) {
      shown = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
      dialog->close();
    });
    Menu()->Print();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    // The same pages as printing to a file: 81 rows of 28 pixels do not fit on one page.
    QPrinter printer(QPrinter::HighResolution);
    QTemporaryDir dir;
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    const int pages = PrintDiagram(printer, PaintBox()->Layout(), PaintBox()->Icons());
    QVERIFY(pages > 1);
    QCOMPARE(shown, pages);
  }

  void copyAsImagePutsTheDiagramOnTheClipboard() {
    Connect({{"it rains", "the street is wet"}}, kAssumption);
    QApplication::clipboard()->clear();
    Menu()->CopyAsImage();
    const QImage expected = RenderDiagramImage(PaintBox()->Layout(), PaintBox()->Icons());
    QCOMPARE(QApplication::clipboard()->image().convertToFormat(expected.format()), expected);
  }

  // The text view copies a selection or everything, a line the screen cuts short whole.
  void textViewCopiesAll() {
    const std::string longSentence(TLineOfArgumentationView::kShownCharacters + 10, 'x');
    app_->State(longSentence, kAssumption);
    Child<QPushButton>("ViewLineOfArgumentationSpeedButton")->click();
    auto* view = Child<TLineOfArgumentationView>("LineOfArgumentationRichEdit");
    std::unique_ptr<QMenu> menu(view->CreateContextMenu());
    QStringList captions;
    for (const QAction* a : menu->actions())
      if (!a->isSeparator()) captions << a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    QCOMPARE(captions.mid(captions.indexOf("Copy"), 2), (QStringList{"Copy", "Copy all"}));
    menu->findChild<QAction*>("CopyAll")->trigger();
    QString expected;
    for (const std::string& line : app_->Text()) expected += QString::fromStdString(line) + '\n';
    expected.chop(1);
    QCOMPARE(QApplication::clipboard()->text(), expected);
    QVERIFY(expected.contains(QString::fromStdString(longSentence)));
  }
};

QTEST_MAIN(DiagramWindowTest)
#include "diagram_window_test.moc"
