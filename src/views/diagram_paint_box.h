// The white surface the two diagrams are drawn on. A show call lays the diagram out
// at the paint box's width and sets its height; paint requests paint that layout.
#pragma once

#include <QFont>
#include <QScrollArea>
#include <QWidget>

#include "model/argumentation_stage.h"
#include "views/diagram_layout.h"
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

  [[nodiscard]] const TDiagramLayout& Layout() const { return layout_; }
  [[nodiscard]] const TStatusIconsImageList& Icons() const { return icons_; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void Take(TDiagramLayout layout);

  TDiagramLayout layout_;
  TStatusIconsImageList icons_;
};

}  // namespace korvane
