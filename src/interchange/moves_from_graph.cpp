#include "interchange/moves_from_graph.h"

#include <algorithm>
#include <deque>
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
  TConnectionKind Kind;
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
      // Korvane's own statements may have an empty sentence (a file that states the type is
      // one written for Korvane); from elsewhere it is more likely a slip, so it is said.
      if (Trim(text).empty() && !t.Type) notices_.push_back(t.Where + ": the text is empty; taken as it stands");
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

  int Connect(int reason, int conclusion, TConnectionKind kind, const std::string& where) {
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
    for (int i : {sentence_index_.at(warrant), c.Conclusion, c.Reason}) Append(lines, StatementMoveLines(Statement(i)));
  }

  void ConnectionMove(std::vector<std::string>& lines, const TConnection& c) {
    if (c.Kind == kDefeating && CanWriteDefeating(c)) return DefeatingRule(lines, c);
    if (c.Kind == kDefeating)
      notices_.push_back("the defeating connection from " + where_[static_cast<std::size_t>(c.Reason)] + " to " +
                         where_[static_cast<std::size_t>(c.Conclusion)] +
                         " is kept as supporting: a line keeps the kind only with its warrant stated");
    Append(lines, ReasonConclusionMoveLines(Statement(c.Conclusion), Statement(c.Reason)));
  }

  // Every move costs in proportion to the stage it is made on, so the line grows as a person
  // would make it: each connection (in order) and each exception (in order per connection)
  // as soon as the statements it needs are there, and a move states its new statements
  // itself when they are the next ones in order, as the move that made them did. Statements
  // keep their order, and so their identifiers.
  TImportedLine Lines() {
    TImportedLine line;
    const int statements = static_cast<int>(sentences_.size());
    // Exceptions whose connection and earlier exceptions are made, by the statement they wait for.
    std::vector<std::vector<std::pair<int, int>>> waiting(sentences_.size());
    std::deque<std::pair<int, int>> ready;
    int stated = 0;
    std::size_t next = 0;
    const auto queue = [&](int k, int e) {
      const std::vector<int>& exceptions = connections_[static_cast<std::size_t>(k)].Exceptions;
      if (e >= static_cast<int>(exceptions.size())) return;
      const int needs = exceptions[static_cast<std::size_t>(e)];
      if (needs < stated)
        ready.push_back({k, e});
      else
        waiting[static_cast<std::size_t>(needs)].push_back({k, e});
    };
    const auto exception = [&](std::pair<int, int> m) {
      const TConnection& c = connections_[static_cast<std::size_t>(m.first)];
      Append(line.Lines, ExceptionMoveLines(Statement(c.Exceptions[static_cast<std::size_t>(m.second)]),
                                            Statement(c.Conclusion), Statement(c.Reason)));
      queue(m.first, m.second + 1);
    };
    while (stated < statements || next < connections_.size() || !ready.empty()) {
      if (!ready.empty()) {
        const auto m = ready.front();
        ready.pop_front();
        exception(m);
        continue;
      }
      if (next < connections_.size()) {
        const TConnection& c = connections_[next];
        const int introduced = Introduces(c, stated);
        if (introduced >= 0) {
          ConnectionMove(line.Lines, c);
          for (int i = stated; i < stated + introduced; ++i) {
            std::vector<std::pair<int, int>>& now = waiting[static_cast<std::size_t>(i)];
            ready.insert(ready.end(), now.begin(), now.end());
          }
          stated += introduced;
          queue(static_cast<int>(next++), 0);
          continue;
        }
      }
      // The next statement: made by the first exception waiting for it, or on its own.
      std::vector<std::pair<int, int>>& here = waiting[static_cast<std::size_t>(stated)];
      ++stated;
      if (here.empty()) {
        Append(line.Lines, StatementMoveLines(Statement(stated - 1)));
      } else {
        ready.insert(ready.end(), here.begin() + 1, here.end());
        exception(here.front());
      }
    }
    line.Notices = std::move(notices_);
    line.Statements = statements;
    line.Connections = connections_.size();
    return line;
  }

  // How many new statements the move for c would state (conclusion first, then reason), or
  // -1 when it cannot be made yet without stating them out of order. A connection from a
  // sentence to itself states nothing: made on a new sentence, its reason would not be the
  // stage's statement.
  int Introduces(const TConnection& c, int stated) const {
    if (c.Kind == kDefeating && CanWriteDefeating(c)) {
      const int w = sentence_index_.at(StepWarrantSentence(Sentence(c.Reason), Sentence(c.Conclusion), kDefeating));
      return std::max({w, c.Reason, c.Conclusion}) < stated ? 0 : -1;
    }
    if (c.Reason == c.Conclusion) return c.Reason < stated ? 0 : -1;
    int introduced = 0;
    for (int i : {c.Conclusion, c.Reason}) {
      if (i < stated + introduced) continue;
      if (i != stated + introduced) return -1;
      ++introduced;
    }
    return introduced;
  }

  const TImportGraph& graph_;
  std::vector<std::string> notices_;
  std::vector<std::string> sentences_;
  std::vector<std::string> where_;
  std::unordered_map<std::string, int> sentence_index_;
  std::vector<std::optional<TStatementType>> types_;
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
