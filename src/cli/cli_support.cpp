#include "cli_support.h"

#include <iostream>
#include <iterator>
#include <sstream>

#include "files/text_file.h"
#include "interchange/argument_graph.h"
#include "interchange/json_text.h"
#include "terminal_progress.h"

namespace korvane::cli {

using interchange::StatusName;
using interchange::TJsonLayout;
using interchange::TypeName;

TCliSession::TCliSession() {
  Asker.OnNotice = [](const std::string& text) { std::cerr << PlainText(text) << '\n'; };
  if (StandardErrorIsTerminal()) Session.Progress = TTerminalProgress(std::cerr);
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

void WriteJson(std::ostream& out, const TLineOfArgumentation& line, const std::string& error, bool expandedArguments) {
  const TArgumentationStage& stage = *line.CurrentStage;
  const std::vector<TStatementExplanation> explanations = ExplainStage(stage);
  TJson statements = TJson::array();
  for (std::size_t i = 0; i < stage.Statements.Count(); ++i) {
    const TStatement* s = stage.Statements[i];
    TJson statement = {
        {"id", s->Id}, {"sentence", s->Sentence}, {"type", TypeName(s->StatementType)}, {"status", StatusName(s->Status)}};
    AddExplanation(statement, explanations[i]);
    statements.push_back(std::move(statement));
  }
  TJson connections = TJson::array();
  for (std::size_t i = 0; i < stage.ReasonConclusions.Count(); ++i) {
    const TReasonConclusion* c = stage.ReasonConclusions[i];
    TJson exceptions = TJson::array();
    for (std::size_t k = 0; k < c->Exceptions.Count(); ++k) exceptions.push_back(IdOf(stage, c->Exceptions[k]));
    connections.push_back({{"reason", IdOf(stage, c->Reason)},
                           {"conclusion", IdOf(stage, c->Conclusion)},
                           {"exceptions", std::move(exceptions)}});
  }
  TJson maximal = TJson::array();
  for (std::size_t i = 0; i < stage.MaximalDialecticalArguments.Count(); ++i)
    maximal.push_back(IdOf(stage, stage.MaximalDialecticalArguments[i]->Conclusion));
  TJson document = {{"error", error.empty() ? TJson() : TJson(error)},
                    {"statements", std::move(statements)},
                    {"connections", std::move(connections)},
                    {"maximal", std::move(maximal)}};
  TJsonLayout list{",\n  ", "\n  ", "", {}, {}};
  TJsonLayout arguments = list;
  if (expandedArguments) {
    // Placeholders: written out in full, the trees can be far larger than the stage, so
    // they are streamed rather than held.
    document["arguments"] = TJson(stage.Arguments.Count(), nullptr);
    arguments.WriteItem = [&](std::ostream& os, std::size_t i) {
      WriteExpandedArgument(os, stage, stage.Arguments[i]);
    };
  } else {
    TJson compact = CompactArguments(stage);
    for (auto& [name, value] : compact.items()) document[name] = std::move(value);
  }
  document["text"] = line.Text();
  const TJsonLayout layout{
      ",\n ", "", "", {{"statements", list}, {"connections", list}, {"arguments", arguments}, {"text", list}}, {}};
  WriteJsonText(out, document, layout);
  out << '\n';
}

std::string TakeOption(std::vector<std::string>& args, const std::string& name, const std::string& what) {
  std::string value;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 >= args.size() || args[i + 1].empty()) throw TUsageError(name + " needs " + what);
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
