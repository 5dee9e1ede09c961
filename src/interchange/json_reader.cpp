#include "interchange/json_reader.h"

#include "interchange/unicode_text.h"

namespace korvane::interchange {

TJsonError::TJsonError(int line, int column, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what),
      line_(line),
      column_(column) {}

const TJsonValue* TJsonValue::Find(const std::string& key) const {
  for (const auto& [name, value] : members_)
    if (name == key) return &value;
  return nullptr;
}

const char* TJsonValue::KindName() const {
  switch (kind_) {
    case TKind::Null: return "null";
    case TKind::Bool: return "a truth value";
    case TKind::Number: return "a number";
    case TKind::String: return "a string";
    case TKind::Array: return "an array";
    case TKind::Object: return "an object";
  }
  return "a value";
}

class TJsonParser {
public:
  explicit TJsonParser(const std::string& text) : text_(text) {}

  TJsonValue Document() {
    SkipBlanks();
    TJsonValue value = Value(0);
    SkipBlanks();
    if (pos_ < text_.size()) Fail("unexpected text after the JSON value");
    return value;
  }

private:
  [[noreturn]] void Fail(const std::string& what) const { throw TJsonError(line_, column_, what); }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Advance() {
    if (text_[pos_] == '\n') {
      ++line_;
      column_ = 1;
    } else if ((static_cast<unsigned char>(text_[pos_]) & 0xC0) != 0x80) {
      ++column_;  // columns count characters, not the continuation bytes of one
    }
    ++pos_;
  }
  void SkipBlanks() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) Advance();
  }
  void Expect(char c, const char* what) {
    if (Peek() != c) Fail(std::string("expected ") + what);
    Advance();
  }

  TJsonValue Start(TJsonValue::TKind kind) const {
    TJsonValue v;
    v.kind_ = kind;
    v.line_ = line_;
    v.column_ = column_;
    return v;
  }

  TJsonValue Value(int depth) {
    if (AtEnd()) Fail("unexpected end of the text; a value was expected");
    const char c = Peek();
    if (c == '{') return Object(depth + 1);
    if (c == '[') return Array(depth + 1);
    if (c == '"') {
      TJsonValue v = Start(TJsonValue::TKind::String);
      v.text_ = String();
      return v;
    }
    if (c == '-' || (c >= '0' && c <= '9')) return Number();
    for (const char* word : {"true", "false", "null"}) {
      if (text_.compare(pos_, std::char_traits<char>::length(word), word) == 0) {
        TJsonValue v = Start(word[0] == 'n' ? TJsonValue::TKind::Null : TJsonValue::TKind::Bool);
        v.text_ = word;
        for (const char* p = word; *p; ++p) Advance();
        return v;
      }
    }
    Fail(std::string("unexpected character '") + (static_cast<unsigned char>(c) < 0x20 ? '?' : c) +
         "'; a value was expected");
  }

  TJsonValue Object(int depth) {
    if (depth > kMaxJsonDepth) Fail("nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
    TJsonValue v = Start(TJsonValue::TKind::Object);
    Advance();
    SkipBlanks();
    if (Peek() == '}') {
      Advance();
      return v;
    }
    while (true) {
      SkipBlanks();
      if (Peek() != '"') Fail("expected a member name in quotes");
      std::string name = String();
      SkipBlanks();
      Expect(':', "':' after a member name");
      SkipBlanks();
      v.members_.emplace_back(std::move(name), Value(depth));
      SkipBlanks();
      if (Peek() == ',') {
        Advance();
        continue;
      }
      Expect('}', "',' or '}' after an object member");
      return v;
    }
  }

  TJsonValue Array(int depth) {
    if (depth > kMaxJsonDepth) Fail("nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
    TJsonValue v = Start(TJsonValue::TKind::Array);
    Advance();
    SkipBlanks();
    if (Peek() == ']') {
      Advance();
      return v;
    }
    while (true) {
      SkipBlanks();
      v.items_.push_back(Value(depth));
      SkipBlanks();
      if (Peek() == ',') {
        Advance();
        continue;
      }
      Expect(']', "',' or ']' after an array element");
      return v;
    }
  }

  TJsonValue Number() {
    TJsonValue v = Start(TJsonValue::TKind::Number);
    const std::size_t begin = pos_;
    const auto digits = [&] {
      if (!(Peek() >= '0' && Peek() <= '9')) Fail("expected a digit in a number");
      while (Peek() >= '0' && Peek() <= '9') Advance();
    };
    if (Peek() == '-') Advance();
    if (Peek() == '0')
      Advance();
    else
      digits();
    if (Peek() == '.') {
      Advance();
      digits();
    }
    if (Peek() == 'e' || Peek() == 'E') {
      Advance();
      if (Peek() == '+' || Peek() == '-') Advance();
      digits();
    }
    v.text_ = text_.substr(begin, pos_ - begin);
    return v;
  }

  unsigned Hex4() {
    unsigned value = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = Peek();
      unsigned d;
      if (c >= '0' && c <= '9')
        d = static_cast<unsigned>(c - '0');
      else if (c >= 'a' && c <= 'f')
        d = static_cast<unsigned>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        d = static_cast<unsigned>(c - 'A' + 10);
      else
        Fail("expected four hexadecimal digits after \\u");
      value = value * 16 + d;
      Advance();
    }
    return value;
  }

  std::string String() {
    Advance();  // the opening quote
    std::string out;
    while (true) {
      if (AtEnd()) Fail("a string is not closed");
      const auto c = static_cast<unsigned char>(Peek());
      if (c == '"') {
        Advance();
        return out;
      }
      if (c < 0x20) Fail("a control character inside a string must be escaped");
      if (c == '\\') {
        Advance();
        const char e = Peek();
        if (AtEnd()) Fail("a string is not closed");
        Advance();
        switch (e) {
          case '"': out += '"'; break;
          case '\\': out += '\\'; break;
          case '/': out += '/'; break;
          case 'b': out += '\b'; break;
          case 'f': out += '\f'; break;
          case 'n': out += '\n'; break;
          case 'r': out += '\r'; break;
          case 't': out += '\t'; break;
          case 'u': {
            unsigned cp = Hex4();
            if (cp >= 0xDC00 && cp <= 0xDFFF) Fail("a low surrogate without a high one");
            if (cp >= 0xD800 && cp <= 0xDBFF) {
              if (Peek() != '\\') Fail("a high surrogate without a low one");
              Advance();
              if (Peek() != 'u') Fail("a high surrogate without a low one");
              Advance();
              const unsigned low = Hex4();
              if (low < 0xDC00 || low > 0xDFFF) Fail("a high surrogate without a low one");
              cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            }
            AppendUtf8(out, cp);
            break;
          }
          default: Fail(std::string("unknown escape \\") + (static_cast<unsigned char>(e) < 0x20 ? '?' : e));
        }
        continue;
      }
      const std::size_t n = Utf8Length(text_, pos_);
      if (n == 0) Fail("bytes that are not UTF-8");
      for (std::size_t k = 0; k < n; ++k) {
        out += text_[pos_];
        Advance();
      }
    }
  }

  const std::string& text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int column_ = 1;
};

TJsonValue ParseJson(const std::string& text) { return TJsonParser(text).Document(); }

}  // namespace korvane::interchange
