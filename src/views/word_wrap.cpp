#include "views/word_wrap.h"

#include <QRegularExpression>

namespace korvane {

namespace {

// Longest paragraph measured in one piece; longer ones are measured line by line.
constexpr qsizetype kMeasuredWhole = 4096;

// Characters of word from start on that fit into width: at least one, never ending inside a
// surrogate pair. A prefix is never narrower than a shorter one, so the longest that fits is
// found by doubling and then halving, measuring only prefixes about a line long.
qsizetype FittingPrefix(const QString& word, qsizetype start, int width, const QFontMetrics& metrics) {
  const qsizetype size = word.size() - start;
  // The nearest length from k on that does not split a surrogate pair.
  const auto whole = [&](qsizetype k) {
    if (k >= size) return size;
    return word.at(start + k - 1).isHighSurrogate() ? k + 1 : k;
  };
  const auto fits = [&](qsizetype k) { return metrics.horizontalAdvance(word.mid(start, k)) <= width; };
  qsizetype fitting = whole(1);
  qsizetype tooLong = -1;
  for (qsizetype step = 1; fitting < size; step *= 2) {
    const qsizetype probe = whole(fitting + step);
    if (!fits(probe)) {
      tooLong = probe;
      break;
    }
    fitting = probe;
  }
  if (tooLong < 0) return fitting;
  for (;;) {
    const qsizetype middle = whole(fitting + (tooLong - fitting) / 2);
    if (middle <= fitting || middle >= tooLong) return fitting;
    if (fits(middle))
      fitting = middle;
    else
      tooLong = middle;
  }
}

void WrapParagraph(const QString& paragraph, int width, const QFontMetrics& metrics, QStringList& lines) {
  // Most sentences fit on one line: one measurement instead of one per word. (Only short
  // ones are measured whole: the width of megabytes of text overflows the measure.)
  if (paragraph.size() <= kMeasuredWhole && metrics.horizontalAdvance(paragraph) <= width) {
    lines.append(paragraph);
    return;
  }
  QString line;
  bool open = false;     // line holds the start of a line
  bool wrapped = false;  // a line of this paragraph has already been finished
  const auto place = [&](const QString& word) {
    // A word wider than the box is cut into pieces that fit, the last one starting a line.
    qsizetype start = 0;
    while (word.size() - start > 1) {
      const qsizetype k = FittingPrefix(word, start, width, metrics);
      if (k >= word.size() - start) break;
      lines.append(word.mid(start, k));
      wrapped = true;
      start += k;
    }
    line = word.mid(start);
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
