#include "app/why_window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <exception>

#include "document/explanation_text.h"
#include "views/sentence_text.h"

namespace korvane {

namespace {

std::string Shown(const std::string& sentence) { return DisplayToUtf8(SentenceToDisplay(sentence)); }

QString Quoted(const std::string& sentence) { return QLatin1Char('\'') + SentenceToDisplay(sentence) + QLatin1Char('\''); }

const TStatement* StatementOf(const TArgumentationStage& stage, const std::string& sentence) {
  TStatement* found = nullptr;
  return stage.SentenceIsStatementSentence(sentence, found) ? found : nullptr;
}

const TStepExplanation* StepFrom(const TStatementExplanation& conclusion, const std::string& reason) {
  for (const TStepExplanation& step : conclusion.Steps)
    if (step.Reason->Sentence == reason) return &step;
  return nullptr;
}

QString ExplainConnection(const TArgumentationStage& stage, const TBoxSubject& subject) {
  const TStatement* conclusion = StatementOf(stage, subject.Conclusion);
  const TStatementExplanation x =
      conclusion ? ExplainStatement(stage, *conclusion) : TStatementExplanation{};
  const TStepExplanation* step = conclusion ? StepFrom(x, subject.Reason) : nullptr;
  if (!step)
    return QStringLiteral("The statement %1 is not a reason for the statement %2 in this stage.")
        .arg(Quoted(subject.Reason), Quoted(subject.Conclusion));
  const QString towards = QStringLiteral("Towards %1: ").arg(Quoted(subject.Conclusion));
  if (subject.Kind == TBoxSubject::TKind::Step)
    return towards + QString::fromStdString(StepWhySentence(*step, Shown));
  for (const TUndercutterExplanation& u : step->Undercutters)
    if (u.Exception->Sentence == subject.Exception)
      return towards + QString::fromStdString(UndercutterWhySentence(*step, u, Shown));
  return QStringLiteral("The statement %1 is not an exception to the step from %2 to %3 in this stage.")
      .arg(Quoted(subject.Exception), Quoted(subject.Reason), Quoted(subject.Conclusion));
}

}  // namespace

QString WhyText(const TArgumentationStage& stage, const TBoxSubject& subject) {
  try {
    switch (subject.Kind) {
      case TBoxSubject::TKind::None: return {};
      case TBoxSubject::TKind::Statement: {
        const TStatement* s = StatementOf(stage, subject.Sentence);
        if (!s) return QStringLiteral("The statement %1 is not in this stage.").arg(Quoted(subject.Sentence));
        return SentenceToDisplay(s->Sentence) + QStringLiteral(": ") +
               QString::fromStdString(WhySentence(ExplainStatement(stage, *s), Shown));
      }
      case TBoxSubject::TKind::Step:
      case TBoxSubject::TKind::Undercutter: return ExplainConnection(stage, subject);
    }
  } catch (const std::exception&) {
    // A stage that is not evaluated has nothing to explain.
  }
  return {};
}

TWhyWindow::TWhyWindow(QWidget* parent) : QDialog(parent), text_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("WhyWindow"));
  setWindowTitle(QStringLiteral("Why?"));
  setModal(false);
  text_->setObjectName(QStringLiteral("WhyText"));
  text_->setReadOnly(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  resize(520, 180);
}

void TWhyWindow::Explain(const TBoxSubject& subject, const TArgumentationStage& stage) {
  subject_ = subject;
  Follow(stage);
  show();
  raise();
}

void TWhyWindow::Follow(const TArgumentationStage& stage) { text_->setPlainText(WhyText(stage, subject_)); }

QString TWhyWindow::Text() const { return text_->toPlainText(); }

}  // namespace korvane
