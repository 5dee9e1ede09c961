// The File menu: the save question answered Yes, No and Cancel, the file dialogs, the
// caption, and errors that stop a command without losing anything.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/document_caption.h"
#include "app_fixture.h"
#include "modal_script.h"

using namespace korvane;

namespace {

const QString kQuestion = QStringLiteral("Do you want to save the changes \nto the current line of argumentation?");

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "<missing>";
  return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

class DocumentCommandsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;
  std::unique_ptr<QTemporaryDir> dir_;

  TArgIntForm& Main() const { return app_->Main(); }
  QString Path(const char* name) const { return dir_->filePath(QString::fromLatin1(name)); }
  void Modify() const { app_->State("the goods are defective", kIssue); }

  static void CheckSaveQuestion(const TModalScript& script) {
    QVERIFY(!script.Boxes.empty());
    const TSeenBox& box = script.Boxes.front();
    QCOMPARE(box.Title, QStringLiteral("Warning"));
    QCOMPARE(box.Text, kQuestion);
    QCOMPARE(box.Icon, QMessageBox::Warning);
    QCOMPARE(box.Buttons, (QStringList{"&Yes", "&No", "Cancel"}));
    QCOMPARE(box.Default, QStringLiteral("&Yes"));
    QCOMPARE(box.Escape, QStringLiteral("Cancel"));
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

  void captionRule_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("backslashes") << "C:\\work\\case.lin"
                                 << "case.lin";
    QTest::newRow("drive only") << "C:case.lin"
                                << "case.lin";
    QTest::newRow("slashes") << "/home/u/lines/case.lin"
                             << "case.lin";
    QTest::newRow("mixed, last wins") << "/a\\b:c/d.lin"
                                      << "d.lin";
    QTest::newRow("no folder") << "case.lin"
                               << "case.lin";
    QTest::newRow("long name") << QString(300, 'n') << QString(255, 'n');
  }
  void captionRule() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(QString::fromStdString(FileNameWithoutFolder(path.toStdString())), name);
    QCOMPARE(DocumentCaption(path.toStdString()), QStringLiteral("Korvane - ") + name);
  }

  void newWithoutChangesAsksNothing() {
    TModalScript script(300);
    Main().New1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(Main().windowTitle(), NewDocumentCaption());
  }

  void newAnswered_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("Yes") << "&Yes" << true;
    QTest::newRow("No") << "&No" << true;
    QTest::newRow("Cancel") << "Cancel" << false;
  }
  void newAnswered() {
    QFETCH(QString, answer);
    QFETCH(bool, replaced);
    Modify();
    TModalScript script;
    script.Click(answer);
    // Yes on a document that never was saved asks for a file name first.
    if (answer == QStringLiteral("&Yes")) script.ChooseFile(Path("saved.lin"));
    Main().New1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    CheckSaveQuestion(script);
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), replaced ? 0 : 1);
    QCOMPARE(Main().Line().Modified, !replaced);
    QCOMPARE(Main().Line().FileName, std::string("New.lin"));
    QCOMPARE(Main().windowTitle(), NewDocumentCaption());
    if (answer == QStringLiteral("&Yes"))
      QCOMPARE(ReadAll(Path("saved.lin")), QByteArray("STATEMENT\r\n  ?: the goods are defective\r\n\r\n"));
  }

  void escapeAndEnterInTheSaveQuestion_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("Escape is Cancel") << int(Qt::Key_Escape) << false;
    QTest::newRow("Enter is Yes") << int(Qt::Key_Return) << true;
  }
  void escapeAndEnterInTheSaveQuestion() {
    QFETCH(int, key);
    QFETCH(bool, goesOn);
    Modify();
    TModalScript script;
    script.Key(Qt::Key(key));
    if (goesOn) script.CancelFile();
    Main().New1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), goesOn ? 0 : 1);
  }

  void yesWithCancelledSaveDialogStillGoesOn() {
    Modify();
    TModalScript script;
    script.Click(QStringLiteral("&Yes")).CancelFile();
    Main().New1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), 0);
  }

  void openSetsCaptionAndReplaysTheFile() {
    const QString path = Path("case.lin");
    WriteAll(path, "STATEMENT\r\n  ?: A\r\n\r\nSTATEMENT\r\n  !: B\r\n\r\n");
    TModalScript script;
    script.ChooseFile(path);
    Main().Open1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(script.FileDialogs.size(), std::size_t(1));
    const TSeenFileDialog& d = script.FileDialogs.front();
    QCOMPARE(d.Mode, QFileDialog::AcceptOpen);
    QVERIFY(d.NonNative);
    QCOMPARE(d.Title, QStringLiteral("Open"));
    QCOMPARE(d.Filters, (QStringList{"Lines of argumentation (*.lin)", "All files (*.*)"}));
    QCOMPARE(d.SelectedFilter, QStringLiteral("Lines of argumentation (*.lin)"));
    QCOMPARE(Main().windowTitle(), QStringLiteral("Korvane - case.lin"));
    QCOMPARE(Main().Line().FileName, Bytes(path));
    QVERIFY(!Main().Line().Modified);
    QCOMPARE(app_->Text(), (std::vector<std::string>{"STATEMENT", "  ?: A", "", "STATEMENT", "  !: B", ""}));
  }

  void openAnswered_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("Yes") << "&Yes" << true;
    QTest::newRow("No") << "&No" << true;
    QTest::newRow("Cancel") << "Cancel" << false;
  }
  void openAnswered() {
    QFETCH(QString, answer);
    QFETCH(bool, opened);
    const QString path = Path("other.lin");
    WriteAll(path, "STATEMENT\r\n  ?: X\r\n\r\n");
    Modify();
    TModalScript script;
    script.Click(answer);
    if (answer == QStringLiteral("&Yes")) script.ChooseFile(Path("mine.lin"));
    if (opened) script.ChooseFile(path);
    Main().Open1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    CheckSaveQuestion(script);
    if (opened) {
      QCOMPARE(app_->Text(), (std::vector<std::string>{"STATEMENT", "  ?: X", ""}));
      QCOMPARE(Main().windowTitle(), QStringLiteral("Korvane - other.lin"));
    } else {
      QCOMPARE(app_->Text().size(), std::size_t(3));
      QCOMPARE(app_->Text()[1], std::string("  ?: the goods are defective"));
      QVERIFY(Main().Line().Modified);
      QCOMPARE(Main().windowTitle(), NewDocumentCaption());
    }
    if (answer == QStringLiteral("&Yes")) QVERIFY(ReadAll(Path("mine.lin")).startsWith("STATEMENT\r\n"));
  }

  void noThenCancelledOpenKeepsTheDocumentUnmodified() {
    Modify();
    {
      TModalScript script;
      script.Click(QStringLiteral("&No")).CancelFile();
      Main().Open1Click();
      QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    }
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), 1);
    QVERIFY(!Main().Line().Modified);
    // Nothing left to ask about.
    TModalScript quiet(300);
    Main().New1Click();
    QVERIFY2(quiet.Succeeded(), qPrintable(quiet.Report()));
  }

  void openingAMissingFileReportsIt() {
    Modify();
    Main().Line().Modified = false;
    const QString path = Path("missing.lin");
    TModalScript script;
    script.ChooseFile(path).Click(QStringLiteral("OK"));
    Main().Open1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(script.Boxes.size(), std::size_t(1));
    const TSeenBox& box = script.Boxes.front();
    QCOMPARE(box.Title, QStringLiteral("Korvane"));
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QCOMPARE(box.Text, QStringLiteral("Cannot open file ") + path + QStringLiteral("."));
    QCOMPARE(box.Buttons, QStringList{QStringLiteral("OK")});
    // The document that was open stays, with its name and caption.
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), 1);
    QCOMPARE(Main().Line().FileName, std::string("New.lin"));
    QVERIFY(!Main().Line().Modified);
    QCOMPARE(Main().windowTitle(), NewDocumentCaption());
  }

  void aFileCutShortKeepsTheMovesBeforeIt() {
    const QString path = Path("short.lin");
    WriteAll(path, "STATEMENT\r\n  ?: A\r\n\r\nSTATEMENT\r\n");
    TModalScript script;
    script.ChooseFile(path).Click(QStringLiteral("OK"));
    Main().Open1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(script.Boxes.front().Text, QStringLiteral("List index out of bounds."));
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), 1);
    QVERIFY(Main().Line().Modified);
    QCOMPARE(Main().windowTitle(), QStringLiteral("Korvane - short.lin"));
    QVERIFY(app_->Session().Interactive);
    QVERIFY(app_->Session().RefreshViews);
  }

  void appendAddsMovesAndSaveWritesThemToTheOwnFile() {
    const QString own = Path("own.lin");
    const QString more = Path("more.lin");
    WriteAll(own, "STATEMENT\r\n  ?: A\r\n\r\n");
    WriteAll(more, "STATEMENT\r\n  ?: A\r\n\r\nSTATEMENT\r\n  !: B\r\n\r\n");
    {
      TModalScript script;
      script.ChooseFile(own);
      Main().Open1Click();
      QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    }
    {
      TModalScript script;
      script.ChooseFile(more);
      Main().Append1Click();
      QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
      QCOMPARE(script.FileDialogs.front().Title, QStringLiteral("Append"));
    }
    // The repeated statement is recorded again: nothing is refused while a file is read.
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), 3);
    QVERIFY(Main().Line().Modified);
    QCOMPARE(Main().Line().FileName, Bytes(own));
    QCOMPARE(Main().windowTitle(), QStringLiteral("Korvane - own.lin"));
    TModalScript quiet(300);
    Main().Save1Click();
    QVERIFY2(quiet.Succeeded(), qPrintable(quiet.Report()));
    QCOMPARE(ReadAll(own),
             QByteArray("STATEMENT\r\n  ?: A\r\n\r\nSTATEMENT\r\n  ?: A\r\n\r\nSTATEMENT\r\n  !: B\r\n\r\n"));
    QCOMPARE(ReadAll(more), QByteArray("STATEMENT\r\n  ?: A\r\n\r\nSTATEMENT\r\n  !: B\r\n\r\n"));
    QVERIFY(!Main().Line().Modified);
  }

  void appendGivesTheOpenDialogItsTitleBack_data() {
    QTest::addColumn<bool>("cancelled");
    QTest::newRow("cancelled") << true;
    QTest::newRow("failed") << false;
  }
  void appendGivesTheOpenDialogItsTitleBack() {
    QFETCH(bool, cancelled);
    {
      TModalScript script;
      if (cancelled)
        script.CancelFile();
      else
        script.ChooseFile(Path("missing.lin")).Click(QStringLiteral("OK"));
      Main().Append1Click();
      QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
      QCOMPARE(script.FileDialogs.front().Title, QStringLiteral("Append"));
    }
    TModalScript script;
    script.CancelFile();
    Main().Open1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(script.FileDialogs.front().Title, QStringLiteral("Open"));
    QCOMPARE(Main().windowTitle(), NewDocumentCaption());
  }

  void saveOfAnUnchangedNewDocumentDoesNothing() {
    TModalScript script(300);
    Main().Save1Click();
    QTest::qWait(100);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(Main().Line().FileName, std::string("New.lin"));
  }

  void saveAsOfAnEmptyDocumentWritesAnEmptyFile() {
    const QString path = Path("empty.lin");
    TModalScript script;
    script.ChooseFile(path);
    Main().SaveAs1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(ReadAll(path), QByteArray());
    QCOMPARE(Main().windowTitle(), QStringLiteral("Korvane - empty.lin"));
    QCOMPARE(Main().Line().FileName, Bytes(path));
  }

  void saveAsksForANameOnceAndAddsTheExtension() {
    Modify();
    {
      TModalScript script;
      script.ChooseFile(Path("named"));
      Main().Save1Click();
      QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
      const TSeenFileDialog& d = script.FileDialogs.front();
      QCOMPARE(d.Mode, QFileDialog::AcceptSave);
      QVERIFY(d.NonNative);
      QVERIFY(d.ConfirmsOverwrite);
      QCOMPARE(d.DefaultSuffix, QStringLiteral("lin"));
      QCOMPARE(d.Filters, (QStringList{"Lines of argumentation (*.lin)", "All files (*.*)"}));
    }
    const QString path = Path("named.lin");
    QCOMPARE(Main().Line().FileName, Bytes(path));
    QCOMPARE(Main().windowTitle(), QStringLiteral("Korvane - named.lin"));
    QVERIFY(!Main().Line().Modified);
    app_->State("B", kAssumption);
    TModalScript quiet(300);
    Main().Save1Click();
    QVERIFY2(quiet.Succeeded(), qPrintable(quiet.Report()));
    QCOMPARE(ReadAll(path), QByteArray("STATEMENT\r\n  ?: the goods are defective\r\n\r\nSTATEMENT\r\n  !: B\r\n\r\n"));
  }

  void saveAsAsksBeforeReplacingAFile() {
    const QString path = Path("exists.lin");
    WriteAll(path, "old");
    Modify();
    TModalScript script;
    // The dialog's own question; No leaves the dialog open.
    script.ChooseFile(path).Click(QStringLiteral("&No")).CancelFile();
    Main().SaveAs1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(script.Boxes.size(), std::size_t(1));
    QVERIFY(script.Boxes.front().Text.contains(QStringLiteral("exists.lin")));
    QCOMPARE(ReadAll(path), QByteArray("old"));
    QVERIFY(Main().Line().Modified);
    QCOMPARE(Main().Line().FileName, std::string("New.lin"));
  }

  void aFailingSaveKeepsEverything() {
    Modify();
    const QString path = Path("no-such-folder/x.lin");
    TModalScript script;
    script.ChooseFile(path).Click(QStringLiteral("OK"));
    Main().SaveAs1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    const TSeenBox& box = script.Boxes.front();
    QCOMPARE(box.Title, QStringLiteral("Korvane"));
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QCOMPARE(box.Text, QStringLiteral("Cannot create file ") + path + QStringLiteral("."));
    QCOMPARE(box.Buttons, QStringList{QStringLiteral("OK")});
    QVERIFY(Main().Line().Modified);
    QCOMPARE(Main().Line().FileName, std::string("New.lin"));
    QCOMPARE(Main().windowTitle(), NewDocumentCaption());
  }

  void aFailingSaveInTheQuestionStopsTheCommand() {
    Modify();
    TModalScript script;
    script.Click(QStringLiteral("&Yes")).ChooseFile(Path("no-such-folder/x.lin")).Click(QStringLiteral("OK"));
    Main().New1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), 1);
    QVERIFY(Main().Line().Modified);
  }

  void closingAsks_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("Yes") << "&Yes" << true;
    QTest::newRow("No") << "&No" << true;
    QTest::newRow("Cancel") << "Cancel" << false;
  }
  void closingAsks() {
    QFETCH(QString, answer);
    QFETCH(bool, closed);
    Modify();
    TModalScript script;
    script.Click(answer);
    if (answer == QStringLiteral("&Yes")) script.ChooseFile(Path("closing.lin"));
    Main().Exit1Click();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    CheckSaveQuestion(script);
    QCOMPARE(!Main().isVisible(), closed);
    QCOMPARE(Main().Line().ArgumentationMoves.Count(), 1);
    if (answer == QStringLiteral("&Yes")) QVERIFY(ReadAll(Path("closing.lin")).startsWith("STATEMENT\r\n"));
  }

  void closingWithoutChangesAsksNothing() {
    TModalScript script(300);
    Main().close();
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QVERIFY(!Main().isVisible());
  }
};

QTEST_MAIN(DocumentCommandsTest)
#include "document_commands_test.moc"
