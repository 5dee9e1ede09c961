#include "app/diagram_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "app/message_boxes.h"
#include "views/diagram_export.h"
#include "views/diagram_paint_box.h"
#include "views/diagram_painter.h"

namespace korvane {

namespace {

struct TPictureFilter {
  const char* Filter;
  const char* Suffix;
};
constexpr TPictureFilter kFilters[] = {
    {"PNG image (*.png)", "png"}, {"SVG drawing (*.svg)", "svg"}, {"PDF document (*.pdf)", "pdf"}};

QString SuffixOf(const QString& filter) {
  for (const TPictureFilter& f : kFilters)
    if (filter == QLatin1String(f.Filter)) return QLatin1String(f.Suffix);
  return QStringLiteral("png");
}

}  // namespace

TDiagramMenu::TDiagramMenu(TDiagramPaintBox& paintBox, QWidget& window)
    : QObject(&window), paintBox_(paintBox), window_(window), menu_(new QMenu(&paintBox)) {
  menu_->setObjectName(QStringLiteral("DiagramContextMenu"));
  menu_->addAction(QStringLiteral("Export diagram..."), this, &TDiagramMenu::ExportDiagram);
  menu_->addAction(QStringLiteral("Print..."), this, &TDiagramMenu::Print);
  menu_->addAction(QStringLiteral("Copy as image"), this, &TDiagramMenu::CopyAsImage);
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("Find statement..."), this, &TDiagramMenu::FindStatementRequested);
  showMap_ = menu_->addAction(QStringLiteral("Show map"), this, &TDiagramMenu::ShowMapRequested);
  paintBox.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&paintBox, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) { Popup(pos); });
}

void TDiagramMenu::Popup(QPoint pos) {
  emit Requested(pos);
  menu_->popup(paintBox_.mapToGlobal(pos));
}

void TDiagramMenu::AddHistoryActions(QAction* undo, QAction* redo) {
  QAction* first = menu_->actions().value(0);
  menu_->insertActions(first, {undo, redo});
  menu_->insertSeparator(first);
}

void TDiagramMenu::ExportDiagram() {
  QFileDialog dialog(&window_, QStringLiteral("Export diagram"));
  dialog.setObjectName(QStringLiteral("ExportDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList filters;
  for (const TPictureFilter& f : kFilters) filters << QLatin1String(f.Filter);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QStringLiteral("png"));
  connect(&dialog, &QFileDialog::filterSelected, &dialog,
          [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOf(filter)); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  QString path = dialog.selectedFiles().constFirst();
  if (!ExportFormatOf(path)) path += QLatin1Char('.') + SuffixOf(dialog.selectedNameFilter());
  QString error;
  if (!korvane::ExportDiagram(paintBox_.Layout(), paintBox_.Icons(), path, error))
    TErrorBox().ReportError(error.toStdString());
}

void TDiagramMenu::Print() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, &window_);
  preview.setObjectName(QStringLiteral("PrintPreview"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
          [this](QPrinter* p) { PrintDiagram(*p, paintBox_.Layout(), paintBox_.Icons()); });
  preview.exec();
}

void TDiagramMenu::CopyAsImage() {
  const int scale = std::clamp(static_cast<int>(std::ceil(paintBox_.devicePixelRatioF())), 1, 4);
  const QString refusal = ImageRefusal(paintBox_.Layout(), scale);
  if (!refusal.isEmpty()) {
    TErrorBox().ReportError("Cannot copy the diagram: " + refusal.toStdString());
    return;
  }
  QApplication::clipboard()->setImage(RenderDiagramImage(paintBox_.Layout(), paintBox_.Icons(), scale));
}

int PrintDiagram(QPrinter& printer, const TDiagramLayout& layout, const TStatusIconsImageList& icons) {
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  const int width = std::max(layout.Width, 1);
  const double scale = std::min(printer.resolution() / 96.0, page.width() / width);
  // Whole rows on each page, as long as a row fits at all.
  const int fits = std::max(1, static_cast<int>(page.height() / scale));
  const int row = std::max(layout.RowHeight, 1);
  const int band = fits >= row ? fits / row * row : fits;
  int pages = 0;
  for (int top = 0; top < std::max(layout.Height, 1); top += band) {
    if (pages > 0 && !printer.newPage()) break;
    ++pages;
    const QRect area(0, top, width, band);
    painter.save();
    painter.scale(scale, scale);
    painter.translate(0, -top);
    painter.setClipRect(area);
    PaintDiagram(painter, layout, icons, area);
    painter.restore();
  }
  painter.end();
  return pages;
}

}  // namespace korvane
