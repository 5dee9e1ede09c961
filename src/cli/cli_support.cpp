#include "cli_support.h"

#include <iostream>
#include <iterator>
#include <sstream>

#include "files/text_file.h"

namespace korvane::cli {

namespace {

// Length of the valid UTF-8 sequence at i, or 0.
std::size_t Utf8Length(const std::string& s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  std::size_t n;
  unsigned min;
  unsigned cp;
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) { n = 2; cp = b & 0x1F; min = 0x80; }
  else if ((b & 0xF0) == 0xE0) { n = 3; cp = b & 0x0F; min = 0x800; }
  else if ((b & 0xF8) == 0xF0) { n = 4; cp = b & 0x07; min = 0x10000; }
  else return 0;
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

bool IsValidUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = Utf8Length(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

void AppendEscaped(std::string& out, unsigned char c) {
  static const char* hex = "0123456789abcdef";
  switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
  }
  if (c < 0x20 || c == 0x7F) {
    out += "\\u00";
    out += hex[c >> 4];
    out += hex[c & 15];
  } else {
    out += static_cast<char>(c);
  }
}

const char* TypeName(std::uint8_t type) { return type == kAssumption ? "assumption" : "issue"; }

const char* StatusName(std::uint8_t status) {
  switch (status) {
    case kJustified: return "justified";
    case kUnjustified: return "unjustified";
    default: return "unevaluated";
  }
}

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
    int Next;
  };
  std::vector<TFrame> stack{{root, -1}};
  while (!stack.empty()) {
    TFrame& top = stack.back();
    if (top.Next < 0) {
      out << '[' << JsonString(IdOf(stage, top.Argument->Conclusion)) << ", [";
      top.Next = 0;
    }
    if (top.Next < top.Argument->InitialArguments.Count()) {
      if (top.Next > 0) out << ", ";
      const TArgument* child = top.Argument->InitialArguments[top.Next++];
      stack.push_back({child, -1});
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

std::string JsonString(const std::string& bytes) {
  std::string out = "\"";
  if (IsValidUtf8(bytes)) {
    for (char c : bytes) AppendEscaped(out, static_cast<unsigned char>(c));
  } else {
    for (char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80) {
        AppendEscaped(out, b);
      } else if (b < 0xA0) {
        // C1 control characters are escaped like the C0 ones.
        static const char* hex = "0123456789abcdef";
        out += "\\u00";
        out += hex[b >> 4];
        out += hex[b & 15];
      } else {
        out += static_cast<char>(0xC0 | (b >> 6));
        out += static_cast<char>(0x80 | (b & 0x3F));
      }
    }
  }
  out += '"';
  return out;
}

std::string Utf8Reading(const std::string& bytes) {
  if (IsValidUtf8(bytes)) return bytes;
  std::string text;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (b >> 6));
      text += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return text;
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

void WriteJson(std::ostream& out, const TLineOfArgumentation& line, const std::string& error) {
  const TArgumentationStage& stage = *line.CurrentStage;
  const std::vector<TStatementExplanation> explanations = ExplainStage(stage);
  out << "{\"error\": " << (error.empty() ? std::string("null") : JsonString(error)) << ",\n \"statements\": [";
  for (int i = 0; i < stage.Statements.Count(); ++i) {
    const TStatement* s = stage.Statements[i];
    out << (i ? ",\n  " : "\n  ") << "{\"id\": " << JsonString(s->Id) << ", \"sentence\": " << JsonString(s->Sentence)
        << ", \"type\": \"" << TypeName(s->StatementType) << "\", \"status\": \"" << StatusName(s->Status) << '"';
    WriteExplanationFields(out, explanations[static_cast<std::size_t>(i)]);
    out << '}';
  }
  out << "],\n \"connections\": [";
  for (int i = 0; i < stage.ReasonConclusions.Count(); ++i) {
    const TReasonConclusion* c = stage.ReasonConclusions[i];
    out << (i ? ",\n  " : "\n  ") << "{\"reason\": " << JsonString(IdOf(stage, c->Reason))
        << ", \"conclusion\": " << JsonString(IdOf(stage, c->Conclusion)) << ", \"exceptions\": [";
    for (int k = 0; k < c->Exceptions.Count(); ++k)
      out << (k ? ", " : "") << JsonString(IdOf(stage, c->Exceptions[k]));
    out << "]}";
  }
  out << "],\n \"maximal\": [";
  for (int i = 0; i < stage.MaximalDialecticalArguments.Count(); ++i)
    out << (i ? ", " : "") << JsonString(IdOf(stage, stage.MaximalDialecticalArguments[i]->Conclusion));
  out << "],\n \"arguments\": [";
  for (int i = 0; i < stage.Arguments.Count(); ++i) {
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
