#include "app/window_font.h"

namespace korvane {

QFont WindowFont() {
  static const bool substituted = [] {
    QFont::insertSubstitution(kWindowFontFamily, kWindowFontFallback);
    return true;
  }();
  (void)substituted;
  QFont font(kWindowFontFamily);
  font.setPointSize(8);
  return font;
}

}  // namespace korvane
