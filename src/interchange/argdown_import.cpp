#include "interchange/argdown_import.h"

#include <map>

#include "files/text_file.h"
#include "interchange/argdown_syntax.h"
#include "interchange/import_error.h"
#include "interchange/unicode_text.h"

namespace korvane::interchange {

namespace {

struct TElement {
  bool Argument = false;
  std::string Title;
};

enum class TRelation { Support, Attack, Undercut, Contradiction };

struct TArgumentInfo {
  int Main = -1;       // the supporting inference
  int Defeating = -1;  // made when the argument attacks a statement
  std::vector<int> Premises;
  std::vector<int> Conclusions;
  bool HasPcs = false;
  std::string Where;
};

class TArgdownReader {
public:
  TImportGraph Read(const std::string& bytes) {
    if (!IsValidUtf8(bytes)) throw TImportError("the file is not UTF-8 text");
    const std::vector<std::string> lines = SplitLines(WithoutComments(bytes));
    for (std::size_t k = 0; k < lines.size(); ++k) Line(lines[k], static_cast<int>(k + 1));
    Finish();
    return std::move(graph_);
  }

private:
  [[noreturn]] void Fail(const std::string& what) const { throw TImportError(Where() + ": " + what); }
  std::string Where() const { return "line " + std::to_string(line_); }

  static std::size_t Indent(const std::string& line) {
    std::size_t n = 0;
    while (n < line.size() && (line[n] == ' ' || line[n] == '\t')) ++n;
    return n;
  }

  void Line(const std::string& line, int number) {
    line_ = number;
    const std::size_t indent = Indent(line);
    if (indent == line.size()) {  // an empty line ends a paragraph
      stack_.clear();
      paragraph_has_element_ = false;
      return;
    }
    const std::string rest = line.substr(indent);
    if (indent == 0 && rest[0] == '#' && (rest.size() == 1 || rest[1] == '#' || rest[1] == ' ')) return;  // heading
    if (IsInference(rest)) return Inference();
    if (rest[0] == '(' && PcsItem(rest, indent)) return;
    if (!stack_.empty() && indent > 0 && Relation(rest, indent)) return;
    if (indent > 0 && last_text_ >= 0 && !stack_.empty()) {
      // The text of the element above goes on.
      TImportText& t = graph_.Texts()[static_cast<std::size_t>(last_text_)];
      t.Text += " " + ReadArgdownText(rest).Text;
      return;
    }
    if (indent > 0) Fail("an indented line that is neither a relation nor the text of an element above");
    if (paragraph_has_element_) Fail("a new statement or argument must follow an empty line");
    pcs_ = -1;
    paragraph_has_element_ = true;
    const TElement e = Element(rest);
    stack_ = {{0, e}};
    last_argument_ = e.Argument ? e.Title : std::string();
  }

  static bool IsInference(const std::string& rest) {
    if (rest.compare(0, 2, "--") != 0) return false;
    return rest.find_first_not_of('-') == std::string::npos || rest.size() >= 4;
  }

  // Reads one element: [Title]: text, [Title], <Title>: text, <Title>, or text alone.
  TElement Element(const std::string& text) {
    TElement e;
    std::size_t pos = 0;
    if (text[0] == '[' || text[0] == '<') {
      e.Argument = text[0] == '<';
      pos = 1;
      std::optional<std::string> title = ReadTitle(text, pos, e.Argument ? '>' : ']');
      if (!title) Fail(std::string("the title is not closed with '") + (e.Argument ? '>' : ']') + "'");
      e.Title = std::move(*title);
      if (e.Title.empty()) Fail("an empty title");
      while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
      const bool defines = pos < text.size() && text[pos] == ':';
      const TArgdownText body = ReadArgdownText(defines ? text.substr(pos + 1) : text.substr(pos));
      if (e.Argument)
        Argument(e.Title, body.Tags);
      else
        Statement(e.Title, defines ? &body : nullptr, body.Tags);
      return e;
    }
    const TArgdownText body = ReadArgdownText(text);
    e.Title = "\x01untitled " + std::to_string(++untitled_);  // no title in a file can equal it
    Statement(e.Title, &body, body.Tags);
    return e;
  }

  int Statement(const std::string& title, const TArgdownText* body, const std::vector<std::string>& tags) {
    auto it = statements_.find(title);
    if (it == statements_.end())
      it = statements_.emplace(title, graph_.AddText({{}, "[" + Printable(title) + "] (" + Where() + ")", {}})).first;
    TImportText& t = graph_.Texts()[static_cast<std::size_t>(it->second)];
    if (body) {
      t.Text = body->Text;
      for (const std::string& tag : tags)
        if (tag == "latin1" && !Latin1Bytes(t.Text, t.Text))
          graph_.AddNotice(t.Where + ": tagged #latin1 but holds characters beyond Latin-1; kept as it is");
      defined_[it->second] = true;
      last_text_ = it->second;
    } else {
      last_text_ = -1;
    }
    for (const std::string& tag : tags) {
      if (tag == "issue")
        t.Type = kIssue;
      else if (tag == "assumption")
        t.Type = kAssumption;
    }
    return it->second;
  }

  static std::string Printable(const std::string& title) {
    return title.rfind('\x01', 0) == 0 ? title.substr(1) : title;
  }

  TArgumentInfo& Argument(const std::string& title, const std::vector<std::string>& /*tags*/) {
    last_text_ = -1;
    auto it = arguments_.find(title);
    if (it == arguments_.end()) {
      TArgumentInfo info;
      info.Where = "<" + title + "> (" + Where() + ")";
      info.Main = graph_.AddInference({{}, {}, kSupporting, {}, info.Where});
      it = arguments_.emplace(title, info).first;
    }
    return it->second;
  }

  // A relation line: an operator, then an element, below the element it relates to.
  bool Relation(const std::string& rest, std::size_t indent) {
    static const struct {
      const char* Op;
      TRelation Type;
      bool Outgoing;
    } kOps[] = {{"<+", TRelation::Support, false},      {"<-", TRelation::Attack, false},
                {"<_", TRelation::Undercut, false},     {"+>", TRelation::Support, true},
                {"->", TRelation::Attack, true},        {"_>", TRelation::Undercut, true},
                {"><", TRelation::Contradiction, true}, {"+", TRelation::Support, false},
                {"-", TRelation::Attack, false},        {"_", TRelation::Undercut, false}};
    for (const auto& op : kOps) {
      const std::size_t n = std::char_traits<char>::length(op.Op);
      if (rest.compare(0, n, op.Op) != 0 || n >= rest.size() || (rest[n] != ' ' && rest[n] != '\t')) continue;
      const std::size_t start = rest.find_first_not_of(" \t", n);
      if (start == std::string::npos) Fail(std::string("nothing follows '") + op.Op + "'");
      while (!stack_.empty() && stack_.back().first >= indent) stack_.pop_back();
      if (stack_.empty()) Fail("a relation without an element above it");
      const TElement parent = stack_.back().second;
      const TElement child = Element(rest.substr(start));
      stack_.push_back({indent, child});
      const TElement& from = op.Outgoing ? parent : child;
      const TElement& to = op.Outgoing ? child : parent;
      relations_.push_back({from, to, op.Type, Where()});
      if (from.Argument && (op.Type == TRelation::Undercut || op.Type == TRelation::Attack))
        graph_.Inferences()[static_cast<std::size_t>(arguments_.at(from.Title).Main)].MayBeEmpty = true;
      if (op.Type == TRelation::Attack && from.Argument && !to.Argument) {
        // Made here, so the connection keeps its place among the others.
        TArgumentInfo& a = arguments_.at(from.Title);
        if (a.Defeating < 0) a.Defeating = graph_.AddInference({{}, {}, kDefeating, {}, a.Where, true});
      }
      return true;
    }
    return false;
  }

  // "(1) statement" in a premise-conclusion structure, which belongs to the argument
  // named just before it.
  bool PcsItem(const std::string& rest, std::size_t indent) {
    const std::size_t close = rest.find(')');
    if (indent != 0 || close == std::string::npos || close == 1 || rest.find_first_not_of("0123456789", 1) != close)
      return false;
    if (pcs_ < 0) {
      if (last_argument_.empty() || arguments_.at(last_argument_).HasPcs)
        last_argument_ = "\x01untitled argument " + std::to_string(++untitled_);
      TArgumentInfo& a = Argument(last_argument_, {});
      a.HasPcs = true;
      pcs_ = a.Main;
      pcs_step_ = pcs_;
      pcs_premises_.clear();
      pcs_awaits_conclusion_ = false;
    }
    const std::size_t start = rest.find_first_not_of(" \t", close + 1);
    if (start == std::string::npos) Fail("a numbered statement without text");
    const TElement e = Element(rest.substr(start));
    if (e.Argument) Fail("a premise-conclusion structure holds statements, not arguments");
    const int text = statements_.at(e.Title);
    stack_ = {{0, e}};
    paragraph_has_element_ = true;
    if (pcs_awaits_conclusion_) {
      // The conclusion of the inference above; a further inference may build on it.
      graph_.Inferences()[static_cast<std::size_t>(pcs_step_)].Conclusions.push_back(text);
      pcs_awaits_conclusion_ = false;
      pcs_premises_ = {text};
    } else {
      pcs_premises_.push_back(text);
    }
    return true;
  }

  void Inference() {
    if (pcs_ < 0 || pcs_premises_.empty()) Fail("an inference line without premises above it");
    if (pcs_awaits_conclusion_) Fail("two inference lines without a conclusion between them");
    auto& inferences = graph_.Inferences();
    if (!inferences[static_cast<std::size_t>(pcs_step_)].Conclusions.empty()) {
      // A further step: the earlier one becomes an inference of its own.
      TImportInference main = inferences[static_cast<std::size_t>(pcs_step_)];
      inferences[static_cast<std::size_t>(pcs_step_)].Conclusions.clear();
      inferences[static_cast<std::size_t>(pcs_step_)].Premises.clear();
      graph_.AddInference(std::move(main));
    }
    inferences[static_cast<std::size_t>(pcs_step_)].Premises = pcs_premises_;
    pcs_awaits_conclusion_ = true;
    pcs_end_line_ = line_;
  }

  // What an undercutting or attacking element brings: a statement itself, an argument its premises.
  std::vector<int> Sources(const TElement& e, const std::string& where) {
    if (!e.Argument) return {statements_.at(e.Title)};
    std::vector<int> premises = graph_.Inferences()[static_cast<std::size_t>(arguments_.at(e.Title).Main)].Premises;
    if (premises.empty()) graph_.AddNotice(where + ": <" + Printable(e.Title) + "> has no premises to undercut with");
    return premises;
  }

  void Finish() {
    if (pcs_awaits_conclusion_) {
      line_ = pcs_end_line_;
      Fail("an inference line with no conclusion below it");
    }
    auto& inferences = graph_.Inferences();
    const auto text = [&](const TElement& e) { return statements_.at(e.Title); };
    // Supports first: an argument's premises come from them, wherever they stand.
    for (const TRelationLine& r : relations_) {
      if (r.Type == TRelation::Support && !r.From.Argument && !r.To.Argument) {
        graph_.AddInference({{text(r.From)}, {text(r.To)}, kSupporting, {}, r.Where});
      } else if (r.Type == TRelation::Support && !r.From.Argument && r.To.Argument) {
        inferences[static_cast<std::size_t>(arguments_.at(r.To.Title).Main)].Premises.push_back(text(r.From));
      } else if (r.Type == TRelation::Support && r.From.Argument && !r.To.Argument) {
        inferences[static_cast<std::size_t>(arguments_.at(r.From.Title).Main)].Conclusions.push_back(text(r.To));
      } else if (r.Type == TRelation::Attack && r.From.Argument && !r.To.Argument) {
        const TArgumentInfo& a = arguments_.at(r.From.Title);
        inferences[static_cast<std::size_t>(a.Defeating)].Conclusions.push_back(text(r.To));
      }
    }
    for (auto& [title, a] : arguments_)
      if (a.Defeating >= 0)
        inferences[static_cast<std::size_t>(a.Defeating)].Premises =
            inferences[static_cast<std::size_t>(a.Main)].Premises;
    for (const TRelationLine& r : relations_) {
      if (r.Type == TRelation::Attack && !r.From.Argument && !r.To.Argument) {
        graph_.AddConflict({{text(r.From)}, {}, text(r.To), false, r.Where});
      } else if (r.Type == TRelation::Undercut && r.To.Argument) {
        const std::vector<int> sources = Sources(r.From, r.Where);
        const TArgumentInfo& target = arguments_.at(r.To.Title);
        if (sources.empty()) continue;
        graph_.AddConflict({sources, {}, target.Main, true, r.Where});
        if (target.Defeating >= 0) graph_.AddConflict({sources, {}, target.Defeating, true, r.Where});
      } else if (r.Type == TRelation::Contradiction) {
        graph_.AddNotice(r.Where + ": a contradiction has no counterpart in a line of argumentation; left out");
      } else if (r.Type != TRelation::Support && !(r.Type == TRelation::Attack && r.From.Argument && !r.To.Argument)) {
        graph_.AddNotice(r.Where + ": an " + (r.Type == TRelation::Attack ? "attack" : "undercut") + " on " +
                         (r.To.Argument ? "an argument" : "a statement") +
                         " has no counterpart in a line of argumentation; left out");
      } else if (r.Type == TRelation::Support && r.From.Argument && r.To.Argument) {
        graph_.AddNotice(r.Where +
                         ": support between two arguments has no counterpart in a line of argumentation; left out");
      }
    }
    for (const auto& [title, index] : statements_) {
      if (defined_.count(index)) continue;
      TImportText& t = graph_.Texts()[static_cast<std::size_t>(index)];
      t.Text = Printable(title);
      graph_.AddNotice(t.Where + ": a statement without a text; its title stands for it");
    }
  }

  struct TRelationLine {
    TElement From;
    TElement To;
    TRelation Type;
    std::string Where;
  };

  TImportGraph graph_;
  int line_ = 0;
  std::vector<std::pair<std::size_t, TElement>> stack_;
  bool paragraph_has_element_ = false;
  int last_text_ = -1;
  std::string last_argument_;
  int untitled_ = 0;
  std::map<std::string, int> statements_;
  std::map<int, bool> defined_;
  std::map<std::string, TArgumentInfo> arguments_;
  std::vector<TRelationLine> relations_;
  // The premise-conclusion structure being read: its argument's main inference, the
  // inference being filled, the statements above the next inference line.
  int pcs_ = -1;
  int pcs_step_ = -1;
  std::vector<int> pcs_premises_;
  bool pcs_awaits_conclusion_ = false;
  int pcs_end_line_ = 0;
};

}  // namespace

TImportGraph ReadArgdown(const std::string& bytes) { return TArgdownReader().Read(bytes); }

}  // namespace korvane::interchange
