#include "views/wrapped_text.h"

#include <QHash>

#include "views/word_wrap.h"

namespace korvane {

namespace {

// Enough for every box of a large line at a few widths; beyond it everything is forgotten.
constexpr qsizetype kRemembered = 100000;
// Long sentences are rare and would cost memory: they are measured each time.
constexpr qsizetype kLongestRemembered = 2000;

QHash<QString, TWrapped>& Remembered() {
  static QHash<QString, TWrapped> remembered;
  return remembered;
}

TWrapped Measure(const QString& text, int width, const QFontMetrics& metrics) {
  TWrapped wrapped;
  wrapped.Lines = WordWrap(text, width, metrics);
  wrapped.Width = wrapped.Lines.size() == 1 ? metrics.horizontalAdvance(wrapped.Lines.first()) : width;
  return wrapped;
}

}  // namespace

TWrapped WrappedText(const QString& text, int width, const QFontMetrics& metrics, const QString& fontKey) {
  if (text.size() > kLongestRemembered) return Measure(text, width, metrics);
  QHash<QString, TWrapped>& remembered = Remembered();
  const QString key = fontKey + QChar(0) + QString::number(width) + QChar(0) + text;
  const auto found = remembered.constFind(key);
  if (found != remembered.constEnd()) return *found;
  if (remembered.size() >= kRemembered) remembered.clear();
  const TWrapped wrapped = Measure(text, width, metrics);
  remembered.insert(key, wrapped);
  return wrapped;
}

void ForgetMeasuredSentences() { Remembered().clear(); }

}  // namespace korvane
