#include "app/statement_form.h"

#include "app/accessible_texts.h"
#include "document/session.h"

namespace korvane {

TStatementForm::TStatementForm(TArgIntForm& main) : TMoveForm(main, QStringLiteral("Statement"), 513, 189) {
  setObjectName(QStringLiteral("StatementForm"));
  (void)NewLabel(QStringLiteral("Label1"), QStringLiteral("Type or choose a statement:"), 8, 8);
  statementComboBox_ = NewComboBox(QStringLiteral("StatementComboBox"), 8, 32, 489, 21);
  statementComboBox_->SelectAllOnEnter = true;
  statementTypeRadioGroup_ =
      NewRadioGroup(QStringLiteral("StatementTypeRadioGroup"), QStringLiteral("&Statement type"), 8, 64, 489, 49);
  NewButtons(128);

  setTabOrder(statementComboBox_, statementTypeRadioGroup_->IssueButton());
  setTabOrder(statementTypeRadioGroup_->IssueButton(), statementTypeRadioGroup_->AssumptionButton());
  setTabOrder(statementTypeRadioGroup_->AssumptionButton(), OKButton());
  setTabOrder(OKButton(), CancelButton());
  setTabOrder(CancelButton(), DeleteButton());

  connect(statementComboBox_, &QComboBox::currentTextChanged, this, [this] { StatementComboBoxChange(); });
  connect(statementComboBox_, &TSentenceComboBox::Exited, this, [this] { StatementComboBoxExit(); });
  DescribeStatementForm(*this);
}

void TStatementForm::showEvent(QShowEvent* event) {
  FillSentences(statementComboBox_);
  statementComboBox_->SetTextQuietly(QStringLiteral("<statement>"));
  statementTypeRadioGroup_->SetItemIndex(0);
  TMoveForm::showEvent(event);
  statementComboBox_->setFocus(Qt::OtherFocusReason);
  statementComboBox_->lineEdit()->selectAll();
}

void TStatementForm::StatementComboBoxChange() { FollowType(statementComboBox_, statementTypeRadioGroup_); }

void TStatementForm::StatementComboBoxExit() { FollowType(statementComboBox_, statementTypeRadioGroup_); }

void TStatementForm::OKButtonClick() {
  TStatement* s =
      Session().Line().NewStatement(Sentence(statementComboBox_), statementTypeRadioGroup_->StatementType());
  Session().PerformStatementMove(s);
  CloseForm();
}

void TStatementForm::DeleteButtonClick() {
  TStatement* s = Session().Line().NewStatement(Sentence(statementComboBox_), kIssue);
  if (Session().PerformDeleteStatement(s)) CloseForm();
}

}  // namespace korvane
