// A titled group of the two statement types, "Issue" then "Assumption", side by side.
#pragma once

#include <QGroupBox>
#include <QRadioButton>

#include "model/statement.h"

namespace korvane {

class TTypeRadioGroup : public QGroupBox {
  Q_OBJECT
public:
  TTypeRadioGroup(const QString& title, QWidget* parent);

  /// 0 for "Issue", 1 for "Assumption".
  [[nodiscard]] int ItemIndex() const;
  void SetItemIndex(int index);

  /// The statement type of the checked item.
  [[nodiscard]] TStatementType StatementType() const;
  /// Checks the item of a statement type.
  void SetStatementType(TStatementType type);

  [[nodiscard]] QRadioButton* IssueButton() const { return issue_; }
  [[nodiscard]] QRadioButton* AssumptionButton() const { return assumption_; }

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  QRadioButton* issue_;
  QRadioButton* assumption_;
};

}  // namespace korvane
