// The reason/conclusion dialog: a connection from a reason to a conclusion, and
// optionally its step warrant as a statement.
#pragma once

#include "app/move_form.h"
#include "app/widgets/warrant_group_box.h"

namespace korvane {

class TReasonConclusionForm : public TMoveForm {
  Q_OBJECT
public:
  explicit TReasonConclusionForm(TArgIntForm& main);

  [[nodiscard]] TSentenceComboBox* ConclusionComboBox() const { return conclusionComboBox_; }
  [[nodiscard]] TSentenceComboBox* ReasonComboBox() const { return reasonComboBox_; }
  [[nodiscard]] TTypeRadioGroup* ConclusionTypeRadioGroup() const { return conclusionTypeRadioGroup_; }
  [[nodiscard]] TTypeRadioGroup* ReasonTypeRadioGroup() const { return reasonTypeRadioGroup_; }
  [[nodiscard]] TWarrantGroupBox* StepWarrantGroupBox() const { return stepWarrantGroupBox_; }

protected:
  void showEvent(QShowEvent* event) override;
  void OKButtonClick() override;
  void DeleteButtonClick() override;

private:
  void ReasonComboBoxChange();
  void ReasonComboBoxExit();

  TSentenceComboBox* conclusionComboBox_;
  TTypeRadioGroup* conclusionTypeRadioGroup_;
  TSentenceComboBox* reasonComboBox_;
  TTypeRadioGroup* reasonTypeRadioGroup_;
  TWarrantGroupBox* stepWarrantGroupBox_;
};

}  // namespace korvane
