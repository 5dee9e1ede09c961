#include "views/map_paint_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvane {

TMapPaintBox::TMapPaintBox(QWidget* parent) : TDiagramPaintBox(parent) {
  setObjectName(QStringLiteral("MapPaintBox"));
  setAccessibleName(QStringLiteral("Map"));
}

void TMapPaintBox::ShowMap(const TArgumentationStage& stage, bool structureOnly, const QFont& font) {
  // The picture shown before lends its buffers to the next.
  TMapPicture shown = std::move(picture_);
  shown.Layout = ReleaseLayout();
  picture_ = painter_.Paint(stage, font, structureOnly, std::move(shown));
  // The layout keeps the drawing; the picture keeps what finds boxes and strokes.
  ShowLayout(std::move(picture_.Layout), &stage);
  // The selection follows its sentence into the new stage, or goes.
  const TStatement* kept = nullptr;
  for (int i = 0; i < BoxCount() && !selectedSentence_.empty(); ++i)
    if (BoxPart(i)->Statement->Sentence == selectedSentence_) kept = BoxPart(i)->Statement;
  selected_ = kept;
  if (!kept) selectedSentence_.clear();
}

QRect TMapPaintBox::StatementBox(const std::string& sentence) const { return picture_.StatementBoxes.Find(sentence); }

void TMapPaintBox::Select(const TStatement* statement) {
  selected_ = statement && !StatementBox(statement->Sentence).isNull() ? statement : nullptr;
  selectedSentence_ = selected_ ? selected_->Sentence : std::string();
  update();
}

void TMapPaintBox::mousePressEvent(QMouseEvent* event) {
  // Selected before the click is told, so a listener sees the new selection.
  if (event->button() == Qt::LeftButton) {
    if (const TDiagramPart* part = BoxPart(BoxIndexAt(event->position().toPoint()))) Select(part->Statement);
  }
  TDiagramPaintBox::mousePressEvent(event);
}

void TMapPaintBox::paintEvent(QPaintEvent* event) {
  TDiagramPaintBox::paintEvent(event);
  if (!selected_) return;
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.drawRect(ToWidget(StatementBox(selectedSentence_)).adjusted(-3, -3, 3, 3));
}

}  // namespace korvane
