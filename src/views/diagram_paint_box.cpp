#include "views/diagram_paint_box.h"

#include <QPaintEvent>
#include <QPainter>

#include "views/diagram_builder.h"
#include "views/diagram_painter.h"

namespace korvane {

TDiagramPaintBox::TDiagramPaintBox(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  resize(width(), 0);
}

void TDiagramPaintBox::ShowDialecticalDiagram(const TArgumentationStage& stage, bool structureOnly, const QFont& font,
                                              const QScrollArea* scrollBox) {
  resize(width(), 0);
  setVisible(true);
  Take(LayoutDialecticalDiagram(stage, width(), font, structureOnly));
  if (scrollBox && height() > scrollBox->height()) {
    const int narrower = WidthInScrollBox(scrollBox->width(), scrollBox->height(), height());
    if (narrower != width()) {
      resize(narrower, height());
      Take(LayoutDialecticalDiagram(stage, width(), font, structureOnly));
    }
  }
}

void TDiagramPaintBox::ShowStatementsDiagram(const TArgumentationStage& stage, bool structureOnly, const QFont& font) {
  setVisible(true);
  Take(LayoutStatementsDiagram(stage, width(), font, structureOnly, height()));
}

void TDiagramPaintBox::ShowStepsView(bool diagramButtonDown) {
  setVisible(true);
  if (!diagramButtonDown) {
    layout_.Boxes.clear();
    layout_.Lines.clear();
    layout_.Texts.clear();
    layout_.Icons.clear();
  }
  update();
}

int TDiagramPaintBox::WidthInScrollBox(int scrollBoxWidth, int scrollBoxHeight, int paintBoxHeight) {
  return paintBoxHeight > scrollBoxHeight ? scrollBoxWidth - 20 : scrollBoxWidth - 7;
}

void TDiagramPaintBox::FitToScrollBox(const QScrollArea& scrollBox) {
  resize(WidthInScrollBox(scrollBox.width(), scrollBox.height(), height()), height());
}

void TDiagramPaintBox::Take(TDiagramLayout layout) {
  layout_ = std::move(layout);
  resize(width(), layout_.Height);
  update();
}

void TDiagramPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  PaintDiagram(painter, layout_, icons_, event->rect());
}

}  // namespace korvane
