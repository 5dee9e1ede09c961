// The exception dialog: an exception that blocks a connection, and optionally its
// undercutter warrant as a statement.
#pragma once

#include "app/move_form.h"
#include "app/widgets/warrant_group_box.h"

namespace korvane {

class TExceptionForm : public TMoveForm {
  Q_OBJECT
public:
  explicit TExceptionForm(TArgIntForm& main);

  [[nodiscard]] TSentenceComboBox* ExceptionComboBox() const { return exceptionComboBox_; }
  [[nodiscard]] TSentenceComboBox* ConclusionComboBox() const { return conclusionComboBox_; }
  [[nodiscard]] TSentenceComboBox* ReasonComboBox() const { return reasonComboBox_; }
  [[nodiscard]] TTypeRadioGroup* ExceptionTypeRadioGroup() const { return exceptionTypeRadioGroup_; }
  [[nodiscard]] TTypeRadioGroup* ConclusionTypeRadioGroup() const { return conclusionTypeRadioGroup_; }
  [[nodiscard]] TTypeRadioGroup* ReasonTypeRadioGroup() const { return reasonTypeRadioGroup_; }
  [[nodiscard]] TWarrantGroupBox* UndercutterWarrantGroupBox() const { return undercutterWarrantGroupBox_; }

protected:
  void showEvent(QShowEvent* event) override;
  void OKButtonClick() override;
  void DeleteButtonClick() override;

private:
  void ExceptionComboBoxChange();
  void ExceptionComboBoxExit();
  void ReasonComboBoxChange();

  TSentenceComboBox* exceptionComboBox_;
  TTypeRadioGroup* exceptionTypeRadioGroup_;
  TSentenceComboBox* conclusionComboBox_;
  TTypeRadioGroup* conclusionTypeRadioGroup_;
  TSentenceComboBox* reasonComboBox_;
  TTypeRadioGroup* reasonTypeRadioGroup_;
  TWarrantGroupBox* undercutterWarrantGroupBox_;
};

}  // namespace korvane
