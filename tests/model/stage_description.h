// Everything observable of a stage as text, so that two evaluations of it compare as strings.
#pragma once

#include <ostream>
#include <sstream>
#include <string>

#include "model/argumentation_stage.h"

namespace korvane::test {

// A printed form of a dialectical argument that covers every field the views read.
inline void Print(const TDialecticalArgument* d, std::ostream& out) {
  out << '{' << d->Conclusion->Sentence << '#' << d->Conclusion->Id << ' ' << Code(d->Status);
  for (std::size_t i = 0; i < d->Steps.Count(); ++i) {
    const TStep* s = d->Steps[i];
    out << " [" << s->Conclusion->Sentence << '<' << s->Reason->Sentence << '#' << s->Reason->Id << " k"
        << Code(s->ConnectionKind) << " w" << Code(s->WarrantStatus);
    if (s->WarrantingDialecticalArgument) Print(s->WarrantingDialecticalArgument, out << " W");
    Print(d->InitialDialecticalArguments[i], out << " R");
    for (std::size_t k = 0; k < s->Undercutters.Count(); ++k) {
      const TUndercutter* u = s->Undercutters[k];
      out << " (" << u->Exception->Sentence << ' ' << u->Reason->Sentence << ' ' << u->Conclusion->Sentence << " w"
          << Code(u->WarrantStatus);
      if (u->WarrantingDialecticalArgument) Print(u->WarrantingDialecticalArgument, out << " W");
      Print(s->UndercuttingDialecticalArguments[k], out << " E");
      out << ')';
    }
    out << ']';
  }
  out << '}';
}

inline void Print(const TArgument* a, std::ostream& out) {
  out << '(' << a->Conclusion->Sentence << ' ' << Code(a->DefeatStatus);
  for (const TArgument* x : a->InitialArguments) Print(x, out << ' ');
  out << ')';
}

// Everything observable of a stage, as text.
inline std::string Describe(const TArgumentationStage& stage) {
  std::ostringstream out;
  for (const TStatement* s : stage.Statements)
    out << s->Id << ':' << s->Sentence << ' ' << Code(s->StatementType) << '\n';
  for (const TReasonConclusion* c : stage.ReasonConclusions) {
    out << c->Reason->Sentence << " -> " << c->Conclusion->Sentence << " k" << Code(c->ConnectionKind);
    for (const TStatement* e : c->Exceptions) out << " unless " << e->Sentence;
    out << '\n';
  }
  out << "dialectical\n";
  for (const TDialecticalArgument* d : stage.DialecticalArguments) Print(d, out), out << '\n';
  out << "maximal\n";
  for (const TDialecticalArgument* d : stage.MaximalDialecticalArguments) Print(d, out), out << '\n';
  out << "arguments\n";
  for (const TArgument* a : stage.Arguments) Print(a, out), out << '\n';
  return out.str();
}

inline std::string Statuses(const TArgumentationStage& stage) {
  std::string text;
  for (const TStatement* s : stage.Statements) text += std::to_string(Code(s->Status));
  return text;
}

}  // namespace korvane::test
