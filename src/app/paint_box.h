// A white surface that the diagrams draw on.
#pragma once

#include <QWidget>
#include <functional>

class QPainter;

namespace korvane {

class TPaintBox : public QWidget {
  Q_OBJECT
public:
  explicit TPaintBox(QWidget* parent = nullptr);
  /// Draws on the white background at every paint request.
  std::function<void(QPainter&)> OnPaint;

protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace korvane
