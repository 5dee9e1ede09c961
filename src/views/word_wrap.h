// Breaking a sentence into lines for a box of a given width.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace korvane {

/// The lines of text when it is word-wrapped to width pixels in the font of metrics.
/// Lines break at blanks (the blank at a break is dropped) and at line breaks in the
/// text; a word wider than width is split between characters. Every line holds at
/// least one character, so any width, even zero or less, gives a finite result.
/// An empty text gives no lines.
[[nodiscard]] QStringList WordWrap(const QString& text, int width, const QFontMetrics& metrics);

}  // namespace korvane
