// The boxes through which the core asks and reports: titles, icons, texts, buttons in
// their order, the default button and the Escape answer.
#include <QTest>

#include "app/message_boxes.h"
#include "app_fixture.h"
#include "modal_script.h"

using namespace korvane;

Q_DECLARE_METATYPE(std::vector<korvane::TAnswer>)
Q_DECLARE_METATYPE(korvane::TAnswer)

class MessageBoxesTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { InitTestApplication(); }

  void warningButtons_data() {
    QTest::addColumn<std::vector<TAnswer>>("buttons");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("defaultButton");
    QTest::addColumn<QString>("escapeButton");
    QTest::newRow("OK") << std::vector<TAnswer>{TAnswer::OK} << QStringList{"OK"} << "OK"
                        << "OK";
    QTest::newRow("Yes, No") << std::vector<TAnswer>{TAnswer::No, TAnswer::Yes} << QStringList{"&Yes", "&No"} << "&Yes"
                             << "&No";
    QTest::newRow("Yes, No, Cancel") << std::vector<TAnswer>{TAnswer::Cancel, TAnswer::Yes, TAnswer::No}
                                     << QStringList{"&Yes", "&No", "Cancel"} << "&Yes"
                                     << "Cancel";
    QTest::newRow("OK, Cancel") << std::vector<TAnswer>{TAnswer::Cancel, TAnswer::OK} << QStringList{"OK", "Cancel"}
                                << "OK"
                                << "Cancel";
  }
  void warningButtons() {
    QFETCH(std::vector<TAnswer>, buttons);
    QFETCH(QStringList, shown);
    QFETCH(QString, defaultButton);
    QFETCH(QString, escapeButton);
    TModalScript script;
    script.Click(shown.last());
    TMessageBoxAsker asker;
    const TMessage message = WarningMessage("text", buttons);
    const TAnswer answer = asker.Ask(message);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    const TSeenBox& box = script.Boxes.front();
    QCOMPARE(box.Title, QStringLiteral("Warning"));
    QCOMPARE(box.Icon, QMessageBox::Warning);
    QCOMPARE(box.Buttons, shown);
    QCOMPARE(box.Default, defaultButton);
    QCOMPARE(box.Escape, escapeButton);
    QCOMPARE(answer, message.Buttons.back());
  }

  void keysGiveTheDefaultAndTheEscapeAnswer_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<std::vector<TAnswer>>("buttons");
    QTest::addColumn<TAnswer>("answer");
    QTest::newRow("Enter, Yes No") << int(Qt::Key_Return) << std::vector<TAnswer>{TAnswer::Yes, TAnswer::No}
                                   << TAnswer::Yes;
    QTest::newRow("Escape, Yes No") << int(Qt::Key_Escape) << std::vector<TAnswer>{TAnswer::Yes, TAnswer::No}
                                    << TAnswer::No;
    QTest::newRow("Escape, Yes No Cancel")
        << int(Qt::Key_Escape) << std::vector<TAnswer>{TAnswer::Yes, TAnswer::No, TAnswer::Cancel} << TAnswer::Cancel;
    QTest::newRow("Escape, OK") << int(Qt::Key_Escape) << std::vector<TAnswer>{TAnswer::OK} << TAnswer::OK;
  }
  void keysGiveTheDefaultAndTheEscapeAnswer() {
    QFETCH(int, key);
    QFETCH(std::vector<TAnswer>, buttons);
    QFETCH(TAnswer, answer);
    TModalScript script;
    script.Key(Qt::Key(key));
    TMessageBoxAsker asker;
    QCOMPARE(asker.Ask(WarningMessage("text", buttons)), answer);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
  }

  void closingTheBoxIsEscape() {
    TModalScript script;
    script.Do("QMessageBox", [](QWidget* w) { w->close(); });
    TMessageBoxAsker asker;
    QCOMPARE(asker.Ask(WarningMessage("text", {TAnswer::Yes, TAnswer::No, TAnswer::Cancel})), TAnswer::Cancel);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
  }

  void confirmation() {
    TModalScript script;
    script.Click(QStringLiteral("&Yes"));
    TMessageBoxAsker asker;
    QCOMPARE(asker.Ask(ConfirmationMessage("Really?")), TAnswer::Yes);
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    const TSeenBox& box = script.Boxes.front();
    QCOMPARE(box.Title, QStringLiteral("Confirm"));
    QCOMPARE(box.Icon, QMessageBox::Question);
    QCOMPARE(box.Buttons, (QStringList{"&Yes", "&No"}));
    QCOMPARE(box.Text, QStringLiteral("Really?"));
  }

  void textsKeepTheirLineBreaksAndCharacters() {
    TModalScript script;
    script.Click(QStringLiteral("OK"));
    TMessageBoxAsker asker;
    // Line breaks are CR LF; a sentence may hold Windows-1252 bytes, and "<" is no markup.
    (void)asker.Ask(WarningMessage("\r\nThe statement 'caf\xE9 <b>' already exists. \r\nIt cannot be added again. ",
                                   {TAnswer::OK}));
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    QCOMPARE(script.Boxes.front().Text,
             QStringLiteral("\nThe statement 'caf\u00E9 <b>' already exists. \nIt cannot be added again. "));
  }

  void errorBox() {
    TModalScript script;
    script.Key(Qt::Key_Escape);
    TErrorBox errors;
    errors.ReportError("Cannot create file /x/y.lin");
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
    const TSeenBox& box = script.Boxes.front();
    QCOMPARE(box.Title, QStringLiteral("Korvane"));
    QCOMPARE(box.Icon, QMessageBox::Critical);
    QCOMPARE(box.Text, QStringLiteral("Cannot create file /x/y.lin."));
    QCOMPARE(box.Buttons, QStringList{QStringLiteral("OK")});
  }

  void anUnansweredBoxFailsTheScript() {
    // The guard itself: a box nobody expects is closed and reported, not waited for.
    TModalScript script(200);
    TMessageBoxAsker asker;
    QCOMPARE(asker.Ask(WarningMessage("nobody answers", {TAnswer::Yes, TAnswer::No})), TAnswer::No);
    QVERIFY(!script.Succeeded());
    QVERIFY(script.Report().contains(QStringLiteral("nobody answers")));
  }

  // The other way round: a dialog the last step left open, still busy after the box it
  // asked was answered, is neither new nor unexpected.
  void aDialogBusyAfterTheLastStepIsNotUnexpected() {
    QDialog dialog;
    TMessageBoxAsker asker;
    TModalScript script;
    script.Do("QDialog", [&](QWidget*) {
      asker.Ask(WarningMessage("a question", {TAnswer::OK}));
      // The command goes on, delivering the pending events as the interpreter does, with the
      // dialog active again: the moment the script once took it for an unexpected window.
      QCoreApplication::processEvents();
      QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == &dialog, 30000);
      dialog.accept();
    });
    script.Click(QStringLiteral("OK"));
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY2(script.Succeeded(), qPrintable(script.Report()));
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
