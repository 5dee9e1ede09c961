#include "views/diagram_export.h"

#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "views/diagram_painter.h"
#include "views/diagram_svg.h"

namespace korvane {

namespace {

// Pixels of the diagram per inch in vector files, the density the window lays out for.
constexpr int kPixelsPerInch = 96;

QSize PictureSize(const TDiagramLayout& layout) { return {std::max(layout.Width, 1), std::max(layout.Height, 1)}; }

void SetPdfPage(QPdfWriter& pdf, int width, int height) {
  const double points = 72.0 / kPixelsPerInch;
  pdf.setPageSize(
      QPageSize(QSizeF(width * points, height * points), QPageSize::Point, QString(), QPageSize::ExactMatch));
}

// One page per band of kMaximumPdfPageHeight pixels; the writer keeps only the page being
// drawn, and a large page in a temporary file.
bool WritePdf(const TDiagramLayout& layout, const TStatusIconsImageList& icons, QSaveFile& file) {
  QPdfWriter pdf(&file);
  pdf.setResolution(kPixelsPerInch);
  const QSize size = PictureSize(layout);
  SetPdfPage(pdf, size.width(), std::min(size.height(), kMaximumPdfPageHeight));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setCreator(QStringLiteral("Korvane"));
  pdf.setTitle(QStringLiteral("Korvane diagram"));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  for (int top = 0; top < size.height(); top += kMaximumPdfPageHeight) {
    const int height = std::min(size.height() - top, kMaximumPdfPageHeight);
    if (top > 0) {
      SetPdfPage(pdf, size.width(), height);
      if (!pdf.newPage()) return false;
    }
    const QRect band(0, top, size.width(), height);
    painter.save();
    painter.translate(0, -top);
    painter.setClipRect(band);
    PaintDiagram(painter, layout, icons, band);
    painter.restore();
  }
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

QSize DiagramImageSize(const TDiagramLayout& layout, int scale) {
  const QSize size = PictureSize(layout);
  return {size.width() * scale, size.height() * scale};
}

QString ImageRefusal(const TDiagramLayout& layout, int scale) {
  const QSize size = PictureSize(layout);
  const qint64 pixels = qint64{size.width()} * size.height() * scale * scale;
  if (pixels <= kMaximumImagePixels) return {};
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::DefaultNumberOptions);  // with thousands separators
  return QStringLiteral(
             "the diagram is %1 x %2 pixels, too large for one image (at most %3 pixels); export it as SVG "
             "or PDF instead")
      .arg(c.toString(qint64{size.width()} * scale), c.toString(qint64{size.height()} * scale),
           c.toString(kMaximumImagePixels));
}

QImage RenderDiagramImage(const TDiagramLayout& layout, const TStatusIconsImageList& icons, int scale) {
  if (!ImageRefusal(layout, scale).isEmpty()) return {};
  QImage image(DiagramImageSize(layout, scale), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintDiagram(painter, layout, icons);
  return image;
}

bool ExportDiagram(const TDiagramLayout& layout, const TStatusIconsImageList& icons, const QString& path,
                   QString& error, int scale) {
  const std::optional<TExportFormat> format = ExportFormatOf(path);
  if (!format) {
    error = QStringLiteral("Cannot export to ") + path + QStringLiteral(": the name must end in .png, .svg or .pdf");
    return false;
  }
  // Refused before the file is touched, so an old file stays as it was.
  if (*format == TExportFormat::Png) {
    const QString refusal = ImageRefusal(layout, scale);
    if (!refusal.isEmpty()) {
      error = QStringLiteral("Cannot export to ") + path + QStringLiteral(": ") + refusal;
      return false;
    }
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = QStringLiteral("Cannot create file ") + path;
    return false;
  }
  bool written = false;
  switch (*format) {
    case TExportFormat::Png: {
      const QImage image = RenderDiagramImage(layout, icons, scale);
      written = !image.isNull() && image.save(&file, "PNG");
      break;
    }
    case TExportFormat::Svg: written = WriteDiagramSvg(layout, icons, file); break;
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
