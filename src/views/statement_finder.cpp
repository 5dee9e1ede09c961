#include "views/statement_finder.h"

#include <algorithm>

#include "views/sentence_text.h"

namespace korvane {

bool SentenceContains(const std::string& sentence, const QString& foldedText) {
  return SentenceToDisplay(sentence).toCaseFolded().contains(foldedText);
}

int SentenceLineIndex(const std::vector<std::string>& lines, const std::string& sentence) {
  // A sentence line is "  ?: " or "  !: " and the sentence.
  constexpr std::size_t kPrefix = 5;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.size() == sentence.size() + kPrefix && line.compare(0, 2, "  ") == 0 && line[3] == ':' &&
        line.compare(kPrefix, std::string::npos, sentence) == 0)
      return static_cast<int>(i);
  }
  return -1;
}

void TStatementFinder::Search(const TStatements& statements, const QString& text) {
  const std::string kept = CurrentSentence() ? *CurrentSentence() : std::string();
  const bool hadCurrent = current_ >= 0;
  text_ = text;
  matches_.clear();
  current_ = -1;
  if (text.isEmpty()) return;
  const QString folded = text.toCaseFolded();
  for (std::size_t i = 0; i < statements.Count(); ++i)
    if (SentenceContains(statements[i]->Sentence, folded)) matches_.push_back(statements[i]->Sentence);
  if (matches_.empty()) return;
  current_ = 0;
  if (hadCurrent) {
    const auto found = std::find(matches_.begin(), matches_.end(), kept);
    if (found != matches_.end()) current_ = static_cast<int>(found - matches_.begin());
  }
}

const std::string* TStatementFinder::CurrentSentence() const {
  return current_ >= 0 ? &matches_[static_cast<std::size_t>(current_)] : nullptr;
}

void TStatementFinder::Next() {
  if (matches_.empty()) return;
  current_ = (current_ + 1) % Count();
}

void TStatementFinder::Previous() {
  if (matches_.empty()) return;
  current_ = (current_ + Count() - 1) % Count();
}

QString TStatementFinder::Position() const { return QStringLiteral("%1 of %2").arg(current_ + 1).arg(Count()); }

}  // namespace korvane
