// A white scroll area whose controls sit at fixed places on one client widget; its
// scroll range covers the visible controls, and a control can be made to fill it.
#pragma once

#include <QScrollArea>

namespace korvane {

class TScrollBox : public QScrollArea {
  Q_OBJECT
public:
  explicit TScrollBox(QWidget* parent = nullptr);

  /// The parent of the controls that scroll.
  [[nodiscard]] QWidget* Client() const { return client_; }
  /// The visible area when nothing overflows it.
  [[nodiscard]] QSize ClientAreaSize() const;
  /// Puts the control at 0, 0 with the size of the client area.
  void Fill(QWidget* control) const;
  /// Sizes the client widget to the visible controls, at least to the client area.
  void UpdateExtent();

signals:
  void Resized();

protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QWidget* client_;
  bool updating_ = false;
};

}  // namespace korvane
