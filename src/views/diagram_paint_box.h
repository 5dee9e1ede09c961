// The white surface the two diagrams are drawn on. A show call lays the diagram out
// at the paint box's width and sets its height; paint requests paint that layout.
// Hovering a box or a connector explains it; assistive technology sees one child per box.
// Zoomed, the layout is made for the width divided by the zoom and painted scaled; points
// of the paint box reach the layout only through the zoom.
#pragma once

#include <QFont>
#include <QScrollArea>
#include <QWidget>
#include <optional>
#include <string>
#include <utility>

#include "model/argumentation_stage.h"
#include "views/diagram_accessibility.h"
#include "views/diagram_layout.h"
#include "views/diagram_reuse.h"
#include "views/diagram_zoom.h"
#include "views/status_icons.h"

namespace korvane {

class TDiagramPaintBox : public QWidget {
  Q_OBJECT
public:
  explicit TDiagramPaintBox(QWidget* parent = nullptr);

  /// Shows the dialectical-arguments diagram of stage: the height starts again from 0,
  /// and when the diagram is taller than scrollBox (if given) the paint box is made
  /// narrow enough for the vertical scroll bar and the diagram laid out once more.
  void ShowDialecticalDiagram(const TArgumentationStage& stage, bool structureOnly, const QFont& font,
                              const QScrollArea* scrollBox = nullptr);
  /// Shows the statements diagram of stage; the paint box keeps at least its height.
  void ShowStatementsDiagram(const TArgumentationStage& stage, bool structureOnly, const QFont& font);
  /// Shows the paint box without laying anything out: it keeps painting the last
  /// diagram when a diagram's button is down, otherwise it is white.
  void ShowStepsView(bool diagramButtonDown);
  /// The undercutters view has nothing to show.
  void ShowUndercuttersView() {}

  /// Width for a paint box in a scroll box of this size: room for the vertical scroll
  /// bar (20 pixels) when the paint box is taller than the scroll box, else 7 pixels.
  [[nodiscard]] static int WidthInScrollBox(int scrollBoxWidth, int scrollBoxHeight, int paintBoxHeight);
  /// Sets the width by WidthInScrollBox; the main window calls it when the scroll box is resized.
  void FitToScrollBox(const QScrollArea& scrollBox);
  /// The width diagrams are laid out for: the paint box's own, unless the last diagram
  /// widened it to reach its boxes, then the width it had before.
  [[nodiscard]] int LayoutWidth() const;

  [[nodiscard]] const TDiagramLayout& Layout() const { return layout_; }
  [[nodiscard]] const TStatusIconsImageList& Icons() const { return icons_; }

  /// The boxes of the diagram shown, in drawing order, while the paint box shows one.
  [[nodiscard]] int BoxCount() const;
  [[nodiscard]] const TDiagramPart* BoxPart(int index) const;
  /// The index of the box at point, or -1.
  [[nodiscard]] int BoxIndexAt(QPoint point) const;
  /// What the tooltip says about part of the diagram shown.
  [[nodiscard]] QString Explain(const TDiagramPart& part) const;
  /// What the paint box shows, for assistive technology: "Arguments diagram",
  /// "Statements diagram", or empty while it shows neither.
  [[nodiscard]] QString DiagramName() const;
  /// The interface assistive technology reads for box index.
  [[nodiscard]] QAccessibleInterface* AccessibleBox(int index);

  /// The zoom in percent; the next show lays the diagram out for it. The height is
  /// scaled at once, so the statements diagram keeps the height it had, not more.
  void SetZoom(int percent);
  [[nodiscard]] const TDiagramZoom& Zoom() const { return zoom_; }
  /// The rectangle of the paint box that shows a rectangle of the layout (such as a part's Area).
  [[nodiscard]] QRect ToWidget(const QRect& layoutRect) const { return zoom_.ToWidget(layoutRect); }

  /// Frames the first box of the statement with this sentence over the picture, in every
  /// diagram shown until it is set again; nullopt takes the frame away.
  void SetFocusSentence(std::optional<std::string> sentence);
  /// The framed box in the paint box's pixels, or an empty rectangle.
  [[nodiscard]] QRect FocusRect() const;

signals:
  /// A box was clicked with the left button.
  void StatementClicked(const TStatement* statement);

protected:
  /// Hands the layout shown back for its buffers; another is shown right after.
  [[nodiscard]] TDiagramLayout ReleaseLayout() { return std::exchange(layout_, TDiagramLayout()); }
  /// Shows a layout made elsewhere (the map), its parts pointing into stage.
  void ShowLayout(TDiagramLayout layout, const TArgumentationStage* stage) {
    const int width = layout.Width;
    Take(std::move(layout), width, stage);
  }
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void Take(TDiagramLayout layout, int layoutWidth, const TArgumentationStage* stage);
  /// The layout shown goes to the memory, for the next layout to copy from.
  void GiveBackLayout();
  void SetWidth(int width);
  void FindFocusBox();

  TDiagramLayout layout_;
  TDiagramMemory memory_;  // what the next layout takes from the last
  TStatusIconsImageList icons_;
  // The stage the parts of layout_ point into, while it is known to live.
  const TArgumentationStage* stage_ = nullptr;
  bool statementsDiagram_ = false;
  std::vector<int> boxParts_;  // indices into layout_.Parts
  int layoutWidth_ = 0;        // the width asked for ...
  int widenedWidth_ = -1;      // ... and the width the diagram widened the paint box to
  TDiagramAccessibleBoxes accessibleBoxes_;
  TDiagramZoom zoom_;
  std::optional<std::string> focusSentence_;
  int focusBox_ = -1;  // index into layout_.Boxes
};

}  // namespace korvane
