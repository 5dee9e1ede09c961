// Finding statements by a piece of their sentence, for the find box: case does not matter,
// accents do (the text is compared after case folding, nothing is stripped).
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "model/argumentation_stage.h"

namespace korvane {

/// True when sentence (bytes, shown as the window shows them) contains foldedText, which
/// is already case folded. Every sentence contains the empty text.
[[nodiscard]] bool SentenceContains(const std::string& sentence, const QString& foldedText);

/// The index of the line of a text of moves that writes sentence, or -1.
[[nodiscard]] int SentenceLineIndex(const std::vector<std::string>& lines, const std::string& sentence);

class TStatementFinder {
public:
  /// Finds text in the sentences of statements, in their order; an empty text finds
  /// nothing. The current match stays on its sentence when that still matches, otherwise
  /// it is the first match.
  void Search(const TStatements& statements, const QString& text);

  [[nodiscard]] const QString& Text() const { return text_; }
  [[nodiscard]] int Count() const { return static_cast<int>(matches_.size()); }
  /// The current match counted from 0, or -1 when nothing matches.
  [[nodiscard]] int Current() const { return current_; }
  /// The sentence of the current match, or null.
  [[nodiscard]] const std::string* CurrentSentence() const;
  /// The next match, the first after the last; and the other way.
  void Next();
  void Previous();
  /// Where the current match stands, "3 of 17"; "0 of 0" when nothing matches.
  [[nodiscard]] QString Position() const;

private:
  QString text_;
  std::vector<std::string> matches_;
  int current_ = -1;
};

}  // namespace korvane
