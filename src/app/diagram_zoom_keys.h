// Zooming the diagrams: Ctrl with the wheel over the view, Ctrl++ (and Ctrl+=), Ctrl+- and Ctrl+0 on the
// main window while a diagram shows. The diagram is laid out again for the zoom; the
// place under the pointer (or the middle of the view) stays where it was.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QScrollArea;
class QWidget;

namespace korvane {

class TArgIntForm;
class TDiagramPaintBox;

class TDiagramZoomKeys : public QObject {
  Q_OBJECT
public:
  /// The keys go on keysOn (the window by default), which owns them; redraw shows the
  /// paint box's picture again for the new zoom (the window's current view by default).
  TDiagramZoomKeys(TArgIntForm& window, TDiagramPaintBox& paintBox, QScrollArea& scrollBox, QWidget* keysOn = nullptr,
                   std::function<void()> redraw = {});

  /// Zooms the showing diagram to percent (one of kZoomSteps) and shows the level briefly.
  void ZoomTo(int percent);
  void ZoomIn();
  void ZoomOut();
  void ZoomReset();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  /// The place of the view that stays put: the pointer when it is over the view.
  [[nodiscard]] QPoint Anchor() const;

  TArgIntForm& window_;
  TDiagramPaintBox& paintBox_;
  QScrollArea& scrollBox_;
  std::function<void()> redraw_;
  int wheelAngle_ = 0;  // eighths of a degree turned with Ctrl, not yet a step
};

/// What the zoom level is shown as: "Zoom 150%".
[[nodiscard]] QString ZoomLevelText(int percent);

}  // namespace korvane
