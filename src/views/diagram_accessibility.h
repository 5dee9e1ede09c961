// The diagram for assistive technology: the paint box is a canvas with one child per
// box, which gives the box's sentence as its name and its type and status as its
// description.
#pragma once

#include <QAccessibleWidget>
#include <vector>

namespace korvane {

class TDiagramPaintBox;

/// Registers the interface of TDiagramPaintBox with Qt's accessibility, once.
void InstallDiagramAccessibility();

/// The interfaces made for the boxes of one layout, made when first asked for and let go
/// when the layout changes or the paint box goes.
class TDiagramAccessibleBoxes {
public:
  TDiagramAccessibleBoxes() = default;
  TDiagramAccessibleBoxes(const TDiagramAccessibleBoxes&) = delete;
  TDiagramAccessibleBoxes& operator=(const TDiagramAccessibleBoxes&) = delete;
  ~TDiagramAccessibleBoxes() { Forget(); }

  /// The interface of box index of paintBox.
  [[nodiscard]] QAccessibleInterface* Box(TDiagramPaintBox* paintBox, int index);
  void Forget();

private:
  std::vector<QAccessible::Id> ids_;
};

}  // namespace korvane
