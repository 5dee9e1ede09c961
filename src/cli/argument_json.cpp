// The stage's arguments as JSON. Argument trees share their subtrees, so a stage with
// cycles has few distinct arguments but very many paths through them: the compact form
// lists each distinct argument once and refers to it by index; the expanded form writes
// every tree out in full, as scripts written against it expect.
#include <unordered_map>

#include "cli_support.h"

namespace korvane::cli {

std::string IdOf(const TArgumentationStage& stage, const TStatement* s) {
  TStatement* found = nullptr;
  if (stage.SentenceIsStatementSentence(s->Sentence, found)) return found->Id;
  return s->Id;
}

// Post-order without recursion (arguments are as deep as the longest chain): an argument
// is listed after its initial arguments, so every index points to an earlier entry.
TJson CompactArguments(const TArgumentationStage& stage) {
  TJson table = TJson::array();
  TJson roots = TJson::array();
  std::unordered_map<const TArgument*, std::size_t> index;
  struct TFrame {
    const TArgument* Argument;
    std::size_t Next;
  };
  std::vector<TFrame> stack;
  for (std::size_t r = 0; r < stage.Arguments.Count(); ++r) {
    const TArgument* root = stage.Arguments[r];
    if (!index.count(root)) stack.push_back({root, 0});
    while (!stack.empty()) {
      TFrame& top = stack.back();
      if (top.Next < top.Argument->InitialArguments.Count()) {
        const TArgument* child = top.Argument->InitialArguments[top.Next++];
        if (!index.count(child)) stack.push_back({child, 0});
        continue;
      }
      TJson children = TJson::array();
      for (std::size_t k = 0; k < top.Argument->InitialArguments.Count(); ++k)
        children.push_back(index.at(top.Argument->InitialArguments[k]));
      index.emplace(top.Argument, table.size());
      table.push_back(TJson::array({IdOf(stage, top.Argument->Conclusion), std::move(children)}));
      stack.pop_back();
    }
    roots.push_back(index.at(root));
  }
  return {{"arguments", std::move(table)}, {"stage_arguments", std::move(roots)}};
}

// Arguments can be as deep as the longest chain of connections, so no recursion.
void WriteExpandedArgument(std::ostream& out, const TArgumentationStage& stage, const TArgument* root) {
  struct TFrame {
    const TArgument* Argument;
    std::size_t Next;
    bool Opened;
  };
  std::vector<TFrame> stack{{root, 0, false}};
  while (!stack.empty()) {
    TFrame& top = stack.back();
    if (!top.Opened) {
      out << '[' << interchange::JsonString(IdOf(stage, top.Argument->Conclusion)) << ", [";
      top.Opened = true;
    }
    if (top.Next < top.Argument->InitialArguments.Count()) {
      if (top.Next > 0) out << ", ";
      const TArgument* child = top.Argument->InitialArguments[top.Next++];
      stack.push_back({child, 0, false});
      continue;
    }
    out << "]]";
    stack.pop_back();
  }
}

}  // namespace korvane::cli
