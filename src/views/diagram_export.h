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

/// The most pixels one image of a diagram may have (a gigabyte of memory); a larger
/// diagram goes to SVG or PDF.
inline constexpr qint64 kMaximumImagePixels = qint64{1} << 28;

/// Pixels of the image of layout drawn at scale device pixels per diagram pixel.
[[nodiscard]] QSize DiagramImageSize(const TDiagramLayout& layout, int scale = 1);

/// Empty when the image of layout at scale can be made, otherwise why not: its size
/// and what to do instead.
[[nodiscard]] QString ImageRefusal(const TDiagramLayout& layout, int scale = 1);

/// The layout painted on a white image of its size (at least one pixel each way), scale
/// device pixels per diagram pixel. A null image when ImageRefusal refuses it.
[[nodiscard]] QImage RenderDiagramImage(const TDiagramLayout& layout, const TStatusIconsImageList& icons,
                                        int scale = 1);

/// Writes layout to path in the format of its extension (a PNG image at scale device pixels
/// per diagram pixel). Returns true when the file is complete; otherwise false with error
/// saying why. SVG and PDF are written as they are drawn, so their size has no limit
/// but the disk; a PDF taller than kMaximumPdfPageHeight is cut into pages.
[[nodiscard]] bool ExportDiagram(const TDiagramLayout& layout, const TStatusIconsImageList& icons, const QString& path,
                                 QString& error, int scale = 1);

/// The tallest page of a PDF, in diagram pixels: 200 inches, what PDF readers show.
inline constexpr int kMaximumPdfPageHeight = 19200;

}  // namespace korvane
