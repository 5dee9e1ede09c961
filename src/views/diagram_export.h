// Writes a laid-out diagram to a picture file: PNG, SVG or PDF, chosen by the file's
// extension. The file is written under a temporary name and renamed when complete,
// so a failed export leaves an existing file as it was.
#pragma once

#include <QImage>
#include <QString>
#include <optional>

#include "views/diagram_layout.h"
#include "views/status_icons.h"

namespace korvane {

enum class TExportFormat { Png, Svg, Pdf };

/// The format for path's extension (".png", ".svg", ".pdf", any case), or none.
[[nodiscard]] std::optional<TExportFormat> ExportFormatOf(const QString& path);

/// The layout painted on a white image of its size (at least one pixel each way).
[[nodiscard]] QImage RenderDiagramImage(const TDiagramLayout& layout, const TStatusIconsImageList& icons);

/// Writes layout to path in the format of its extension. Returns true when the file
/// is complete; otherwise false with error saying why.
[[nodiscard]] bool ExportDiagram(const TDiagramLayout& layout, const TStatusIconsImageList& icons, const QString& path,
                                 QString& error);

}  // namespace korvane
