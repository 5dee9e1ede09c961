// The one font of the program's windows.
#pragma once

#include <QFont>

namespace korvane {

/// The family the windows ask for.
inline constexpr const char* kWindowFontFamily = "MS Sans Serif";
/// What stands in for it where it is not installed: its 8 point at 96 DPI is 13 pixels
/// high, the line height the diagrams are laid out for.
inline constexpr const char* kWindowFontFallback = "DejaVu Sans";

/// "MS Sans Serif" 8 point, with the fallback registered on first use.
[[nodiscard]] QFont WindowFont();

}  // namespace korvane
