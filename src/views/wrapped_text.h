// How a box's text wraps, remembered: measuring text is most of the cost of a layout, and
// the window lays the whole diagram out again after every move although few boxes change.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace korvane {

/// A box's lines and the width of its text, which is all a layout needs from measuring.
struct TWrapped {
  QStringList Lines;
  int Width = 0;
};

/// text wrapped to width with metrics, whose font fontKey (QFont::key) names exactly; a
/// sentence measured before at that width in that font is not measured again.
[[nodiscard]] TWrapped WrappedText(const QString& text, int width, const QFontMetrics& metrics, const QString& fontKey);

/// Frees what was remembered; the layouts after it measure anew.
void ForgetMeasuredSentences();

}  // namespace korvane
