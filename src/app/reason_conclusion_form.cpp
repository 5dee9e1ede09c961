#include "app/reason_conclusion_form.h"

#include "app/accessible_texts.h"
#include "document/session.h"
#include "model/warrant_sentences.h"

namespace korvane {

TReasonConclusionForm::TReasonConclusionForm(TArgIntForm& main)
    : TMoveForm(main, QStringLiteral("Reason/conclusion"), 513, 341) {
  setObjectName(QStringLiteral("ReasonConclusionForm"));
  (void)NewLabel(QStringLiteral("Label2"), QStringLiteral("Type or choose a conclusion:"), 8, 8);
  conclusionComboBox_ = NewComboBox(QStringLiteral("ConclusionComboBox"), 8, 32, 489, 21);
  conclusionComboBox_->SelectAllOnEnter = true;
  conclusionTypeRadioGroup_ =
      NewRadioGroup(QStringLiteral("ConclusionTypeRadioGroup"), QStringLiteral("&Conclusion type"), 8, 64, 489, 49);
  (void)NewLabel(QStringLiteral("Label1"), QStringLiteral("Type or choose a reason:"), 8, 136);
  reasonComboBox_ = NewComboBox(QStringLiteral("ReasonComboBox"), 8, 160, 489, 21);
  reasonComboBox_->SelectAllOnEnter = true;
  reasonTypeRadioGroup_ =
      NewRadioGroup(QStringLiteral("ReasonTypeRadioGroup"), QStringLiteral("&Reason type"), 8, 192, 489, 49);
  stepWarrantGroupBox_ = new TWarrantGroupBox(QStringLiteral("Step warrant"), QStringLiteral("AddStepWarrant"),
                                              QRect(256, 248, 241, 57), this);
  stepWarrantGroupBox_->setObjectName(QStringLiteral("StepWarrantGroupBox"));
  NewButtons(280);

  const QList<QWidget*> order{conclusionComboBox_,
                              reasonComboBox_,
                              conclusionTypeRadioGroup_->IssueButton(),
                              conclusionTypeRadioGroup_->AssumptionButton(),
                              reasonTypeRadioGroup_->IssueButton(),
                              reasonTypeRadioGroup_->AssumptionButton(),
                              stepWarrantGroupBox_->AsIssue(),
                              stepWarrantGroupBox_->AsAssumption(),
                              OKButton(),
                              CancelButton(),
                              DeleteButton()};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

  // Required as is: the conclusion box does not follow a type (pinned by tests/app/move_dialogs_test.cpp).
  connect(reasonComboBox_, &QComboBox::currentTextChanged, this, [this] { ReasonComboBoxChange(); });
  connect(reasonComboBox_, &TSentenceComboBox::Exited, this, [this] { ReasonComboBoxExit(); });
  DescribeReasonConclusionForm(*this);
}

void TReasonConclusionForm::showEvent(QShowEvent* event) {
  FillSentences(reasonComboBox_);
  FillSentences(conclusionComboBox_);
  reasonComboBox_->SetTextQuietly(QStringLiteral("<reason>"));
  reasonTypeRadioGroup_->SetItemIndex(1);
  conclusionComboBox_->SetTextQuietly(QStringLiteral("<conclusion>"));
  conclusionTypeRadioGroup_->SetItemIndex(0);
  stepWarrantGroupBox_->ClearBoth();
  TMoveForm::showEvent(event);
  conclusionComboBox_->setFocus(Qt::OtherFocusReason);
  conclusionComboBox_->lineEdit()->selectAll();
}

void TReasonConclusionForm::ReasonComboBoxChange() { FollowType(reasonComboBox_, reasonTypeRadioGroup_); }

void TReasonConclusionForm::ReasonComboBoxExit() { FollowType(reasonComboBox_, reasonTypeRadioGroup_); }

void TReasonConclusionForm::OKButtonClick() {
  TReasonConclusion* c =
      NewConnection(reasonComboBox_, reasonTypeRadioGroup_, conclusionComboBox_, conclusionTypeRadioGroup_);
  c->ConnectionKind = kSupporting;
  // The connection is handed over; its warrant is made from copies.
  const std::string warrant = StepWarrantSentence(c->Reason->Sentence, c->Conclusion->Sentence, c->ConnectionKind);
  const bool asIssue = stepWarrantGroupBox_->AsIssue()->isChecked();
  const bool asAssumption = stepWarrantGroupBox_->AsAssumption()->isChecked();

  Session().PerformReasonConclusionMove(c);
  // Required as is: stated even if the connection was declined (pinned by tests/app/move_dialogs_test.cpp).
  StateWarrant(warrant, asIssue, asAssumption);
  CloseForm();
}

void TReasonConclusionForm::DeleteButtonClick() {
  TReasonConclusion* c =
      NewConnection(reasonComboBox_, reasonTypeRadioGroup_, conclusionComboBox_, conclusionTypeRadioGroup_);
  if (Session().PerformDeleteReasonConclusion(c)) CloseForm();
}

}  // namespace korvane
