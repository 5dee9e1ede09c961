// Saving from the window when the file cannot be written, and odd files opened in the
// window: a failed Save or Save As changes neither the document's name, nor its unsaved
// mark, nor the caption, nor anything on the disk; odd bytes are shown readably and
// saved exactly as they came.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app_fixture.h"
#include "modal_script.h"
#include "views/line_of_argumentation_view.h"

using namespace korvane;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "<missing>";
  return f.readAll();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

const QByteArray kOld = "STATEMENT\r\n  ?: the old file\r\n\r\n";

}  // namespace

class SafeSaveWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;
  std::unique_ptr<QTemporaryDir> dir_;

  TArgIntForm& Main() const { return app_->Main(); }
  QString Path(const QString& name) const { return dir_->filePath(name); }

  // Opens a file through the Open command; the document then has one unsaved move more.
  void OpenAndChange(const QString& path) {
    TModalScript script;
    script.ChooseFile(path);
    Main().Open1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(Main().Line().FileName, Bytes(path));
    app_->State("a change not yet saved", kAssumption);
    QVERIFY(Main().Line().Modified);
  }

  // Runs a command that must end in the error box for path.
  template <typename Command>
  void ExpectCreateError(TModalScript& script, const QString& path, Command command) {
    script.Click(QStringLiteral("OK"));
    command();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    const TSeenBox& box = script.Boxes.back();
    QCOMPARE(box.Title, QStringLiteral("Korvane"));
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QCOMPARE(box.Text, QStringLiteral("Cannot create file ") + path + QStringLiteral("."));
  }

  void ExpectUnchanged(const QString& path, const QString& caption) const {
    QCOMPARE(Main().Line().FileName, Bytes(path));
    QVERIFY(Main().Line().Modified);
    QCOMPARE(Main().windowTitle(), caption);
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), 2);
  }

private slots:
  void initTestCase() { InitTestApplication(); }
  void init() {
    app_ = std::make_unique<TApp>();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
  }
  void cleanup() {
    app_.reset();
    dir_.reset();
  }

  // The folder was moved away while the document was open, and a file took its name.
  void saveWhenTheFolderBecameAFile() {
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("case")));
    const QString path = Path(QStringLiteral("case/case.lin"));
    QVERIFY(WriteAll(path, kOld));
    OpenAndChange(path);
    QVERIFY(QDir(dir_->path()).rename(QStringLiteral("case"), QStringLiteral("moved")));
    QVERIFY(WriteAll(Path(QStringLiteral("case")), "a file, not a folder"));
    TModalScript script;
    ExpectCreateError(script, path, [&] { Main().Save1Click(); });
    ExpectUnchanged(path, QStringLiteral("Korvane - case.lin"));
    QCOMPARE(ReadAll(Path(QStringLiteral("moved/case.lin"))), kOld);
    QCOMPARE(Entries(Path(QStringLiteral("moved"))), QStringList{QStringLiteral("case.lin")});
    QCOMPARE(ReadAll(Path(QStringLiteral("case"))), QByteArray("a file, not a folder"));
  }

  // Something else put a folder, with a file in it, where the document's file was.
  void saveWhenTheFileBecameAFolder() {
    const QString path = Path(QStringLiteral("case.lin"));
    QVERIFY(WriteAll(path, kOld));
    OpenAndChange(path);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("case.lin")));
    QVERIFY(WriteAll(Path(QStringLiteral("case.lin/inside")), "kept"));
    TModalScript script;
    ExpectCreateError(script, path, [&] { Main().Save1Click(); });
    ExpectUnchanged(path, QStringLiteral("Korvane - case.lin"));
    QCOMPARE(Entries(dir_->path()), QStringList{QStringLiteral("case.lin")});
    QCOMPARE(ReadAll(Path(QStringLiteral("case.lin/inside"))), QByteArray("kept"));
  }

  void saveAsWhereNoFileCanBe_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("folder missing") << QStringLiteral("missing/new.lin");
    QTest::newRow("folder is a file") << QStringLiteral("plain/new.lin");
  }
  void saveAsWhereNoFileCanBe() {
    QFETCH(QString, target);
    const QString path = Path(QStringLiteral("case.lin"));
    QVERIFY(WriteAll(path, kOld));
    QVERIFY(WriteAll(Path(QStringLiteral("plain")), "plain"));
    OpenAndChange(path);
    const QString chosen = Path(target);
    TModalScript script;
    script.ChooseFile(chosen);
    ExpectCreateError(script, chosen, [&] { Main().SaveAs1Click(); });
    ExpectUnchanged(path, QStringLiteral("Korvane - case.lin"));
    QCOMPARE(ReadAll(path), kOld);
    QCOMPARE(ReadAll(Path(QStringLiteral("plain"))), QByteArray("plain"));
    QCOMPARE(Entries(dir_->path()), (QStringList{QStringLiteral("case.lin"), QStringLiteral("plain")}));
  }

  // Yes in the save question, and the save fails: the window stays with its changes.
  void closingDoesNotGoOnWhenItsSaveFails() {
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("case")));
    const QString path = Path(QStringLiteral("case/case.lin"));
    QVERIFY(WriteAll(path, kOld));
    OpenAndChange(path);
    QVERIFY(QDir(Path(QStringLiteral("case"))).removeRecursively());
    TModalScript script;
    script.Click(QStringLiteral("&Yes"));
    ExpectCreateError(script, path, [&] { Main().Exit1Click(); });
    QVERIFY(Main().isVisible());
    ExpectUnchanged(path, QStringLiteral("Korvane - case.lin"));
    QVERIFY(!QFileInfo::exists(Path(QStringLiteral("case"))));
  }

  // A line of a megabyte is one line of the text view and one sentence. (The diagram
  // wraps it into boxes word by word: 4 MB take over half a minute, so 1 MB here.)
  void aHugeLineOpensAndSavesWhole() {
    QByteArray sentence(1024 * 1024, 'w');
    for (qsizetype k = 0; k < sentence.size(); k += 80) sentence[k] = ' ';
    const QByteArray file = "STATEMENT\r\n  ?: " + sentence + "\r\n\r\n";
    const QString path = Path(QStringLiteral("huge.lin"));
    QVERIFY(WriteAll(path, file));
    {
      TModalScript script(20000);
      script.ChooseFile(path);
      Main().Open1Click();
      QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    }
    Main().ShowLineOfArgumentationView();
    auto* view = Main().findChild<TLineOfArgumentationView*>(QStringLiteral("LineOfArgumentationRichEdit"));
    QVERIFY(view);
    QCOMPARE(view->Lines().size(), std::size_t(3));
    QCOMPARE(view->Lines()[1].size(), std::size_t(sentence.size() + 5));
    app_->State("b", kAssumption);
    TModalScript quiet(300);
    Main().Save1Click();
    QVERIFY2(quiet.Succeeded(), qPrintable(quiet.Report()));
    QCOMPARE(ReadAll(path), file + "STATEMENT\r\n  !: b\r\n\r\n");
  }

  // Windows-1252, invalid UTF-8 and control bytes: readable on screen, exact on the disk.
  void oddBytesAreShownReadablyAndSavedExactly() {
    const QByteArray file = QByteArray(
        "STATEMENT\r\n  ?: caf\xe9 \x93quoted\x94\r\n\r\n"
        "STATEMENT\r\n  !: na\xc3\xafve\r\n\r\n"
        "STATEMENT\r\n  !: broken \xc3\x28 and a tab\there\r\n\r\n");
    const QString path = Path(QStringLiteral("Akten \u00fc\u00df \u2713.lin"));
    QVERIFY(WriteAll(path, file));
    {
      TModalScript script;
      script.ChooseFile(path);
      Main().Open1Click();
      QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    }
    QCOMPARE(Main().windowTitle(), QStringLiteral("Korvane - Akten \u00fc\u00df \u2713.lin"));
    QCOMPARE(Main().Line().FileName, Bytes(path));
    Main().ShowLineOfArgumentationView();
    auto* view = Main().findChild<TLineOfArgumentationView*>(QStringLiteral("LineOfArgumentationRichEdit"));
    QVERIFY(view);
    const QString shown = view->toPlainText();
    QVERIFY2(shown.contains(QStringLiteral("caf\u00e9 \u201cquoted\u201d")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("na\u00efve")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("broken \u00c3( and a tab\there")), qPrintable(shown));
    const QString copy = Path(QStringLiteral("copy \u00e4.lin"));
    TModalScript script;
    script.ChooseFile(copy);
    Main().SaveAs1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(ReadAll(copy), file);
    QCOMPARE(Main().windowTitle(), QStringLiteral("Korvane - copy \u00e4.lin"));
  }
};

QTEST_MAIN(SafeSaveWindowTest)
#include "safe_save_window_test.moc"
