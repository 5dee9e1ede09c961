#include "views/diagram_explanation.h"

#include <stdexcept>

#include "document/explanation_text.h"
#include "model/dialectical_argument.h"
#include "views/sentence_text.h"

namespace korvane {

namespace {

std::string Shown(const std::string& sentence) { return DisplayToUtf8(SentenceToDisplay(sentence)); }

QString StatusWord(TStatus status) {
  switch (status) {
    case kJustified: return QStringLiteral("justified");
    case kUnjustified: return QStringLiteral("unjustified");
    default: return QStringLiteral("unevaluated");
  }
}

// A box's statement as the stage holds it: a reason with its conclusion's sentence may be
// an object of its own that never entered the stage.
const TStatement* InStage(const TArgumentationStage& stage, const TStatement* statement) {
  TStatement* found = nullptr;
  return stage.SentenceIsStatementSentence(statement->Sentence, found) ? found : statement;
}

QString ExplainBox(const TArgumentationStage& stage, const TDiagramPart& part) {
  const TStatementExplanation x = ExplainStatement(stage, *InStage(stage, part.Statement));
  QString text = QString::fromStdString(WhySentence(x, Shown));
  // A reason under a step is argued without that step's own connection, so in a cycle
  // its box can show another status than the statement has in the stage.
  if (part.Status != x.Status)
    text = QStringLiteral("Here %1, as it is argued without the connection it supports; in the stage %2")
               .arg(StatusWord(part.Status), text);
  return text;
}

}  // namespace

const TDiagramPart* DiagramPartAt(const TDiagramLayout& layout, QPoint point) {
  const TDiagramPart* box = nullptr;
  const TDiagramPart* step = nullptr;
  for (const TDiagramPart& part : layout.Parts) {
    if (!part.Area.contains(point)) continue;
    switch (part.Kind) {
      case TDiagramPart::TKind::Undercutter: return &part;
      case TDiagramPart::TKind::Statement: box = box ? box : &part; break;
      case TDiagramPart::TKind::Step: step = step ? step : &part; break;
    }
  }
  return box ? box : step;
}

QString ExplainDiagramPart(const TArgumentationStage& stage, const TDiagramPart& part) {
  try {
    switch (part.Kind) {
      case TDiagramPart::TKind::Statement: return ExplainBox(stage, part);
      case TDiagramPart::TKind::Step:
        return QString::fromStdString(
            StepWhySentence(ExplainArgumentStep(stage, *part.Argument, part.StepIndex), Shown));
      case TDiagramPart::TKind::Undercutter: {
        TStepExplanation step;
        if (part.Argument) {
          step = ExplainArgumentStep(stage, *part.Argument, part.StepIndex);
        } else {
          step.Reason = part.Step->Reason;
          step.ConnectionKind = part.Step->ConnectionKind;
        }
        const TUndercutterExplanation u = ExplainStepUndercutter(stage, *part.Step, part.Undercutter);
        return QString::fromStdString(UndercutterWhySentence(step, u, Shown));
      }
    }
  } catch (const std::exception&) {
    // A stage that is not evaluated has nothing to explain.
  }
  return {};
}

QString DiagramBoxDescription(const TDiagramPart& part) {
  const QString type =
      part.Statement->StatementType == kAssumption ? QStringLiteral("assumption") : QStringLiteral("issue");
  return type + QStringLiteral(", ") + StatusWord(part.Status);
}

}  // namespace korvane
