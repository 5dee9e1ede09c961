#include "app/move_form.h"

#include <utility>

#include "app/arg_int_form.h"
#include "app/window_font.h"
#include "document/session.h"
#include "views/sentence_text.h"

namespace korvane {

namespace {

// The outer size of a dialog less its frame and caption.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 27;

}  // namespace

TMoveForm::TMoveForm(TArgIntForm& main, const QString& caption, int width, int height) : QDialog(&main), main_(main) {
  setWindowTitle(caption);
  setFont(WindowFont());
  setFixedSize(width - kFrameWidth, height - kFrameHeight);
  setModal(true);
}

void TMoveForm::done(int result) {
  QDialog::done(result);
  // A box the move asked may have left no window active; the user's next key belongs
  // to the main window.
  if (main_.isVisible()) main_.activateWindow();
}

void TMoveForm::showEvent(QShowEvent* event) {
  if (fillOnShow_) std::exchange(fillOnShow_, {})();
  QDialog::showEvent(event);
}

// A stage of the same size at the same place may still be another one: made anew at every show.
void TMoveForm::hideEvent(QHideEvent* event) {
  shown_ = TShownSentences{};
  QDialog::hideEvent(event);
}

TSession& TMoveForm::Session() const { return main_.Session(); }

const TArgumentationStage& TMoveForm::Stage() const { return *main_.Line().CurrentStage; }

QLabel* TMoveForm::NewLabel(const QString& name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  label->move(left, top);
  label->adjustSize();
  return label;
}

TSentenceComboBox* TMoveForm::NewComboBox(const QString& name, int left, int top, int width, int height) {
  auto* box = new TSentenceComboBox(this);
  box->setObjectName(name);
  box->setGeometry(left, top, width, height);
  return box;
}

TTypeRadioGroup* TMoveForm::NewRadioGroup(const QString& name, const QString& title, int left, int top, int width,
                                          int height) {
  auto* group = new TTypeRadioGroup(title, this);
  group->setObjectName(name);
  group->setGeometry(left, top, width, height);
  return group;
}

void TMoveForm::NewButtons(int top) {
  okButton_ = new QPushButton(QStringLiteral("&OK"), this);
  okButton_->setObjectName(QStringLiteral("OKButton"));
  okButton_->setGeometry(8, top, 75, 25);
  okButton_->setDefault(true);
  deleteButton_ = new QPushButton(QStringLiteral("&Delete"), this);
  deleteButton_->setObjectName(QStringLiteral("DeleteButton"));
  deleteButton_->setGeometry(88, top, 75, 25);
  cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton_->setObjectName(QStringLiteral("CancelButton"));
  cancelButton_->setGeometry(168, top, 75, 25);
  connect(okButton_, &QPushButton::clicked, this, [this] { OKButtonClick(); });
  connect(deleteButton_, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
  // Esc reaches QDialog::reject as well, which is all that Cancel does.
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

const TMoveForm::TShownSentences& TMoveForm::Shown() const {
  const TArgumentationStage& stage = Stage();
  if (shown_.Stage == &stage && shown_.Count == stage.Statements.Count()) return shown_;
  shown_ = TShownSentences{&stage, stage.Statements.Count(), {}, {}, {}};
  shown_.First.reserve(static_cast<qsizetype>(shown_.Count));
  shown_.LastType.reserve(static_cast<qsizetype>(shown_.Count));
  shown_.Sorted.reserve(static_cast<qsizetype>(shown_.Count));
  for (std::size_t i = 0; i < shown_.Count; ++i) {
    const TStatement* s = stage.Statements[i];
    const QString text = SentenceToDisplay(s->Sentence);
    if (!shown_.First.contains(text)) shown_.First.insert(text, i);
    shown_.LastType.insert(text, s->StatementType);
    shown_.Sorted.append(text);
  }
  shown_.Sorted = TSentenceComboBox::Sorted(std::move(shown_.Sorted));
  return shown_;
}

void TMoveForm::FillSentences(TSentenceComboBox* box) const { box->SetSortedSentences(Shown().Sorted); }

std::string TMoveForm::Sentence(const TSentenceComboBox* box) const {
  const TShownSentences& shown = Shown();
  const auto first = shown.First.constFind(box->currentText());
  return first != shown.First.cend() ? Stage().Statements[first.value()]->Sentence : DisplayToUtf8(box->currentText());
}

void TMoveForm::FollowType(const TSentenceComboBox* box, TTypeRadioGroup* group) const {
  // Leaving a box as the dialog closes: the next show sets the types anew.
  if (!isVisible()) return;
  const TShownSentences& shown = Shown();
  const auto type = shown.LastType.constFind(box->currentText());
  if (type != shown.LastType.cend()) group->SetStatementType(type.value());
}

TReasonConclusion* TMoveForm::NewConnection(const TSentenceComboBox* reasonBox, const TTypeRadioGroup* reasonGroup,
                                            const TSentenceComboBox* conclusionBox,
                                            const TTypeRadioGroup* conclusionGroup) const {
  TReasonConclusion* c = Session().Line().NewReasonConclusion();
  c->Reason->Sentence = Sentence(reasonBox);
  c->Reason->StatementType = reasonGroup->StatementType();
  c->Conclusion->Sentence = Sentence(conclusionBox);
  c->Conclusion->StatementType = conclusionGroup->StatementType();
  return c;
}

void TMoveForm::StateWarrant(const std::string& warrant, bool asIssue, bool asAssumption) const {
  if (asIssue) Session().PerformStatementMove(Session().Line().NewStatement(warrant, kIssue));
  if (asAssumption) Session().PerformStatementMove(Session().Line().NewStatement(warrant, kAssumption));
}

}  // namespace korvane
