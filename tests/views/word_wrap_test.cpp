// Word wrapping against the plain definition (grow a line word by word, cut a word that is
// too wide character by character), on generated texts and widths; a word of 300,000
// characters, which the plain definition takes minutes to cut; and what a view's memo of
// wraps keeps.
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include "view_fixtures.h"
#include "views/word_wrap.h"
#include "views/wrapped_text.h"

namespace korvane {
namespace {

qsizetype PlainFittingPrefix(const QString& word, int width, const QFontMetrics& metrics) {
  qsizetype k = 1;
  if (word.size() > 1 && word.at(0).isHighSurrogate()) k = 2;
  for (;;) {
    qsizetype next = k + 1;
    if (next < word.size() && word.at(next - 1).isHighSurrogate()) ++next;
    if (next > word.size() || metrics.horizontalAdvance(word.left(next)) > width) return k;
    k = next;
  }
}

QStringList PlainWordWrap(const QString& text, int width, const QFontMetrics& metrics) {
  QStringList lines;
  if (text.isEmpty()) return lines;
  for (const QString& paragraph : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
    QString line;
    bool open = false, wrapped = false;
    const auto place = [&](QString word) {
      while (word.size() > 1 && metrics.horizontalAdvance(word) > width) {
        const qsizetype k = PlainFittingPrefix(word, width, metrics);
        if (k >= word.size()) break;
        lines.append(word.left(k));
        wrapped = true;
        word = word.mid(k);
      }
      line = word;
      open = true;
    };
    for (const QString& word : paragraph.split(QLatin1Char(' '))) {
      if (!open) {
        if (wrapped && word.isEmpty()) continue;
        place(word);
        continue;
      }
      const QString candidate = line + QLatin1Char(' ') + word;
      if (metrics.horizontalAdvance(candidate) <= width) {
        line = candidate;
      } else {
        lines.append(line);
        wrapped = true;
        open = false;
        if (!word.isEmpty()) place(word);
      }
    }
    if (open) lines.append(line);
  }
  return lines;
}

class WordWrapTest : public QObject {
  Q_OBJECT
private slots:
  void agreesWithThePlainDefinition() {
    const QFontMetrics metrics(test::WindowFont());
    QRandomGenerator random(5);
    // Letters, wide letters, blanks, line breaks and a character outside the basic plane.
    const QStringList pieces = {
        QStringLiteral("a"),     QStringLiteral("W"),  QStringLiteral("i"),    QStringLiteral(" "),
        QStringLiteral("  "),    QStringLiteral("\n"), QStringLiteral("\r\n"), QString::fromUcs4(U"\U0001F600"),
        QStringLiteral("\u00E9")};
    for (int round = 0; round < 1500; ++round) {
      QString text;
      const int length = static_cast<int>(random.bounded(1, 120));
      for (int k = 0; k < length; ++k) {
        // Long runs without blanks now and then, so words get cut.
        const bool run = random.bounded(4) == 0;
        text += run ? QString(static_cast<int>(random.bounded(5, 40)), QLatin1Char('m'))
                    : pieces[static_cast<int>(random.bounded(pieces.size()))];
      }
      const int width = static_cast<int>(random.bounded(-5, 300));
      QCOMPARE(WordWrap(text, width, metrics), PlainWordWrap(text, width, metrics));
    }
  }

  // A sentence of a megabyte: every line of it fits.
  void aMegabyteOfWordsIsWrappedIntoManyLines() {
    const QFontMetrics metrics(test::WindowFont());
    QString text;
    while (text.size() < 1024 * 1024) text += QStringLiteral("word ");
    const QStringList lines = WordWrap(text, 400, metrics);
    QVERIFY(lines.size() > 2000);
    for (qsizetype k = 0; k < lines.size(); k += 997) QVERIFY(metrics.horizontalAdvance(lines[k]) <= 400);
  }

  void aVeryLongWordIsCutIntoLinesThatFit() {
    const QFontMetrics metrics(test::WindowFont());
    const QString word(300 * 1000, QLatin1Char('w'));
    const QStringList lines = WordWrap(word, 400, metrics);
    QVERIFY(lines.size() > 100);
    QCOMPARE(lines.join(QString()), word);
    for (const QString& line : lines) QVERIFY(metrics.horizontalAdvance(line) <= 400);
    // Every line but the last is as long as fits: one more character would not.
    QVERIFY(metrics.horizontalAdvance(lines.first() + QLatin1Char('w')) > 400);
  }

  // Same bytes in another face or width are measured anew; what a layout did not use goes
  // once the memo holds more than twice the boxes drawn; another font forgets everything.
  void aViewsMemoKeepsWhatItsLastLayoutUsed() {
    QFont bold = test::WindowFont();
    bold.setBold(true);
    const QFontMetrics regular(test::WindowFont()), heavy(bold);
    std::vector<TStatement> statements(6000);
    for (std::size_t k = 0; k < statements.size(); ++k)
      statements[k].Sentence = "(the " + std::to_string(k) + "th sentence of a rather long line)";
    TWrapMemo memo;
    memo.Begin(QStringLiteral("font"));
    for (const TStatement& s : statements) (void)memo.Wrapped(s, 400, 0, regular);
    memo.End(statements.size());
    QCOMPARE(memo.Size(), statements.size());
    // A layout that copied most of its boxes from the last keeps them too.
    memo.Begin(QStringLiteral("font"));
    (void)memo.Wrapped(statements[1], 400, 0, regular);
    memo.End(statements.size());
    QCOMPARE(memo.Size(), statements.size());

    memo.Begin(QStringLiteral("font"));
    const TStatement& first = statements.front();
    const TWrapped narrow = memo.Wrapped(first, 100, 0, regular);
    QCOMPARE(narrow.Lines, WordWrap(QStringLiteral("the 0th sentence of a rather long line"), 100, regular));
    const int plainWidth = memo.Wrapped(first, 400, 0, regular).Width;
    QCOMPARE(plainWidth, regular.horizontalAdvance(QStringLiteral("the 0th sentence of a rather long line")));
    QVERIFY(memo.Wrapped(first, 400, 1, heavy).Width > plainWidth);
    memo.End(3);
    QCOMPARE(memo.Size(), std::size_t{3});

    memo.Begin(QStringLiteral("another font"));
    QCOMPARE(memo.Size(), std::size_t{0});
  }
};

}  // namespace
}  // namespace korvane

QTEST_MAIN(korvane::WordWrapTest)
#include "word_wrap_test.moc"
