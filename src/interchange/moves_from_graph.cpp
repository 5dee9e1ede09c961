#include "interchange/moves_from_graph.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "interchange/import_error.h"
#include "line/lin_syntax.h"
#include "model/warrant_sentences.h"

namespace korvane::interchange {

namespace {

struct TConnection {
  int Reason;
  int Conclusion;
  std::int32_t Kind;
  std::vector<int> Exceptions;
};

class TMoveBuilder {
public:
  explicit TMoveBuilder(const TImportGraph& graph) : graph_(graph) {}

  TImportedLine Build() {
    notices_ = graph_.Notices();
    Statements();
    for (const TImportInference& inference : graph_.Inferences()) Inference(inference);
    for (const TImportConflict& conflict : graph_.Conflicts()) Conflict(conflict);
    Types();
    return Lines();
  }

private:
  // One statement per distinct text: a sentence is a statement's identity.
  void Statements() {
    std::unordered_map<std::string, int>& index = sentence_index_;
    for (const TImportText& t : graph_.Texts()) {
      std::string text = t.Text;
      if (text.find_first_of("\r\n") != std::string::npos) {
        std::replace(text.begin(), text.end(), '\r', ' ');
        std::replace(text.begin(), text.end(), '\n', ' ');
        notices_.push_back(t.Where + ": a sentence is one line; its line breaks became blanks");
      }
      if (Trim(text).empty()) throw TImportError(t.Where + ": the text is empty");
      const auto [it, fresh] = index.emplace(text, static_cast<int>(sentences_.size()));
      if (fresh) {
        sentences_.push_back(text);
        where_.push_back(t.Where);
        types_.emplace_back();
        concluded_.push_back(false);
      } else {
        notices_.push_back(t.Where + " has the text of " + where_[static_cast<std::size_t>(it->second)] +
                           "; they are one statement");
      }
      of_text_.push_back(it->second);
      if (t.Type) types_[static_cast<std::size_t>(it->second)] = t.Type;
    }
  }

  int Of(int text) const { return of_text_[static_cast<std::size_t>(text)]; }
  const std::string& Sentence(int statement) const { return sentences_[static_cast<std::size_t>(statement)]; }

  // A premise is the step warrant when the file marks it, or when its sentence is the
  // warrant of another premise and the conclusion: that is what makes a warrant. The
  // candidate warrants are gathered once, so a large inference costs no more than its size.
  void Inference(const TImportInference& inference) {
    std::vector<int> made;
    const std::set<int> marked_warrants(inference.Warrants.begin(), inference.Warrants.end());
    for (int conclusionText : inference.Conclusions) {
      const int conclusion = Of(conclusionText);
      concluded_[static_cast<std::size_t>(conclusion)] = true;
      std::unordered_map<std::string, int> warrants;  // sentence -> the premise it is the warrant of
      for (int premise : inference.Premises)
        warrants.emplace(StepWarrantSentence(Sentence(Of(premise)), Sentence(conclusion), inference.Kind), Of(premise));
      for (int premise : inference.Premises) {
        const auto it = warrants.find(Sentence(Of(premise)));
        if (marked_warrants.count(premise) || (it != warrants.end() && it->second != Of(premise))) continue;
        made.push_back(Connect(Of(premise), conclusion, inference.Kind, inference.Where));
      }
    }
    if (made.empty() && !(inference.MayBeEmpty && inference.Conclusions.empty()))
      notices_.push_back(inference.Where + ": an inference without a reason and a conclusion; left out");
    made_.push_back(std::move(made));
  }

  int Connect(int reason, int conclusion, std::int32_t kind, const std::string& where) {
    const auto key = std::make_pair(reason, conclusion);
    const auto it = connection_index_.find(key);
    if (it != connection_index_.end()) {
      notices_.push_back(where + " repeats the connection from " + where_[static_cast<std::size_t>(reason)] + " to " +
                         where_[static_cast<std::size_t>(conclusion)] + "; they are one connection");
      return it->second;
    }
    connection_index_.emplace(key, static_cast<int>(connections_.size()));
    connections_.push_back({reason, conclusion, kind, {}});
    return static_cast<int>(connections_.size()) - 1;
  }

  void Conflict(const TImportConflict& conflict) {
    if (concluding_.empty())
      for (std::size_t k = 0; k < connections_.size(); ++k)
        concluding_[connections_[k].Conclusion].push_back(static_cast<int>(k));
    std::vector<int> targets;
    if (conflict.AimsAtInference) {
      targets = made_[static_cast<std::size_t>(conflict.Target)];
    } else {
      const int target = Of(conflict.Target);
      concluded_[static_cast<std::size_t>(target)] = true;
      const auto it = concluding_.find(target);
      if (it == concluding_.end()) {
        notices_.push_back(conflict.Where + ": the attacked statement (" + where_[static_cast<std::size_t>(target)] +
                           ") has no support an exception could block; the attack is left out");
        return;
      }
      targets = it->second;
    }
    const std::set<int> marked_warrants(conflict.Warrants.begin(), conflict.Warrants.end());
    for (int k : targets) {
      TConnection& c = connections_[static_cast<std::size_t>(k)];
      // A source whose sentence is the undercutter warrant of another source for this connection.
      std::unordered_map<std::string, int> warrants;
      for (int source : conflict.Sources)
        warrants.emplace(UndercutterWarrantSentence(Sentence(Of(source)), Sentence(c.Reason), Sentence(c.Conclusion)),
                         Of(source));
      for (int source : conflict.Sources) {
        const auto it = warrants.find(Sentence(Of(source)));
        if (marked_warrants.count(source) || (it != warrants.end() && it->second != Of(source))) continue;
        if (exception_index_.insert({k, Of(source)}).second) c.Exceptions.push_back(Of(source));
      }
    }
  }

  // Unless the file says, what is argued for or attacked is an issue, the rest is assumed.
  void Types() {
    for (std::size_t i = 0; i < sentences_.size(); ++i)
      if (!types_[i]) types_[i] = concluded_[i] ? kIssue : kAssumption;
  }

  TStatement Statement(int i) const {
    TStatement s;
    s.Sentence = Sentence(i);
    s.StatementType = *types_[static_cast<std::size_t>(i)];
    return s;
  }

  void Append(std::vector<std::string>& lines, const std::vector<std::string>& block) const {
    lines.insert(lines.end(), block.begin(), block.end());
  }

  // A defeating connection survives in a line only as the plain-text defeating rule, which
  // also states its warrant (as an assumption) and trims both sentences.
  bool CanWriteDefeating(const TConnection& c) const {
    return sentence_index_.count(StepWarrantSentence(Sentence(c.Reason), Sentence(c.Conclusion), kDefeating)) > 0 &&
           Trim(Sentence(c.Reason)) == Sentence(c.Reason) && Trim(Sentence(c.Conclusion)) == Sentence(c.Conclusion);
  }

  void DefeatingRule(std::vector<std::string>& lines, const TConnection& c) const {
    Append(lines, {kIfKeyword, Sentence(c.Reason), kThenKeyword, kDefeatedKeyword, Sentence(c.Conclusion)});
    // The rule states the warrant as an assumption and both ends as issues: the types the
    // file gave come back.
    const std::string warrant = StepWarrantSentence(Sentence(c.Reason), Sentence(c.Conclusion), kDefeating);
    for (int i : {sentence_index_.at(warrant), c.Conclusion, c.Reason})
      Append(lines, StatementMoveLines(Statement(i)));
  }

  TImportedLine Lines() {
    TImportedLine line;
    for (std::size_t i = 0; i < sentences_.size(); ++i)
      Append(line.Lines, StatementMoveLines(Statement(static_cast<int>(i))));
    for (const TConnection& c : connections_) {
      if (c.Kind == kDefeating && CanWriteDefeating(c)) {
        DefeatingRule(line.Lines, c);
        continue;
      }
      if (c.Kind == kDefeating)
        notices_.push_back("the defeating connection from " + where_[static_cast<std::size_t>(c.Reason)] + " to " +
                           where_[static_cast<std::size_t>(c.Conclusion)] +
                           " is kept as supporting: a line keeps the kind only with its warrant stated");
      Append(line.Lines, ReasonConclusionMoveLines(Statement(c.Conclusion), Statement(c.Reason)));
    }
    for (const TConnection& c : connections_)
      for (int e : c.Exceptions)
        Append(line.Lines, ExceptionMoveLines(Statement(e), Statement(c.Conclusion), Statement(c.Reason)));
    line.Notices = std::move(notices_);
    line.Statements = static_cast<int>(sentences_.size());
    line.Connections = static_cast<int>(connections_.size());
    return line;
  }

  const TImportGraph& graph_;
  std::vector<std::string> notices_;
  std::vector<std::string> sentences_;
  std::vector<std::string> where_;
  std::unordered_map<std::string, int> sentence_index_;
  std::vector<std::optional<std::uint8_t>> types_;
  std::vector<bool> concluded_;
  std::vector<int> of_text_;
  std::vector<TConnection> connections_;
  std::map<std::pair<int, int>, int> connection_index_;
  // The connections concluding each statement, once all are made; the exceptions made.
  std::unordered_map<int, std::vector<int>> concluding_;
  std::set<std::pair<int, int>> exception_index_;
  // The connections each inference made, by inference index.
  std::vector<std::vector<int>> made_;
};

}  // namespace

TImportedLine MovesFromGraph(const TImportGraph& graph) { return TMoveBuilder(graph).Build(); }

}  // namespace korvane::interchange
