#include "app/exception_form.h"

#include "app/accessible_texts.h"
#include "document/session.h"
#include "model/warrant_sentences.h"

namespace korvane {

TExceptionForm::TExceptionForm(TArgIntForm& main) : TMoveForm(main, QStringLiteral("Exception"), 513, 461) {
  setObjectName(QStringLiteral("ExceptionForm"));
  (void)NewLabel(QStringLiteral("Label2"), QStringLiteral("Type or choose an exception:"), 8, 8);
  exceptionComboBox_ = NewComboBox(QStringLiteral("ExceptionComboBox"), 8, 32, 489, 21);
  exceptionComboBox_->SelectAllOnEnter = true;
  exceptionTypeRadioGroup_ =
      NewRadioGroup(QStringLiteral("ExceptionTypeRadioGroup"), QStringLiteral("&Exception type"), 8, 64, 489, 49);
  (void)NewLabel(QStringLiteral("Label5"), QStringLiteral("Type or choose a conclusion:"), 8, 128);
  conclusionComboBox_ = NewComboBox(QStringLiteral("ConclusionComboBox"), 8, 152, 489, 21);
  conclusionTypeRadioGroup_ =
      NewRadioGroup(QStringLiteral("ConclusionTypeRadioGroup"), QStringLiteral("&Conclusion type"), 8, 184, 489, 49);
  (void)NewLabel(QStringLiteral("Label4"), QStringLiteral("Type or choose a reason:"), 8, 248);
  reasonComboBox_ = NewComboBox(QStringLiteral("ReasonComboBox"), 8, 272, 489, 21);
  reasonTypeRadioGroup_ =
      NewRadioGroup(QStringLiteral("ReasonTypeRadioGroup"), QStringLiteral("&Reason type"), 8, 304, 489, 49);
  undercutterWarrantGroupBox_ = new TWarrantGroupBox(
      QStringLiteral("Undercutter warrant"), QStringLiteral("AddUndercutterWarrant"), QRect(256, 368, 241, 57), this);
  undercutterWarrantGroupBox_->setObjectName(QStringLiteral("UndercutterWarrantGroupBox"));
  NewButtons(400);

  const QList<QWidget*> order{exceptionComboBox_,
                              conclusionComboBox_,
                              reasonComboBox_,
                              exceptionTypeRadioGroup_->IssueButton(),
                              exceptionTypeRadioGroup_->AssumptionButton(),
                              conclusionTypeRadioGroup_->IssueButton(),
                              conclusionTypeRadioGroup_->AssumptionButton(),
                              reasonTypeRadioGroup_->IssueButton(),
                              reasonTypeRadioGroup_->AssumptionButton(),
                              undercutterWarrantGroupBox_->AsIssue(),
                              undercutterWarrantGroupBox_->AsAssumption(),
                              OKButton(),
                              CancelButton(),
                              DeleteButton()};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

  connect(exceptionComboBox_, &QComboBox::currentTextChanged, this, [this] { ExceptionComboBoxChange(); });
  connect(exceptionComboBox_, &TSentenceComboBox::Exited, this, [this] { ExceptionComboBoxExit(); });
  // Required as is: reason box on change only, conclusion box never (pinned by tests/app/move_dialogs_test.cpp).
  connect(reasonComboBox_, &QComboBox::currentTextChanged, this, [this] { ReasonComboBoxChange(); });
  DescribeExceptionForm(*this);
}

void TExceptionForm::showEvent(QShowEvent* event) {
  FillSentences(exceptionComboBox_);
  FillSentences(reasonComboBox_);
  FillSentences(conclusionComboBox_);
  exceptionComboBox_->SetTextQuietly(QStringLiteral("<exception>"));
  exceptionTypeRadioGroup_->SetItemIndex(1);
  reasonComboBox_->SetTextQuietly(QStringLiteral("<reason>"));
  reasonTypeRadioGroup_->SetItemIndex(1);
  conclusionComboBox_->SetTextQuietly(QStringLiteral("<conclusion>"));
  conclusionTypeRadioGroup_->SetItemIndex(0);
  undercutterWarrantGroupBox_->ClearBoth();
  TMoveForm::showEvent(event);
  exceptionComboBox_->setFocus(Qt::OtherFocusReason);
  exceptionComboBox_->lineEdit()->selectAll();
}

void TExceptionForm::ExceptionComboBoxChange() { FollowType(exceptionComboBox_, exceptionTypeRadioGroup_); }

void TExceptionForm::ExceptionComboBoxExit() { FollowType(exceptionComboBox_, exceptionTypeRadioGroup_); }

void TExceptionForm::ReasonComboBoxChange() { FollowType(reasonComboBox_, reasonTypeRadioGroup_); }

void TExceptionForm::OKButtonClick() {
  TReasonConclusion* c =
      NewConnection(reasonComboBox_, reasonTypeRadioGroup_, conclusionComboBox_, conclusionTypeRadioGroup_);
  TStatement* e =
      Session().Line().NewStatement(Sentence(exceptionComboBox_), exceptionTypeRadioGroup_->StatementType());
  c->Exceptions.Add(e);
  const std::string warrant = UndercutterWarrantSentence(e->Sentence, c->Reason->Sentence, c->Conclusion->Sentence);
  const bool asIssue = undercutterWarrantGroupBox_->AsIssue()->isChecked();
  const bool asAssumption = undercutterWarrantGroupBox_->AsAssumption()->isChecked();

  Session().PerformExceptionMove(c);
  StateWarrant(warrant, asIssue, asAssumption);
  CloseForm();
}

void TExceptionForm::DeleteButtonClick() {
  TReasonConclusion* c =
      NewConnection(reasonComboBox_, reasonTypeRadioGroup_, conclusionComboBox_, conclusionTypeRadioGroup_);
  c->Exceptions.Add(Session().Line().NewStatement(Sentence(exceptionComboBox_), kIssue));
  if (Session().PerformDeleteException(c)) CloseForm();
}

}  // namespace korvane
