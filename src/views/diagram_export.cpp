#include "views/diagram_export.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

#include "views/diagram_painter.h"

namespace korvane {

namespace {

// Pixels of the diagram per inch in vector files, the density the window lays out for.
constexpr int kPixelsPerInch = 96;

QSize PictureSize(const TDiagramLayout& layout) { return {std::max(layout.Width, 1), std::max(layout.Height, 1)}; }

bool WriteSvg(const TDiagramLayout& layout, const TStatusIconsImageList& icons, QSaveFile& file) {
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(PictureSize(layout));
  svg.setViewBox(QRect(QPoint(0, 0), PictureSize(layout)));
  svg.setResolution(kPixelsPerInch);
  svg.setTitle(QStringLiteral("Korvane diagram"));
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  PaintDiagram(painter, layout, icons);
  return painter.end();
}

bool WritePdf(const TDiagramLayout& layout, const TStatusIconsImageList& icons, QSaveFile& file) {
  QPdfWriter pdf(&file);
  pdf.setResolution(kPixelsPerInch);
  const QSize size = PictureSize(layout);
  const double points = 72.0 / kPixelsPerInch;
  pdf.setPageSize(QPageSize(QSizeF(size.width() * points, size.height() * points), QPageSize::Point, QString(),
                            QPageSize::ExactMatch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setCreator(QStringLiteral("Korvane"));
  pdf.setTitle(QStringLiteral("Korvane diagram"));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  PaintDiagram(painter, layout, icons);
  return painter.end();
}

}  // namespace

std::optional<TExportFormat> ExportFormatOf(const QString& path) {
  const QString lower = path.toLower();
  if (lower.endsWith(QStringLiteral(".png"))) return TExportFormat::Png;
  if (lower.endsWith(QStringLiteral(".svg"))) return TExportFormat::Svg;
  if (lower.endsWith(QStringLiteral(".pdf"))) return TExportFormat::Pdf;
  return std::nullopt;
}

QImage RenderDiagramImage(const TDiagramLayout& layout, const TStatusIconsImageList& icons) {
  QImage image(PictureSize(layout), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintDiagram(painter, layout, icons);
  return image;
}

bool ExportDiagram(const TDiagramLayout& layout, const TStatusIconsImageList& icons, const QString& path,
                   QString& error) {
  const std::optional<TExportFormat> format = ExportFormatOf(path);
  if (!format) {
    error = QStringLiteral("Cannot export to ") + path + QStringLiteral(": the name must end in .png, .svg or .pdf");
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = QStringLiteral("Cannot create file ") + path;
    return false;
  }
  bool written = false;
  switch (*format) {
    case TExportFormat::Png: written = RenderDiagramImage(layout, icons).save(&file, "PNG"); break;
    case TExportFormat::Svg: written = WriteSvg(layout, icons, file); break;
    case TExportFormat::Pdf: written = WritePdf(layout, icons, file); break;
  }
  if (!written) {
    file.cancelWriting();
    error = QStringLiteral("Cannot write file ") + path;
    return false;
  }
  if (!file.commit()) {
    error = QStringLiteral("Cannot create file ") + path;
    return false;
  }
  return true;
}

}  // namespace korvane
