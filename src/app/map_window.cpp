#include "app/map_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/arg_int_form.h"
#include "app/diagram_menu.h"
#include "app/window_font.h"
#include "views/diagram_export.h"
#include "views/map_paint_box.h"

namespace korvane {

TMapWindow::TMapWindow(TArgIntForm& form)
    : QWidget(&form, Qt::Window), form_(form), scrollArea_(new QScrollArea(this)), paintBox_(new TMapPaintBox) {
  setObjectName(QStringLiteral("MapWindow"));
  setWindowTitle(QStringLiteral("Map"));
  setAccessibleName(QStringLiteral("Map"));
  setAccessibleDescription(QStringLiteral("The whole argumentation as one graph, each statement once"));
  resize(900, 650);
  scrollArea_->setObjectName(QStringLiteral("MapScrollArea"));
  scrollArea_->setBackgroundRole(QPalette::Base);
  scrollArea_->setAccessibleName(QStringLiteral("Map"));
  scrollArea_->setAccessibleDescription(QStringLiteral("Scrolls the map"));
  paintBox_->setAccessibleDescription(
      QStringLiteral("One box per statement; arrows point from reasons to conclusions"));
  scrollArea_->setWidget(paintBox_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scrollArea_);

  auto* menu = new QMenu(paintBox_);
  menu->setObjectName(QStringLiteral("MapContextMenu"));
  menu->addAction(QStringLiteral("Export diagram..."), this, &TMapWindow::Export);
  menu->addAction(QStringLiteral("Print..."), this, &TMapWindow::Print);
  menu->addAction(QStringLiteral("Copy as image"), this, &TMapWindow::CopyAsImage);
  paintBox_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(paintBox_, &QWidget::customContextMenuRequested, this,
          [this, menu](const QPoint& pos) { menu->popup(paintBox_->mapToGlobal(pos)); });
  connect(paintBox_, &TMapPaintBox::StatementClicked, this, &TMapWindow::StatementSelected);

  auto* show = new QAction(QStringLiteral("Show map"), &form);
  show->setObjectName(QStringLiteral("ShowMapAction"));
  show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  show->setShortcutContext(Qt::WindowShortcut);
  connect(show, &QAction::triggered, this, &TMapWindow::ShowAndRaise);
  form.addAction(show);
}

void TMapWindow::ShowAndRaise() {
  show();
  Follow();
  raise();
  activateWindow();
}

void TMapWindow::Follow() {
  if (!isVisible() || !form_.Line().CurrentStage) return;
  paintBox_->ShowMap(*form_.Line().CurrentStage, form_.ShowStructureOnlyChecked(), WindowFont());
}

void TMapWindow::ShowStatement(const TStatement* statement) {
  paintBox_->Select(statement);
  const QRect box = statement ? paintBox_->StatementBox(statement->Sentence) : QRect();
  if (!box.isNull())
    scrollArea_->ensureVisible(box.center().x(), box.center().y(), box.width() / 2 + 20, box.height() / 2 + 20);
}

void TMapWindow::Export() {
  QFileDialog dialog(this, QStringLiteral("Export diagram"));
  dialog.setObjectName(QStringLiteral("ExportDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({QStringLiteral("PNG image (*.png)"), QStringLiteral("SVG drawing (*.svg)"),
                         QStringLiteral("PDF document (*.pdf)")});
  dialog.setDefaultSuffix(QStringLiteral("png"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  QString path = dialog.selectedFiles().constFirst();
  if (!ExportFormatOf(path)) path += QStringLiteral(".png");
  QString error;
  if (!ExportDiagram(paintBox_->Layout(), paintBox_->Icons(), path, error))
    TErrorBox().ReportError(error.toStdString());
}

void TMapWindow::Print() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, this);
  preview.setObjectName(QStringLiteral("PrintPreview"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
          [this](QPrinter* p) { PrintDiagram(*p, paintBox_->Layout(), paintBox_->Icons()); });
  preview.exec();
}

void TMapWindow::CopyAsImage() {
  const int scale = std::clamp(static_cast<int>(std::ceil(paintBox_->devicePixelRatioF())), 1, 4);
  const QString refusal = ImageRefusal(paintBox_->Layout(), scale);
  if (!refusal.isEmpty()) {
    TErrorBox().ReportError("Cannot copy the map: " + refusal.toStdString());
    return;
  }
  QApplication::clipboard()->setImage(RenderDiagramImage(paintBox_->Layout(), paintBox_->Icons(), scale));
}

}  // namespace korvane
