// korvane-cli render: its arguments, and the pictures it writes from .lin files.
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/cli_support.h"
#include "cli/render_command.h"

using namespace korvane;
using namespace korvane::cli;

namespace {

// A file with the connection "it rains" (an assumption) to "the street is wet" (an issue).
void WriteLin(const QString& path) {
  std::ofstream file(path.toStdString(), std::ios::binary);
  file << "CONCLUSION\r\n  ?: the street is wet\r\nREASON\r\n  !: it rains\r\n\r\n";
}

}  // namespace

class RenderCommandTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  // Runs the command with standard error captured; -1 when it threw.
  static int Run(const QStringList& args, std::string& errors) {
    std::vector<std::string> list;
    for (const QString& a : args) list.push_back(a.toStdString());
    std::ostringstream captured;
    std::streambuf* saved = std::cerr.rdbuf(captured.rdbuf());
    int code = -1;
    try {
      code = RunRender(list);
    } catch (const std::exception& e) {
      captured << e.what();
    }
    std::cerr.rdbuf(saved);
    errors = captured.str();
    return code;
  }

private slots:
  void initTestCase() { WriteLin(dir_.filePath("rain.lin")); }

  void wrongArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const QStringList view{"--view", "dialectical"};
    QTest::newRow("no file") << QStringList{"--view", "dialectical", "--width", "300", "--output", "a.png"}
                             << "no input file";
    QTest::newRow("no view") << QStringList{"f.lin", "--width", "300", "--output", "a.png"} << "--view is missing";
    QTest::newRow("unknown view") << QStringList{"f.lin", "--view", "tree", "--width", "300", "--output", "a.png"}
                                  << "unknown view tree";
    QTest::newRow("no width") << QStringList{"f.lin", "--view", "statements", "--output", "a.png"}
                              << "--width is missing";
    QTest::newRow("width not a number") << QStringList{"f.lin", "--view",   "statements", "--width",
                                                       "30x",   "--output", "a.png"}
                                        << "not 30x";
    QTest::newRow("width zero") << QStringList{"f.lin", "--view=statements", "--width=0", "--output=a.png"} << "not 0";
    QTest::newRow("width without value") << QStringList{"f.lin", "--view", "statements", "--width"}
                                         << "--width needs a value";
    QTest::newRow("no output") << QStringList{"f.lin", "--view", "statements", "--width", "300"}
                               << "--output is missing";
    QTest::newRow("output of another kind")
        << QStringList{"f.lin", "--view", "statements", "--width", "300", "--output", "a.gif"} << "must end in .png";
    QTest::newRow("unknown option") << QStringList{"f.lin", "--colour"} << "unknown option --colour";
    QTest::newRow("two files") << QStringList{"f.lin", "g.lin"} << "more than one input file";
    QTest::newRow("scale out of range") << QStringList{"f.lin", "--view=statements", "--width=9", "--scale=5"}
                                        << "--scale must be 1, 2, 3 or 4, not 5";
  }
  void wrongArguments() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    std::vector<std::string> list;
    for (const QString& a : args) list.push_back(a.toStdString());
    try {
      (void)ParseRenderArguments(list);
      QFAIL("the arguments were accepted");
    } catch (const TUsageError& e) {
      QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
    }
  }

  void argumentsInBothSpellings() {
    const TRenderRequest request = ParseRenderArguments(
        {"--width=640", "in.lin", "--structure-only", "--view", "statements", "--output", "o.SVG"});
    QCOMPARE(request.File, std::string("in.lin"));
    QCOMPARE(request.View, std::string("statements"));
    QCOMPARE(request.Width, 640);
    QVERIFY(request.StructureOnly);
    QCOMPARE(request.Output, std::string("o.SVG"));
  }

  void rendersEachViewAndFormat_data() {
    QTest::addColumn<QString>("view");
    QTest::addColumn<bool>("structureOnly");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rows");
    QTest::newRow("dialectical png") << "dialectical" << false << "d.png" << 2;
    QTest::newRow("statements png, structure only") << "statements" << true << "s.png" << 2;
    QTest::newRow("dialectical svg") << "dialectical" << false << "d.svg" << 0;
    QTest::newRow("statements pdf") << "statements" << false << "s.pdf" << 0;
    QTest::newRow("dialectical png at twice the density") << "dialectical" << false << "d2.png" << 2;
  }
  void rendersEachViewAndFormat() {
    QFETCH(QString, view);
    QFETCH(bool, structureOnly);
    QFETCH(QString, name);
    QFETCH(int, rows);
    const QString output = dir_.filePath(name);
    QStringList args{dir_.filePath("rain.lin"), "--view", view, "--width", "360", "--output", output};
    if (structureOnly) args.append("--structure-only");
    const int scale = name == "d2.png" ? 2 : 1;
    if (scale == 2)
      args << "--scale"
           << "2";
    std::string errors;
    QCOMPARE(Run(args, errors), 0);
    QVERIFY(errors.empty());
    QVERIFY(QFile::exists(output));
    if (name.endsWith(".png")) {
      const QImage image(output);
      QCOMPARE(image.width(), 360 * scale);
      QCOMPARE(image.height(), (rows * 28 - 2) * scale);  // two rows of the window font, the last box ends at 24
      // The conclusion is an issue supported by an assumption: justified, blue; black without colours.
      QCOMPARE(image.pixelColor(2 * scale, 12 * scale), structureOnly ? QColor(0, 0, 0) : QColor(0, 0, 255));
    } else {
      QFile file(output);
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QByteArray head = file.read(64);
      QVERIFY(name.endsWith(".svg") ? head.contains("<?xml") : head.startsWith("%PDF-"));
    }
  }

  void rendersTheMapAtItsOwnWidth() {
    const QString output = dir_.filePath("map.png");
    std::string errors;
    QCOMPARE(Run({dir_.filePath("rain.lin"), "--view", "map", "--output", output}, errors), 0);
    const QImage image(output);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() < 1000);
    // The justified conclusion's blue box lies above its reason's.
    int firstBlue = -1;
    for (int y = 0; y < image.height() && firstBlue < 0; ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == QColor(0, 0, 255)) {
          firstBlue = y;
          break;
        }
    QVERIFY(firstBlue >= 0 && firstBlue < image.height() / 2);
  }

  void unreadableFileIsReported() {
    const QString missing = dir_.filePath("missing.lin");
    std::string errors;
    QCOMPARE(Run({missing, "--view", "dialectical", "--width", "300", "--output", dir_.filePath("m.png")}, errors), -1);
    QVERIFY2(QString::fromStdString(errors).contains("Cannot open file " + missing), errors.c_str());
    QVERIFY(!QFile::exists(dir_.filePath("m.png")));
  }

  void cutShortFileStillDrawsWhatWasMade() {
    const QString path = dir_.filePath("cut.lin");
    {
      std::ofstream file(path.toStdString(), std::ios::binary);
      file << "STATEMENT\r\n  !: it rains\r\n\r\nCONCLUSION\r\n  ?: the street is wet\r\n";
    }
    const QString output = dir_.filePath("cut.png");
    std::string errors;
    QCOMPARE(Run({path, "--view", "statements", "--width", "300", "--output", output}, errors), kExitFailed);
    QVERIFY2(QString::fromStdString(errors).contains("List index out of bounds."), errors.c_str());
    QCOMPARE(QImage(output).height(), 26);  // the one statement made before the cut
  }

  void unwritableOutputIsReported() {
    const QString output = dir_.filePath("no/such/dir/x.png");
    std::string errors;
    QCOMPARE(Run({dir_.filePath("rain.lin"), "--view", "dialectical", "--width", "300", "--output", output}, errors),
             kExitFile);
    QVERIFY2(QString::fromStdString(errors).contains("Cannot create file " + output), errors.c_str());
  }
};

QTEST_MAIN(RenderCommandTest)
#include "render_command_test.moc"
