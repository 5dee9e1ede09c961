// Writes a laid-out diagram as SVG, element by element straight to the file, so a
// diagram of hundreds of thousands of boxes needs no more memory than its layout.
#pragma once

#include <QIODevice>

#include "views/diagram_layout.h"
#include "views/status_icons.h"

namespace korvane {

/// Writes layout to device as an SVG document whose user unit is the diagram's pixel.
/// Returns false when the device refuses a write.
[[nodiscard]] bool WriteDiagramSvg(const TDiagramLayout& layout, const TStatusIconsImageList& icons, QIODevice& device);

}  // namespace korvane
