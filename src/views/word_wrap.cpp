#include "views/word_wrap.h"

#include <QRegularExpression>

namespace korvane {

namespace {

// Characters of word that fit into width, at least one, never ending inside a surrogate pair.
qsizetype FittingPrefix(const QString& word, int width, const QFontMetrics& metrics) {
  qsizetype k = 1;
  if (word.size() > 1 && word.at(0).isHighSurrogate()) k = 2;
  for (;;) {
    qsizetype next = k + 1;
    if (next < word.size() && word.at(next - 1).isHighSurrogate()) ++next;
    if (next > word.size() || metrics.horizontalAdvance(word.left(next)) > width) return k;
    k = next;
  }
}

void WrapParagraph(const QString& paragraph, int width, const QFontMetrics& metrics, QStringList& lines) {
  // Most sentences fit on one line: one measurement instead of one per word.
  if (metrics.horizontalAdvance(paragraph) <= width) {
    lines.append(paragraph);
    return;
  }
  QString line;
  bool open = false;       // line holds the start of a line
  bool wrapped = false;    // a line of this paragraph has already been finished
  const auto place = [&](QString word) {
    while (word.size() > 1 && metrics.horizontalAdvance(word) > width) {
      const qsizetype k = FittingPrefix(word, width, metrics);
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
      if (wrapped && word.isEmpty()) continue;  // blanks at a break belong to neither line
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

}  // namespace

QStringList WordWrap(const QString& text, int width, const QFontMetrics& metrics) {
  QStringList lines;
  if (text.isEmpty()) return lines;
  static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
  for (const QString& paragraph : text.split(breaks)) WrapParagraph(paragraph, width, metrics, lines);
  return lines;
}

}  // namespace korvane
