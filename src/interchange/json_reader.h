// The JSON of the files we import, read by the JSON library into values that know where
// they start: errors name the line and column, nesting is bounded (hostile files cannot
// exhaust the stack of whoever walks the values), and bytes that are not UTF-8 are shown
// as Latin-1 in messages.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace korvane::interchange {

/// A syntax error at a 1-based line and column.
class TJsonError : public std::runtime_error {
public:
  TJsonError(int line, int column, const std::string& what);
  [[nodiscard]] int Line() const { return line_; }
  [[nodiscard]] int Column() const { return column_; }

private:
  int line_;
  int column_;
};

class TJsonValue {
public:
  enum class TKind { Null, Bool, Number, String, Array, Object };

  [[nodiscard]] TKind Kind() const { return kind_; }
  [[nodiscard]] bool Is(TKind kind) const { return kind_ == kind; }
  /// Where the value starts, 1-based.
  [[nodiscard]] int Line() const { return line_; }
  [[nodiscard]] int Column() const { return column_; }
  /// A string's UTF-8 text, a number's literal, "true"/"false"/"null".
  [[nodiscard]] const std::string& Text() const { return text_; }
  [[nodiscard]] const std::vector<TJsonValue>& Items() const { return items_; }
  [[nodiscard]] const std::vector<std::pair<std::string, TJsonValue>>& Members() const { return members_; }
  /// The first member named key of an object, or null.
  [[nodiscard]] const TJsonValue* Find(const std::string& key) const;
  /// "string", "number", ... for messages.
  [[nodiscard]] const char* KindName() const;

private:
  friend class TJsonBuilder;
  TKind kind_ = TKind::Null;
  int line_ = 1;
  int column_ = 1;
  std::string text_;
  std::vector<TJsonValue> items_;
  std::vector<std::pair<std::string, TJsonValue>> members_;
};

/// Deepest nesting of arrays and objects accepted.
inline constexpr int kMaxJsonDepth = 200;

/// Parses one JSON document (RFC 8259); throws TJsonError.
[[nodiscard]] TJsonValue ParseJson(const std::string& text);

}  // namespace korvane::interchange
