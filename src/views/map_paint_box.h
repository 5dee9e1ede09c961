// The surface the map is drawn on: a diagram paint box (tooltips, accessible boxes) that
// takes its layout from a map painter, remembers the map's boxes by sentence, and marks
// the statement selected with a frame.
#pragma once

#include <QFont>
#include <string>
#include <unordered_map>

#include "views/diagram_paint_box.h"
#include "views/map_picture.h"

namespace korvane {

class TMapPaintBox : public TDiagramPaintBox {
  Q_OBJECT
public:
  explicit TMapPaintBox(QWidget* parent = nullptr);

  /// Lays out and shows the map of stage, starting from the map shown before.
  void ShowMap(const TArgumentationStage& stage, bool structureOnly, const QFont& font);
  /// Forgets the map shown: the next one is laid out afresh (a new document).
  void ForgetMap() { painter_.Forget(); }

  /// The box of the statement with this sentence, or an empty rectangle.
  [[nodiscard]] QRect StatementBox(const std::string& sentence) const;
  /// Frames the statement's box (none for null or a statement the map does not show).
  void Select(const TStatement* statement);
  [[nodiscard]] const TStatement* Selected() const { return selected_; }
  /// The strokes and boxes of the map shown; its drawing is Layout().
  [[nodiscard]] const TMapPicture& Picture() const { return picture_; }

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  TMapPainter painter_;
  TMapPicture picture_;
  const TStatement* selected_ = nullptr;
  std::string selectedSentence_;
};

}  // namespace korvane
