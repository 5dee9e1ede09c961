#include "app/box_subject.h"

#include "model/dialectical_argument.h"
#include "views/diagram_explanation.h"
#include "views/diagram_paint_box.h"

namespace korvane {

namespace {

// A reason may be an object of its own that never entered the stage; the stage's
// statement with its sentence has the type a dialog shows.
TStatementType TypeInStage(const TArgumentationStage& stage, const TStatement& statement) {
  TStatement* found = nullptr;
  return stage.SentenceIsStatementSentence(statement.Sentence, found) ? found->StatementType : statement.StatementType;
}

}  // namespace

TBoxSubject SubjectAt(const TDiagramPaintBox& paintBox, QPoint pos, const TArgumentationStage& stage) {
  TBoxSubject subject;
  const TDiagramPart* part = paintBox.BoxPart(paintBox.BoxIndexAt(pos));
  // Without boxes the paint box shows no live stage, and its connectors point nowhere.
  if (!part && paintBox.BoxCount() > 0) part = DiagramPartAt(paintBox.Layout(), paintBox.Zoom().ToLayout(pos));
  if (!part) return subject;
  if (part->Kind == TDiagramPart::TKind::Statement) {
    subject.Kind = TBoxSubject::TKind::Statement;
    subject.Sentence = part->Statement->Sentence;
    subject.Type = TypeInStage(stage, *part->Statement);
    return subject;
  }
  const TStep& step = *part->Step;
  subject.Reason = step.Reason->Sentence;
  subject.ReasonType = TypeInStage(stage, *step.Reason);
  subject.Conclusion = step.Conclusion->Sentence;
  subject.ConclusionType = TypeInStage(stage, *step.Conclusion);
  if (part->Kind == TDiagramPart::TKind::Step) {
    subject.Kind = TBoxSubject::TKind::Step;
  } else {
    subject.Kind = TBoxSubject::TKind::Undercutter;
    subject.Exception = step.Undercutters[static_cast<std::size_t>(part->Undercutter)]->Exception->Sentence;
  }
  return subject;
}

}  // namespace korvane
