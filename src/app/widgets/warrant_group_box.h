// A group box with "Add as &issue" and "Add as &assumption": at most one is ticked.
#pragma once

#include <QCheckBox>
#include <QGroupBox>

namespace korvane {

class TWarrantGroupBox : public QGroupBox {
  Q_OBJECT
public:
  /// prefix names the check boxes: prefix + "AsIssueCheckBox", prefix + "AsAssumptionCheckBox".
  TWarrantGroupBox(const QString& title, const QString& prefix, const QRect& bounds, QWidget* parent);

  [[nodiscard]] QCheckBox* AsIssue() const { return asIssue_; }
  [[nodiscard]] QCheckBox* AsAssumption() const { return asAssumption_; }
  void ClearBoth();

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void PlaceCheckBoxes();

  QCheckBox* asIssue_;
  QCheckBox* asAssumption_;
};

}  // namespace korvane
