// What an imported file says, once its own syntax is gone: texts (AIF's I-nodes),
// inferences from premises to conclusions (RA nodes, Argdown arguments and supports) and
// conflicts aimed at an inference or at a text (CA nodes, attacks and undercuts). Both
// readers fill one; MovesFromGraph turns it into a line of moves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/reason_conclusion.h"

namespace korvane::interchange {

struct TImportText {
  std::string Text;
  /// Where the file says it, for messages: "node 3 (nodeID \"12\")", "line 4".
  std::string Where;
  /// A type the file states (AIF's "korvane" object, Argdown's tags).
  std::optional<TStatementType> Type;
};

struct TImportInference {
  std::vector<int> Premises;
  std::vector<int> Conclusions;
  TConnectionKind Kind = kSupporting;
  /// Premises the file marks as the step warrant rather than a reason.
  std::vector<int> Warrants;
  std::string Where;
  /// Empty without a word: an argument that only undercuts or attacks concludes nothing.
  bool MayBeEmpty = false;
};

struct TImportConflict {
  std::vector<int> Sources;
  /// Sources the file marks as the undercutter warrant rather than an exception.
  std::vector<int> Warrants;
  /// An inference when AimsAtInference, otherwise a text.
  int Target = -1;
  bool AimsAtInference = true;
  std::string Where;
};

class TImportGraph {
public:
  int AddText(TImportText text);
  int AddInference(TImportInference inference);
  void AddConflict(TImportConflict conflict);
  /// Something the file says that a line of argumentation cannot hold.
  void AddNotice(std::string notice) { notices_.push_back(std::move(notice)); }

  [[nodiscard]] std::vector<TImportText>& Texts() { return texts_; }
  [[nodiscard]] const std::vector<TImportText>& Texts() const { return texts_; }
  [[nodiscard]] std::vector<TImportInference>& Inferences() { return inferences_; }
  [[nodiscard]] const std::vector<TImportInference>& Inferences() const { return inferences_; }
  [[nodiscard]] const std::vector<TImportConflict>& Conflicts() const { return conflicts_; }
  [[nodiscard]] const std::vector<std::string>& Notices() const { return notices_; }

private:
  std::vector<TImportText> texts_;
  std::vector<TImportInference> inferences_;
  std::vector<TImportConflict> conflicts_;
  std::vector<std::string> notices_;
};

}  // namespace korvane::interchange
