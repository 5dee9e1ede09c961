// What the main window and the move dialogs add without changing anything described:
// the hidden views fill the scroll box, the sentence lists show long sentences whole,
// the pressed View button stands out, dropped files open, every control is described.
#include <QAbstractItemView>
#include <QFile>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "app/exception_form.h"
#include "app/reason_conclusion_form.h"
#include "app/statement_form.h"
#include "app/widgets/scroll_box.h"
#include "app_fixture.h"
#include "modal_script.h"

using namespace korvane;

namespace {

// The mean colour of a control as drawn.
QColor MeanColour(QWidget* w) {
  const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
  qint64 r = 0, g = 0, b = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      r += qRed(p);
      g += qGreen(p);
      b += qBlue(p);
    }
  const qint64 n = qint64(image.width()) * image.height();
  return QColor(int(r / n), int(g / n), int(b / n));
}

int Distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// Controls of one window that lack an accessible name or description.
QStringList Undescribed(QWidget& window, int& checked) {
  QStringList missing;
  QList<QWidget*> controls{&window};
  for (QWidget* w : window.findChildren<QWidget*>())
    if (w->window() == &window && !w->objectName().isEmpty() && !w->objectName().startsWith(QStringLiteral("qt_")))
      controls << w;
  for (QWidget* w : controls) {
    ++checked;
    if (w->accessibleName().isEmpty() || w->accessibleDescription().isEmpty())
      missing << window.objectName() + '/' + w->objectName();
  }
  return missing;
}

}  // namespace

class WindowExtrasTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;
  QTemporaryDir dir_;

  template <class T = QWidget>
  T* Child(const char* name) const {
    return app_->Child<T>(name);
  }

  QString WriteFile(const QString& name, const QByteArray& bytes) const {
    const QString path = dir_.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
    return path;
  }

  // Drags urls over the diagram and drops them; the drop reaches the window.
  bool Drop(const QList<QUrl>& urls) const {
    QMimeData data;
    data.setUrls(urls);
    QWidget* target = Child("DialArgsPaintBox");
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
  }

private slots:
  void initTestCase() {
    InitTestApplication();
    QVERIFY(dir_.isValid());
  }
  void init() { app_ = std::make_unique<TApp>(); }
  void cleanup() { app_.reset(); }

  void hiddenViewsFillTheScrollBox_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("view");
    QTest::newRow("statements list") << "ViewStatementsSpeedButton"
                                     << "StatementsListView";
    QTest::newRow("reasons list") << "ViewReasonsSpeedButton"
                                  << "ReasonsListView";
    QTest::newRow("arguments tree") << "ViewArgumentsSpeedButton"
                                    << "ArgumentsTreeView";
  }
  void hiddenViewsFillTheScrollBox() {
    QFETCH(QString, button);
    QFETCH(QString, view);
    auto* scrollBox = Child<TScrollBox>("ScrollBox1");
    auto* shown = Child(qPrintable(view));
    Child<QPushButton>(qPrintable(button))->click();
    QVERIFY(!shown->isHidden());
    QCOMPARE(shown->geometry(), QRect(QPoint(0, 0), scrollBox->ClientAreaSize()));
    // And after the window changes size while it shows.
    app_->Main().resize(app_->Main().width() + 90, app_->Main().height() + 70);
    QTRY_COMPARE(shown->geometry(), QRect(QPoint(0, 0), scrollBox->ClientAreaSize()));
    QVERIFY(shown->width() > 400);
  }

  void sentenceListsShowLongSentencesWhole() {
    const QString wide = QStringLiteral(
        "(IF the goods delivered under the contract were defective at delivery, "
        "THEN the buyer may return them to the seller at the seller's cost)");
    const QString tooWide = QString(400, QLatin1Char('w'));
    app_->State(wide.toStdString(), kIssue);
    app_->State(tooWide.toStdString(), kIssue);
    TStatementForm& f = *app_->Forms.StatementForm;
    int popupWidth = 0, listWidth = 0, wideText = 0, comboWidth = 0, screenWidth = 0;
    bool onScreen = false;
    TModalScript script;
    script.Do("korvane::TStatementForm", [&](QWidget*) {
      TSentenceComboBox* box = f.StatementComboBox();
      box->showPopup();
      QWidget* popup = box->view()->window();
      const QRect area = popup->screen()->availableGeometry();
      popupWidth = popup->width();
      listWidth = box->view()->viewport()->width();
      wideText = box->view()->fontMetrics().horizontalAdvance(wide);
      comboWidth = box->width();
      screenWidth = area.width();
      onScreen = area.contains(popup->geometry());
      box->hidePopup();
      f.CancelButton()->click();
    });
    app_->Main().StatementButtonClick();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QVERIFY(wideText > comboWidth);
    // The longest sentence is wider than the screen: the list takes the screen's width.
    QCOMPARE(popupWidth, screenWidth);
    QVERIFY(listWidth >= wideText);
    QVERIFY(onScreen);
  }

  void thePressedViewButtonStandsOut() {
    auto* line = Child<QPushButton>("ViewLineOfArgumentationSpeedButton");
    auto* statements = Child<QPushButton>("ViewStatements2SpeedButton");
    auto* arguments = Child<QPushButton>("ViewDialArgsSpeedButton");
    QVERIFY(arguments->isChecked());
    QVERIFY(Distance(MeanColour(arguments), MeanColour(line)) > 90);
    QVERIFY(Distance(MeanColour(statements), MeanColour(line)) < 10);
    statements->click();
    QVERIFY(Distance(MeanColour(statements), MeanColour(line)) > 90);
    QVERIFY(Distance(MeanColour(arguments), MeanColour(line)) < 10);
    QCOMPARE(statements->text(), QStringLiteral("&Statements"));
    QCOMPARE(statements->geometry(), QRect(8, 48, 105, 25));
  }

  void droppedFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("moves");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("lastBox");
    const QString newCaption = QStringLiteral("Korvane - New line of argumentation");
    const QByteArray lin = "STATEMENT\r\n  ?: s\r\n\r\nSTATEMENT\r\n  !: t\r\n";
    QTest::newRow("line opened after the question")
        << "case.lin" << lin << QStringList{"&No"} << "Korvane - case.lin" << 2 << false << "";
    QTest::newRow("line, question cancelled")
        << "case.lin" << lin << QStringList{"Cancel"} << newCaption << 1 << true << "";
    QTest::newRow("line that cannot be opened")
        << "" << QByteArray() << QStringList{"&No", "OK"} << newCaption << 1 << false << "Cannot open file";
    QTest::newRow("argdown imported as a new line")
        << "case.argdown" << QByteArray("[C]: c\n  + [A]: a\n") << QStringList{"&No"} << newCaption << 1 << true << "";
    QTest::newRow("argdown with a remark") << "remark.argdown" << QByteArray("[C]: c\n  - [X]: x\n")
                                           << QStringList{"&No", "OK"} << newCaption << 2 << true << "remarks";
    QTest::newRow("broken AIF") << "broken.json" << QByteArray("{") << QStringList{"&No", "OK"} << newCaption << 1
                                << false << "Cannot import";
    QTest::newRow("anything else") << "notes.txt" << QByteArray("text") << QStringList{"OK"} << newCaption << 1 << true
                                   << "only lines of argumentation (.lin)";
    QTest::newRow("several files") << "a.lin|b.lin" << lin << QStringList{"OK"} << newCaption << 1 << true
                                   << "Only one file";
  }
  void droppedFiles() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, answers);
    QFETCH(QString, caption);
    QFETCH(int, moves);
    QFETCH(bool, modified);
    QFETCH(QString, lastBox);
    // One unsaved move, so that the save question comes.
    app_->State("before", kIssue);
    QList<QUrl> urls;
    for (const QString& n : name.split(QLatin1Char('|')))
      urls << QUrl::fromLocalFile(n.isEmpty() ? dir_.filePath(QStringLiteral("missing.lin")) : WriteFile(n, bytes));
    const QString path = urls.first().toLocalFile();
    TModalScript script;
    for (const QString& a : answers) script.Click(a);
    QVERIFY(Drop(urls));
    QVERIFY(QTest::qWaitFor([&] { return script.Succeeded() || !script.Failures.isEmpty(); }, 30000));
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    if (answers.first() != QStringLiteral("OK"))
      QVERIFY(script.Boxes.front().Text.startsWith(QStringLiteral("Do you want to save the changes")));
    if (!lastBox.isEmpty()) QVERIFY2(script.Boxes.back().Text.contains(lastBox), qPrintable(script.Boxes.back().Text));
    QCOMPARE(app_->Main().windowTitle(), caption);
    QCOMPARE(app_->Main().Line().ArgumentationMoves.Count(), moves);
    QCOMPARE(app_->Main().Line().Modified, modified);
    const bool opened = caption != QStringLiteral("Korvane - New line of argumentation");
    QCOMPARE(QString::fromStdString(app_->Main().Line().FileName),
             opened ? QString::fromLocal8Bit(QFile::encodeName(path)) : QStringLiteral("New.lin"));
  }

  void everyControlHasAnAccessibleNameAndDescription() {
    int checked = 0;
    QStringList missing = Undescribed(app_->Main(), checked);
    QVERIFY(checked >= 29);
    for (QWidget* dialog :
         {static_cast<QWidget*>(app_->Forms.StatementForm), static_cast<QWidget*>(app_->Forms.ReasonConclusionForm),
          static_cast<QWidget*>(app_->Forms.ExceptionForm)}) {
      const int before = checked;
      missing << Undescribed(*dialog, checked);
      QVERIFY(checked - before >= 9);
    }
    for (QAction* a : app_->Main().menuBar()->actions()) {
      QMenu* menu = a->menu();
      if (!menu || menu->accessibleName().isEmpty() || menu->accessibleDescription().isEmpty())
        missing << QStringLiteral("menu ") + a->text();
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    // The visible captions are the described ones still.
    QCOMPARE(Child<QPushButton>("ViewLineOfArgumentationSpeedButton")->text(), QStringLiteral("&Line of arg."));
    QCOMPARE(Child<QPushButton>("ViewLineOfArgumentationSpeedButton")->accessibleName(),
             QStringLiteral("Line of argumentation"));
  }
};

QTEST_MAIN(WindowExtrasTest)
#include "window_extras_test.moc"
