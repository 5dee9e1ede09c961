#include "interchange/json_reader.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <tuple>

#include <nlohmann/json.hpp>

#include "interchange/unicode_text.h"

namespace korvane::interchange {

namespace {

// The library says how far it has read only in its errors; this iterator counts the bytes
// it takes, so every value can be placed.
class TCountingIterator {
public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TCountingIterator(const char* at, std::size_t* taken) : at_(at), taken_(taken) {}
  reference operator*() const { return *at_; }
  TCountingIterator& operator++() {
    ++at_;
    ++*taken_;
    return *this;
  }
  TCountingIterator operator++(int) {
    TCountingIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const TCountingIterator& other) const { return at_ == other.at_; }
  bool operator!=(const TCountingIterator& other) const { return at_ != other.at_; }

private:
  const char* at_;
  std::size_t* taken_;
};

// The 1-based line and column of a byte offset; columns count characters, not the
// continuation bytes of one.
std::pair<int, int> LineAndColumn(const std::string& text, std::size_t offset) {
  int line = 1;
  int column = 1;
  for (std::size_t i = 0; i < std::min(offset, text.size()); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return {line, column};
}

// "[json.exception.parse_error.101] parse error at line 1, column 2: syntax error while
// parsing value - invalid literal; ..." -> "invalid literal; ...": the place is given in
// our own terms (columns in characters), and what was being parsed says little.
std::string Reason(const std::string& what) {
  std::string reason = what;
  if (reason.rfind("[json.exception.", 0) == 0) reason.erase(0, reason.find("] ") + 2);
  if (reason.rfind("parse error", 0) == 0) {
    const std::size_t colon = reason.find(": ");
    if (colon != std::string::npos) reason.erase(0, colon + 2);
  }
  if (reason.rfind("syntax error while parsing ", 0) == 0) {
    const std::size_t dash = reason.find(" - ");
    if (dash != std::string::npos) reason.erase(0, dash + 3);
  }
  return AsUtf8(reason);
}

}  // namespace

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

// Receives the library's parse events and builds the values, without recursion.
class TJsonBuilder : public nlohmann::json::json_sax_t {
public:
  explicit TJsonBuilder(const std::string& text) : text_(text) {}

  TJsonValue Document() {
    std::size_t taken = 0;
    taken_ = &taken;
    const TCountingIterator begin(text_.data(), &taken);
    const TCountingIterator end(text_.data() + text_.size(), &taken);
    nlohmann::json::sax_parse(begin, end, this);
    return std::move(root_);
  }

  bool null() override { return Scalar(TJsonValue::TKind::Null, "null"); }
  bool boolean(bool value) override { return Scalar(TJsonValue::TKind::Bool, value ? "true" : "false"); }
  bool number_integer(number_integer_t value) override {
    return Scalar(TJsonValue::TKind::Number, std::to_string(value));
  }
  bool number_unsigned(number_unsigned_t value) override {
    return Scalar(TJsonValue::TKind::Number, std::to_string(value));
  }
  bool number_float(number_float_t, const string_t& literal) override {
    return Scalar(TJsonValue::TKind::Number, literal);
  }
  bool string(string_t& value) override { return Scalar(TJsonValue::TKind::String, std::move(value)); }
  bool binary(binary_t&) override { return false; }  // JSON text has none

  bool start_object(std::size_t) override { return Open(TJsonValue::TKind::Object); }
  bool key(string_t& name) override {
    open_.back().members_.emplace_back(std::move(name), TJsonValue());
    mark_ = *taken_;
    return true;
  }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(TJsonValue::TKind::Array); }
  bool end_array() override { return Close(); }

  bool parse_error(std::size_t position, const std::string&, const nlohmann::json::exception& error) override {
    // position counts the bytes read, the one the error is at included.
    const auto [line, column] = LineAndColumn(text_, position ? position - 1 : 0);
    throw TJsonError(line, column, Reason(error.what()));
  }

private:
  // Where the value whose first event has come starts: after the blanks and separators
  // that follow what came before it.
  TJsonValue Start(TJsonValue::TKind kind) {
    std::size_t at = mark_;
    while (at < text_.size() && std::string_view(" \t\r\n,:").find(text_[at]) != std::string_view::npos) ++at;
    TJsonValue value;
    value.kind_ = kind;
    std::tie(value.line_, value.column_) = LineAndColumn(text_, at);
    mark_ = *taken_;
    return value;
  }

  bool Scalar(TJsonValue::TKind kind, std::string text) {
    TJsonValue value = Start(kind);
    value.text_ = std::move(text);
    Attach(std::move(value));
    return true;
  }

  bool Open(TJsonValue::TKind kind) {
    if (open_.size() >= static_cast<std::size_t>(kMaxJsonDepth)) {
      const auto [line, column] = LineAndColumn(text_, *taken_ - 1);
      throw TJsonError(line, column, "nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
    }
    open_.push_back(Start(kind));
    return true;
  }

  bool Close() {
    TJsonValue value = std::move(open_.back());
    open_.pop_back();
    mark_ = *taken_;
    Attach(std::move(value));
    return true;
  }

  // Into the array or member that is open, or as the document.
  void Attach(TJsonValue value) {
    if (open_.empty())
      root_ = std::move(value);
    else if (open_.back().kind_ == TJsonValue::TKind::Array)
      open_.back().items_.push_back(std::move(value));
    else
      open_.back().members_.back().second = std::move(value);
  }

  const std::string& text_;
  std::size_t* taken_ = nullptr;
  std::size_t mark_ = 0;  // bytes read when the last event came
  std::vector<TJsonValue> open_;
  TJsonValue root_;
};

TJsonValue ParseJson(const std::string& text) { return TJsonBuilder(text).Document(); }

}  // namespace korvane::interchange
