#include "app/diagram_zoom_keys.h"

#include <QAction>
#include <QCursor>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>
#include <utility>

#include "app/arg_int_form.h"
#include "views/diagram_paint_box.h"
#include "views/diagram_zoom.h"

namespace korvane {

QString ZoomLevelText(int percent) { return QStringLiteral("Zoom %1%").arg(percent); }

TDiagramZoomKeys::TDiagramZoomKeys(TArgIntForm& window, TDiagramPaintBox& paintBox, QScrollArea& scrollBox,
                                   QWidget* keysOn, std::function<void()> redraw)
    : QObject(keysOn ? keysOn : &window),
      window_(window),
      paintBox_(paintBox),
      scrollBox_(scrollBox),
      redraw_(std::move(redraw)) {
  QWidget& keys = keysOn ? *keysOn : window;
  // Keys no menu item has, on the window itself: the menus stay as they are.
  const auto add = [&](const char* name, QList<QKeySequence> sequences, void (TDiagramZoomKeys::*command)()) {
    auto* action = new QAction(&keys);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(sequences);
    connect(action, &QAction::triggered, this, command);
    keys.addAction(action);
  };
  add("ZoomInAction", {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
      &TDiagramZoomKeys::ZoomIn);
  add("ZoomOutAction", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &TDiagramZoomKeys::ZoomOut);
  add("ZoomResetAction", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &TDiagramZoomKeys::ZoomReset);
  // The paint box leaves the wheel to the view it lies in, which also covers the white below it.
  scrollBox.viewport()->installEventFilter(this);
}

bool TDiagramZoomKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel || !paintBox_.isVisible()) return QObject::eventFilter(watched, event);
  const auto* wheel = static_cast<QWheelEvent*>(event);
  if (!(wheel->modifiers() & Qt::ControlModifier)) return QObject::eventFilter(watched, event);
  // A notch is 120 eighths of a degree; finer wheels add up to one.
  wheelAngle_ += wheel->angleDelta().y();
  int steps = wheelAngle_ / 120;
  wheelAngle_ -= steps * 120;
  int percent = paintBox_.Zoom().Percent();
  for (; steps > 0; --steps) percent = korvane::ZoomedIn(percent);
  for (; steps < 0; ++steps) percent = korvane::ZoomedOut(percent);
  if (percent != paintBox_.Zoom().Percent()) ZoomTo(percent);
  return true;
}

void TDiagramZoomKeys::ZoomIn() { ZoomTo(korvane::ZoomedIn(paintBox_.Zoom().Percent())); }
void TDiagramZoomKeys::ZoomOut() { ZoomTo(korvane::ZoomedOut(paintBox_.Zoom().Percent())); }
void TDiagramZoomKeys::ZoomReset() { ZoomTo(kNoZoom); }

QPoint TDiagramZoomKeys::Anchor() const {
  const QWidget* viewport = scrollBox_.viewport();
  const QPoint pointer = viewport->mapFromGlobal(QCursor::pos());
  return viewport->rect().contains(pointer) ? pointer : viewport->rect().center();
}

void TDiagramZoomKeys::ZoomTo(int percent) {
  if (!paintBox_.isVisible() || window_.Interpreting()) return;
  const int before = paintBox_.Zoom().Percent();
  if (percent != before) {
    const QPoint anchor = Anchor();
    const QPoint under = paintBox_.mapFrom(scrollBox_.viewport(), anchor);
    paintBox_.SetZoom(percent);
    if (redraw_)
      redraw_();
    else
      window_.RefreshCurrentView();
    // The same place of the diagram under the anchor, as far as the new layout allows.
    const double ratio = static_cast<double>(percent) / before;
    const QPoint offset = paintBox_.mapTo(scrollBox_.widget(), QPoint(0, 0));
    scrollBox_.horizontalScrollBar()->setValue(static_cast<int>(std::lround(under.x() * ratio)) + offset.x() -
                                               anchor.x());
    scrollBox_.verticalScrollBar()->setValue(static_cast<int>(std::lround(under.y() * ratio)) + offset.y() -
                                             anchor.y());
  }
  QToolTip::showText(scrollBox_.viewport()->mapToGlobal(Anchor()), ZoomLevelText(paintBox_.Zoom().Percent()),
                     &paintBox_);
}

}  // namespace korvane
