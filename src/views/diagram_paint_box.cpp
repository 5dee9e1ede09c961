#include "views/diagram_paint_box.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include "views/diagram_builder.h"
#include "views/diagram_explanation.h"
#include "views/diagram_painter.h"
#include "views/focus_frame.h"

namespace korvane {

namespace {

// Characters of a tooltip line at most: long explanations wrap instead of growing as wide
// as the screen, short ones stay on one line.
constexpr qsizetype kTooltipLine = 72;

QString BrokenIntoLines(const QString& text) {
  QString out;
  qsizetype lineStart = 0;
  for (const QString& word : text.split(QLatin1Char(' '))) {
    if (out.size() > lineStart && out.size() - lineStart + 1 + word.size() > kTooltipLine) {
      out += QLatin1Char('\n');
      lineStart = out.size();
    } else if (out.size() > lineStart) {
      out += QLatin1Char(' ');
    }
    out += word;
  }
  return out;
}

}  // namespace

TDiagramPaintBox::TDiagramPaintBox(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  resize(width(), 0);
  InstallDiagramAccessibility();
}

void TDiagramPaintBox::ShowDialecticalDiagram(const TArgumentationStage& stage, bool structureOnly, const QFont& font,
                                              const QScrollArea* scrollBox) {
  const int width = LayoutWidth();
  statementsDiagram_ = false;
  resize(this->width(), 0);
  setVisible(true);
  GiveBackLayout();
  Take(LayoutDialecticalDiagram(stage, zoom_.ToLayout(width), font, structureOnly, &memory_), width, &stage);
  if (scrollBox && height() > scrollBox->height()) {
    const int narrower = WidthInScrollBox(scrollBox->width(), scrollBox->height(), height());
    if (narrower != width) {
      GiveBackLayout();
      Take(LayoutDialecticalDiagram(stage, zoom_.ToLayout(narrower), font, structureOnly, &memory_), narrower,
           &stage);
    }
  }
}

void TDiagramPaintBox::ShowStatementsDiagram(const TArgumentationStage& stage, bool structureOnly, const QFont& font) {
  setVisible(true);
  const int width = LayoutWidth();
  statementsDiagram_ = true;
  // Required as is: starts from the height the paint box has (pinned by tests/views/diagram_layout_test.cpp).
  const int keptHeight = zoom_.ToLayout(height());
  GiveBackLayout();
  Take(LayoutStatementsDiagram(stage, zoom_.ToLayout(width), font, structureOnly, keptHeight, &memory_), width, &stage);
}

void TDiagramPaintBox::ShowStepsView(bool diagramButtonDown) {
  setVisible(true);
  // The picture may stay, but the stage it was made from may already be gone.
  stage_ = nullptr;
  boxParts_.clear();
  accessibleBoxes_.Forget();
  if (!diagramButtonDown) layout_.ClearDrawing();
  FindFocusBox();
  update();
}

int TDiagramPaintBox::WidthInScrollBox(int scrollBoxWidth, int scrollBoxHeight, int paintBoxHeight) {
  return paintBoxHeight > scrollBoxHeight ? scrollBoxWidth - 20 : scrollBoxWidth - 7;
}

void TDiagramPaintBox::FitToScrollBox(const QScrollArea& scrollBox) {
  // The scroll box also reports a resize when its horizontal scroll bar comes or goes;
  // a widened diagram keeps its width as long as the width it was laid out for holds.
  const int width = WidthInScrollBox(scrollBox.width(), scrollBox.height(), height());
  if (width != LayoutWidth()) SetWidth(width);
}

int TDiagramPaintBox::LayoutWidth() const { return width() == widenedWidth_ ? layoutWidth_ : width(); }

void TDiagramPaintBox::SetWidth(int width) {
  layoutWidth_ = width;
  widenedWidth_ = width;
  resize(width, height());
}

void TDiagramPaintBox::GiveBackLayout() { memory_.Reuse.GiveBack(ReleaseLayout()); }

void TDiagramPaintBox::Take(TDiagramLayout layout, int layoutWidth, const TArgumentationStage* stage) {
  layout_ = std::move(layout);
  stage_ = stage;
  layoutWidth_ = layoutWidth;
  widenedWidth_ = zoom_.ToWidget(layout_.Width);
  boxParts_.clear();
  for (std::size_t i = 0; i < layout_.Parts.size(); ++i)
    if (layout_.Parts[i].Kind == TDiagramPart::TKind::Statement) boxParts_.push_back(static_cast<int>(i));
  accessibleBoxes_.Forget();
  FindFocusBox();
  resize(zoom_.ToWidget(layout_.Width), zoom_.ToWidget(layout_.Height));
  update();
  if (QAccessible::isActive()) {
    QAccessibleEvent changed(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&changed);
  }
}

int TDiagramPaintBox::BoxCount() const { return stage_ ? static_cast<int>(boxParts_.size()) : 0; }

const TDiagramPart* TDiagramPaintBox::BoxPart(int index) const {
  if (index < 0 || index >= BoxCount()) return nullptr;
  return &layout_.Parts[static_cast<std::size_t>(boxParts_[static_cast<std::size_t>(index)])];
}

int TDiagramPaintBox::BoxIndexAt(QPoint point) const {
  for (int i = 0; i < BoxCount(); ++i)
    if (BoxPart(i)->Area.contains(zoom_.ToLayout(point))) return i;
  return -1;
}

void TDiagramPaintBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (const TDiagramPart* part = BoxPart(BoxIndexAt(event->position().toPoint())))
      emit StatementClicked(part->Statement);
  }
  QWidget::mousePressEvent(event);
}

QString TDiagramPaintBox::Explain(const TDiagramPart& part) const {
  return stage_ ? ExplainDiagramPart(*stage_, part) : QString();
}

QString TDiagramPaintBox::DiagramName() const {
  if (!stage_) return {};
  return statementsDiagram_ ? QStringLiteral("Statements diagram") : QStringLiteral("Arguments diagram");
}

QAccessibleInterface* TDiagramPaintBox::AccessibleBox(int index) { return accessibleBoxes_.Box(this, index); }

bool TDiagramPaintBox::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const TDiagramPart* part = stage_ ? DiagramPartAt(layout_, zoom_.ToLayout(help->pos())) : nullptr;
  const QString text = part ? Explain(*part) : QString();
  if (text.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
    return true;
  }
  QToolTip::showText(help->globalPos(), BrokenIntoLines(text), this, ToWidget(part->Area));
  return true;
}

void TDiagramPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  if (zoom_.Percent() == kNoZoom) {
    PaintDiagram(painter, layout_, icons_, event->rect());
  } else {
    painter.save();
    painter.scale(zoom_.Factor(), zoom_.Factor());
    PaintDiagram(painter, layout_, icons_, zoom_.ToLayout(event->rect()));
    painter.restore();
  }
  PaintFocusFrame(painter, FocusRect(), rect());
}

void TDiagramPaintBox::SetZoom(int percent) {
  if (percent == zoom_.Percent()) return;
  const int layoutHeight = zoom_.ToLayout(height());
  zoom_ = TDiagramZoom(percent);
  resize(width(), zoom_.ToWidget(layoutHeight));
}

void TDiagramPaintBox::SetFocusSentence(std::optional<std::string> sentence) {
  const QRect before = FocusRect();
  focusSentence_ = std::move(sentence);
  FindFocusBox();
  update(FocusFrameArea(before));
  update(FocusFrameArea(FocusRect()));
}

void TDiagramPaintBox::FindFocusBox() {
  focusBox_ = -1;
  if (!focusSentence_ || !stage_) return;
  for (int i = 0; i < BoxCount(); ++i) {
    const TDiagramPart* part = BoxPart(i);
    if (part->Statement->Sentence == *focusSentence_) {
      focusBox_ = part->Box;
      return;
    }
  }
}

QRect TDiagramPaintBox::FocusRect() const {
  if (focusBox_ < 0 || focusBox_ >= static_cast<int>(layout_.Boxes.size())) return {};
  return ToWidget(layout_.Boxes[static_cast<std::size_t>(focusBox_)].Rect);
}

void TDiagramPaintBox::hideEvent(QHideEvent* event) {
  // Hidden by the window (not minimised), the stage may be replaced without the diagram
  // being laid out again.
  if (!event->spontaneous()) {
    stage_ = nullptr;
    accessibleBoxes_.Forget();
    focusBox_ = -1;
  }
  QWidget::hideEvent(event);
}

}  // namespace korvane
