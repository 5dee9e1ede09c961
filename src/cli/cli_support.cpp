#include "cli_support.h"

#include <iostream>
#include <iterator>
#include <sstream>

#include "files/text_file.h"
#include "interchange/argument_graph.h"
#include "interchange/json_text.h"

namespace korvane::cli {

namespace {

using interchange::StatusName;
using interchange::TypeName;

// The identifier the stage gives a sentence (the object a connection holds may be one
// that never entered the stage, when reason and conclusion share a sentence).
std::string IdOf(const TArgumentationStage& stage, const TStatement* s) {
  TStatement* found = nullptr;
  if (stage.SentenceIsStatementSentence(s->Sentence, found)) return found->Id;
  return s->Id;
}

// Arguments can be as deep as the longest chain of connections, so no recursion.
void WriteArgument(std::ostream& out, const TArgumentationStage& stage, const TArgument* root) {
  struct TFrame {
    const TArgument* Argument;
    std::size_t Next;
    bool Opened;
  };
  std::vector<TFrame> stack{{root, 0, false}};
  while (!stack.empty()) {
    TFrame& top = stack.back();
    if (!top.Opened) {
      out << '[' << JsonString(IdOf(stage, top.Argument->Conclusion)) << ", [";
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

}  // namespace

TCliSession::TCliSession() {
  Asker.OnNotice = [](const std::string& text) { std::cerr << PlainText(text) << '\n'; };
}

std::string PlainText(const std::string& message) {
  std::string text;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n') continue;
    text += message[i];
  }
  return text;
}

std::vector<std::string> ReadInput(const std::string& path) {
  if (path != "-") return ReadTextFile(path);
  std::string bytes((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  if (std::cin.bad()) throw CannotOpenFileError("-");
  return SplitLines(bytes);
}

std::string Interpret(TSession& session, const std::vector<std::string>& lines) {
  session.NewLine();
  session.Host().SetTextLines(lines);
  try {
    session.InterpretLines();
  } catch (const TCommandError& error) {
    return error.what();
  }
  return {};
}

std::string JsonString(const std::string& bytes) { return interchange::JsonString(bytes); }

std::string TerminalText(const std::string& utf8) {
  static const char* hex = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto code = static_cast<unsigned char>(utf8[i]);
    // C1 controls are two bytes in UTF-8: C2 80 to C2 9F.
    const bool c1 = code == 0xC2 && i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xE0) == 0x80;
    if (c1) code = static_cast<unsigned char>(utf8[++i]);
    if (c1 || code < 0x20 || code == 0x7F) {
      text += "\\u00";
      text += hex[code >> 4];
      text += hex[code & 15];
    } else {
      text += static_cast<char>(code);
    }
  }
  return text;
}

void WriteJson(std::ostream& out, const TLineOfArgumentation& line, const std::string& error) {
  const TArgumentationStage& stage = *line.CurrentStage;
  const std::vector<TStatementExplanation> explanations = ExplainStage(stage);
  out << "{\"error\": " << (error.empty() ? std::string("null") : JsonString(error)) << ",\n \"statements\": [";
  for (std::size_t i = 0; i < stage.Statements.Count(); ++i) {
    const TStatement* s = stage.Statements[i];
    out << (i ? ",\n  " : "\n  ") << "{\"id\": " << JsonString(s->Id) << ", \"sentence\": " << JsonString(s->Sentence)
        << ", \"type\": \"" << TypeName(s->StatementType) << "\", \"status\": \"" << StatusName(s->Status) << '"';
    WriteExplanationFields(out, explanations[i]);
    out << '}';
  }
  out << "],\n \"connections\": [";
  for (std::size_t i = 0; i < stage.ReasonConclusions.Count(); ++i) {
    const TReasonConclusion* c = stage.ReasonConclusions[i];
    out << (i ? ",\n  " : "\n  ") << "{\"reason\": " << JsonString(IdOf(stage, c->Reason))
        << ", \"conclusion\": " << JsonString(IdOf(stage, c->Conclusion)) << ", \"exceptions\": [";
    for (std::size_t k = 0; k < c->Exceptions.Count(); ++k)
      out << (k ? ", " : "") << JsonString(IdOf(stage, c->Exceptions[k]));
    out << "]}";
  }
  out << "],\n \"maximal\": [";
  for (std::size_t i = 0; i < stage.MaximalDialecticalArguments.Count(); ++i)
    out << (i ? ", " : "") << JsonString(IdOf(stage, stage.MaximalDialecticalArguments[i]->Conclusion));
  out << "],\n \"arguments\": [";
  for (std::size_t i = 0; i < stage.Arguments.Count(); ++i) {
    out << (i ? ",\n  " : "\n  ");
    WriteArgument(out, stage, stage.Arguments[i]);
  }
  out << "],\n \"text\": [";
  const std::vector<std::string> text = line.Text();
  for (std::size_t i = 0; i < text.size(); ++i) out << (i ? ",\n  " : "\n  ") << JsonString(text[i]);
  out << "]}\n";
}

std::string TakeOutputOption(std::vector<std::string>& args) {
  std::string output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--output") continue;
    if (i + 1 >= args.size()) throw TUsageError("--output needs a file name");
    if (!output.empty()) throw TUsageError("--output given twice");
    output = args[i + 1];
    if (output.empty()) throw TUsageError("--output needs a file name");
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i + 2));
    --i;
  }
  return output;
}

std::string TakeOption(std::vector<std::string>& args, const std::string& name) {
  std::string value;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 >= args.size() || args[i + 1].empty()) throw TUsageError(name + " needs a value");
    if (!value.empty()) throw TUsageError(name + " given twice");
    value = args[i + 1];
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i + 2));
    --i;
  }
  return value;
}

int RunDeletion(const std::string& file, const std::string& output, const std::function<bool(TSession&)>& deletion) {
  TCliSession cli;
  const std::string error = Interpret(cli.Session, ReadInput(file));
  // As in the window after such an Open: the stage reached can still be worked on.
  if (!error.empty()) std::cerr << error << ".\n";
  if (!deletion(cli.Session)) return kExitFailed;  // the refusal went to standard error
  if (!output.empty()) cli.Session.WriteFile(output);
  // A rebuilt line is printed with the error of its own replay, and a failed replay
  // has already put the old line back and refused.
  WriteJson(std::cout, cli.Session.Line(), std::string());
  return error.empty() ? kExitOk : kExitFailed;
}

}  // namespace korvane::cli
