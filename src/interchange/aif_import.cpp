#include "interchange/aif_import.h"

#include <map>
#include <set>
#include <unordered_map>

#include "interchange/import_error.h"
#include "interchange/json_reader.h"
#include "interchange/unicode_text.h"

namespace korvane::interchange {

namespace {

using TKind = TJsonValue::TKind;

struct TNode {
  std::string Id;
  std::string Type;
  std::string Where;
  int Index = -1;  // text, inference or conflict number in the graph being built
};

class TAifReader {
public:
  explicit TAifReader(const TJsonValue& root) : root_(root) {}

  TImportGraph Read() {
    if (!root_.Is(TKind::Object))
      throw TImportError("the file is " + std::string(root_.KindName()) + ", not an AIF object");
    Nodes(Member(root_, "nodes", TKind::Array, "the file"));
    Edges(Member(root_, "edges", TKind::Array, "the file"));
    if (const TJsonValue* extra = root_.Find("korvane")) Extra(*extra);
    Build();
    return std::move(graph_);
  }

private:
  static const TJsonValue& Member(const TJsonValue& object, const char* name, TKind kind, const std::string& where) {
    const TJsonValue* v = object.Find(name);
    if (!v) throw TImportError(where + " has no \"" + name + "\"");
    if (!v->Is(kind)) {
      throw TImportError(where + ": \"" + name + "\" is " + v->KindName() + " (line " + std::to_string(v->Line()) +
                         ")");
    }
    return *v;
  }

  // Ids are strings in the corpora; some tools write numbers.
  static std::string Id(const TJsonValue& object, const char* name, const std::string& where) {
    const TJsonValue* v = object.Find(name);
    if (!v) throw TImportError(where + " has no \"" + name + "\"");
    if (!v->Is(TKind::String) && !v->Is(TKind::Number))
      throw TImportError(where + ": \"" + name + "\" is " + v->KindName() + ", not a string or number");
    return v->Text();
  }

  static std::string Quoted(const std::string& id) { return "\"" + id + "\""; }

  void Nodes(const TJsonValue& nodes) {
    static const std::set<std::string> kIgnored = {"L", "YA", "TA"};
    static const std::set<std::string> kLeftOut = {"MA", "PA"};
    for (std::size_t k = 0; k < nodes.Items().size(); ++k) {
      const TJsonValue& n = nodes.Items()[k];
      std::string where = "node " + std::to_string(k + 1);
      if (!n.Is(TKind::Object)) throw TImportError(where + " is " + n.KindName() + ", not an object");
      TNode node;
      node.Id = Id(n, "nodeID", where);
      node.Where = where += " (nodeID " + Quoted(node.Id) + ")";
      node.Type = Member(n, "type", TKind::String, where).Text();
      const auto [it, fresh] = index_.emplace(node.Id, nodes_.size());
      if (!fresh) throw TImportError(where + ": the nodeID is also that of " + nodes_[it->second].Where);
      if (node.Type == "I") {
        node.Index = graph_.AddText({Member(n, "text", TKind::String, where).Text(), where, std::nullopt});
      } else if (node.Type == "RA") {
        node.Index = graph_.AddInference({{}, {}, kSupporting, {}, where});
      } else if (node.Type == "CA") {
        node.Index = static_cast<int>(conflicts_.size());
        conflicts_.push_back({{}, {}, -1, true, where});
        conflict_targets_.emplace_back();
      } else if (kLeftOut.count(node.Type)) {
        ++left_out_[node.Type];
      } else if (!kIgnored.count(node.Type)) {
        throw TImportError(where + ": \"" + node.Type + "\" is not a node type of AIF (I, RA, CA, MA, PA, L, YA, TA)");
      }
      nodes_.push_back(std::move(node));
    }
  }

  const TNode& Named(const TJsonValue& edge, const char* name, const std::string& where) {
    const std::string id = Id(edge, name, where);
    const auto it = index_.find(id);
    if (it == index_.end()) throw TImportError(where + ": " + name + " " + Quoted(id) + " names no node");
    return nodes_[it->second];
  }

  void Edges(const TJsonValue& edges) {
    for (std::size_t k = 0; k < edges.Items().size(); ++k) {
      const TJsonValue& e = edges.Items()[k];
      const std::string where = "edge " + std::to_string(k + 1);
      if (!e.Is(TKind::Object)) throw TImportError(where + " is " + e.KindName() + ", not an object");
      const TNode& from = Named(e, "fromID", where);
      const TNode& to = Named(e, "toID", where);
      if (from.Index < 0 || to.Index < 0) continue;  // dialogue, rephrase and preference nodes
      const std::string pair = from.Type + "->" + to.Type;
      auto& inferences = graph_.Inferences();
      if (pair == "I->RA")
        inferences[static_cast<std::size_t>(to.Index)].Premises.push_back(from.Index);
      else if (pair == "RA->I")
        inferences[static_cast<std::size_t>(from.Index)].Conclusions.push_back(to.Index);
      else if (pair == "I->CA")
        conflicts_[static_cast<std::size_t>(to.Index)].Sources.push_back(from.Index);
      else if (pair == "CA->I" || pair == "CA->RA")
        conflict_targets_[static_cast<std::size_t>(from.Index)].push_back(&to);
      else
        graph_.AddNotice(where + ": an edge from " + from.Type + " to " + to.Type + " (" + from.Where + " to " +
                         to.Where + ") has no counterpart in a line of argumentation; left out");
    }
  }

  const TNode& ExtraNode(const TJsonValue& entry, const std::string& where, const char* type) {
    if (!entry.Is(TKind::Object)) throw TImportError(where + " is " + entry.KindName() + ", not an object");
    const TNode& node = Named(entry, "nodeID", where);
    if (node.Type != type) throw TImportError(where + ": " + node.Where + " is not an " + type + " node");
    return node;
  }

  int Warrant(const TJsonValue& entry, const std::string& where) {
    const TNode& node = Named(entry, "warrant", where);
    if (node.Type != "I") throw TImportError(where + ": the warrant " + node.Where + " is not an I node");
    return node.Index;
  }

  std::optional<std::string> Text(const TJsonValue& entry, const char* name, const std::string& where) {
    const TJsonValue* v = entry.Find(name);
    if (!v) return std::nullopt;
    if (!v->Is(TKind::String)) throw TImportError(where + ": \"" + name + "\" is " + v->KindName() + ", not a string");
    return v->Text();
  }

  // What AIF has no field for, in the object Korvane writes beside nodes and edges.
  void Extra(const TJsonValue& extra) {
    const std::string at = "the \"korvane\" object";
    if (!extra.Is(TKind::Object)) throw TImportError(at + " is " + extra.KindName() + ", not an object");
    auto& texts = graph_.Texts();
    if (const TJsonValue* list = extra.Find("statements")) {
      if (!list->Is(TKind::Array)) throw TImportError(at + ": \"statements\" is not an array");
      for (std::size_t k = 0; k < list->Items().size(); ++k) {
        const std::string where = at + ", statement " + std::to_string(k + 1);
        const TJsonValue& entry = list->Items()[k];
        TImportText& text = texts[static_cast<std::size_t>(ExtraNode(entry, where, "I").Index)];
        if (const auto type = Text(entry, "type", where)) {
          if (*type != "issue" && *type != "assumption")
            throw TImportError(where + ": type \"" + *type + "\" is neither issue nor assumption");
          text.Type = *type == "issue" ? kIssue : kAssumption;
        }
        const TJsonValue* latin1 = entry.Find("latin1");
        if (latin1 && latin1->Is(TKind::Bool) && latin1->Text() == "true" && !Latin1Bytes(text.Text, text.Text))
          throw TImportError(where + ": the text is marked Latin-1 but holds characters beyond it");
      }
    }
    if (const TJsonValue* list = extra.Find("connections")) {
      if (!list->Is(TKind::Array)) throw TImportError(at + ": \"connections\" is not an array");
      for (std::size_t k = 0; k < list->Items().size(); ++k) {
        const std::string where = at + ", connection " + std::to_string(k + 1);
        const TJsonValue& entry = list->Items()[k];
        TImportInference& inference =
            graph_.Inferences()[static_cast<std::size_t>(ExtraNode(entry, where, "RA").Index)];
        if (const auto kind = Text(entry, "kind", where)) {
          if (*kind != "supporting" && *kind != "defeating")
            throw TImportError(where + ": kind \"" + *kind + "\" is neither supporting nor defeating");
          inference.Kind = *kind == "defeating" ? kDefeating : kSupporting;
        }
        if (entry.Find("warrant")) inference.Warrants.push_back(Warrant(entry, where));
      }
    }
    if (const TJsonValue* list = extra.Find("exceptions")) {
      if (!list->Is(TKind::Array)) throw TImportError(at + ": \"exceptions\" is not an array");
      for (std::size_t k = 0; k < list->Items().size(); ++k) {
        const std::string where = at + ", exception " + std::to_string(k + 1);
        const TJsonValue& entry = list->Items()[k];
        TImportConflict& conflict = conflicts_[static_cast<std::size_t>(ExtraNode(entry, where, "CA").Index)];
        if (entry.Find("warrant")) conflict.Warrants.push_back(Warrant(entry, where));
      }
    }
  }

  void Build() {
    for (const auto& [type, count] : left_out_)
      graph_.AddNotice(std::to_string(count) + " " + type + " node" + (count == 1 ? "" : "s") +
                       (type == "MA" ? " (rephrases)" : " (preferences)") +
                       " left out: a line of argumentation has none");
    for (std::size_t k = 0; k < conflicts_.size(); ++k) {
      TImportConflict& conflict = conflicts_[k];
      if (conflict.Sources.empty() || conflict_targets_[k].empty()) {
        graph_.AddNotice(conflict.Where + ": a CA node without an attacker or a target; left out");
        continue;
      }
      for (const TNode* target : conflict_targets_[k]) {
        TImportConflict aimed = conflict;
        aimed.Target = target->Index;
        aimed.AimsAtInference = target->Type == "RA";
        graph_.AddConflict(std::move(aimed));
      }
    }
  }

  const TJsonValue& root_;
  TImportGraph graph_;
  std::vector<TNode> nodes_;
  std::unordered_map<std::string, std::size_t> index_;
  std::vector<TImportConflict> conflicts_;
  std::vector<std::vector<const TNode*>> conflict_targets_;
  std::map<std::string, int> left_out_;
};

}  // namespace

TImportGraph ReadAif(const std::string& bytes) {
  // A byte-order mark is not JSON, but some tools write one.
  const std::size_t skip = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  TJsonValue root;
  try {
    root = ParseJson(skip ? bytes.substr(skip) : bytes);
  } catch (const TJsonError& error) {
    throw TImportError(std::string("not valid JSON: ") + error.what());
  }
  return TAifReader(root).Read();
}

}  // namespace korvane::interchange
