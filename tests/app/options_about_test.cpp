// The Options dialog and the About box.
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include "app/about_form.h"
#include "app/options_form.h"
#include "views/view_fixtures.h"

using namespace korvane;

class OptionsAboutTest : public QObject {
  Q_OBJECT

  QFont font_ = test::WindowFont();

private slots:
  void optionsLayout() {
    TOptionsForm form(nullptr, font_);
    QCOMPARE(form.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(form.ArgumentsViewRadioGroup()->title(), QStringLiteral("Arguments view"));
    const QRect group = form.ArgumentsViewRadioGroup()->geometry();
    QCOMPARE(group.topLeft(), QPoint(8, 8));
    QCOMPARE(group.height(), 73);
    QVERIFY(group.width() >= 185);
    for (int i = 0; i < 2; ++i)  // the items are not cut off
      QVERIFY(form.Item(i)->geometry().right() < group.width() &&
              form.Item(i)->width() >= form.Item(i)->sizeHint().width());
    QCOMPARE(form.Item(0)->text(), QStringLiteral("Arguments are coordinated"));
    QCOMPARE(form.Item(1)->text(), QStringLiteral("Arguments are not coordinated"));
    QVERIFY(form.Item(0)->isChecked());
    QCOMPARE(form.OKButton()->text(), QStringLiteral("&OK"));
    QCOMPARE(form.OKButton()->geometry(), QRect(8, 96, 75, 25));
    QCOMPARE(form.SelectedArgumentsViewMode(), 0);
  }

  void okAppliesTheChoiceEvenWhenUnchanged_data() {
    QTest::addColumn<int>("choose");
    QTest::newRow("unchanged") << -1;
    QTest::newRow("coordinated") << 0;
    QTest::newRow("not coordinated") << 1;
  }
  void okAppliesTheChoiceEvenWhenUnchanged() {
    QFETCH(int, choose);
    TOptionsForm form(nullptr, font_);
    QSignalSpy chosen(&form, &TOptionsForm::ArgumentsViewModeChosen);
    if (choose >= 0) form.Item(choose)->setChecked(true);
    bool hiddenWhenApplied = false;
    connect(&form, &TOptionsForm::ArgumentsViewModeChosen, this, [&] { hiddenWhenApplied = !form.isVisible(); });
    QTimer::singleShot(0, &form, [&] { form.OKButton()->click(); });
    QTimer::singleShot(5000, &form, [&] { form.reject(); });  // fails rather than hangs
    QCOMPARE(form.exec(), int(QDialog::Accepted));
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), choose < 0 ? 0 : choose);
    QVERIFY(hiddenWhenApplied);
  }

  void closingWithoutOkChangesNothing() {
    TOptionsForm form(nullptr, font_);
    QSignalSpy chosen(&form, &TOptionsForm::ArgumentsViewModeChosen);
    form.show();
    form.Item(1)->setChecked(true);
    form.close();
    QCOMPARE(chosen.count(), 0);
    form.show();
    QVERIFY(form.Item(1)->isChecked());  // the selection is kept between openings
  }

  void aboutText() {
    TAboutForm about(nullptr, font_);
    QCOMPARE(about.windowTitle(), QStringLiteral("About Korvane"));
    const QStringList lines = about.Memo1()->toPlainText().split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 6);
    QCOMPARE(lines.mid(0, 4),
             (QStringList{"Korvane 2.03 - an argument-assistance system", "", "Version September 1, 1999", ""}));
    QVERIFY(about.Memo1()->isReadOnly());
    QCOMPARE(about.Memo1()->geometry(), QRect(0, 0, 388, 209));
    QCOMPARE(about.Button1()->text(), QStringLiteral("&OK"));
  }

  void aboutIsModelessCentredAndClosedByOk() {
    TAboutForm about(nullptr, font_);
    about.ShowAbout();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.isVisible());
    QVERIFY(!about.isModal());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(about.size(), QSize(388, 250));
    const QPoint centre = about.screen()->availableGeometry().center();
    QVERIFY((about.frameGeometry().center() - centre).manhattanLength() <= 4);
    QCOMPARE(about.focusWidget(), static_cast<QWidget*>(about.Button1()));
    about.ShowAbout();  // again while open: still the one box
    QVERIFY(about.isVisible());
    about.Button1()->click();
    QVERIFY(!about.isVisible());
  }
};

QTEST_MAIN(OptionsAboutTest)
#include "options_about_test.moc"
