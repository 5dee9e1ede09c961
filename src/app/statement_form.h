// The statement dialog: one sentence and its type; OK states it, Delete takes it back.
#pragma once

#include "app/move_form.h"

namespace korvane {

class TStatementForm : public TMoveForm {
  Q_OBJECT
public:
  explicit TStatementForm(TArgIntForm& main);

  [[nodiscard]] TSentenceComboBox* StatementComboBox() const { return statementComboBox_; }
  [[nodiscard]] TTypeRadioGroup* StatementTypeRadioGroup() const { return statementTypeRadioGroup_; }

protected:
  void showEvent(QShowEvent* event) override;
  void OKButtonClick() override;
  void DeleteButtonClick() override;

private:
  void StatementComboBoxChange();
  void StatementComboBoxExit();

  TSentenceComboBox* statementComboBox_;
  TTypeRadioGroup* statementTypeRadioGroup_;
};

}  // namespace korvane
