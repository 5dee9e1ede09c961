// Sentence arguments: a sentence can be typed as the JSON shows it, so a file written
// in Windows-1252 can still be worked on from a UTF-8 terminal.
#include "cli_support.h"

namespace korvane::cli {

const TStatement* FindSentence(const TArgumentationStage& stage, const std::string& argument) {
  TStatement* exact = nullptr;
  if (stage.SentenceIsStatementSentence(argument, exact)) return exact;
  // Bytes that are not UTF-8 can only have been meant exactly.
  if (interchange::AsUtf8(argument) != argument) return nullptr;
  for (const TStatement* s : stage.Statements)
    if (interchange::AsUtf8(s->Sentence) == argument) return s;
  return nullptr;
}

std::string SentenceArgument(const TArgumentationStage& stage, const std::string& argument) {
  const TStatement* s = FindSentence(stage, argument);
  return s ? s->Sentence : argument;
}

}  // namespace korvane::cli
