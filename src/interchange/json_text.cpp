#include "interchange/json_text.h"

#include <ostream>
#include <sstream>

#include "interchange/unicode_text.h"

namespace korvane::interchange {

namespace {

constexpr const char* kHex = "0123456789abcdef";

void AppendControl(std::string& out, unsigned char c) {
  out += "\\u00";
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

void AppendEscaped(std::string& out, unsigned char c) {
  switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
  }
  if (c < 0x20 || c == 0x7F)
    AppendControl(out, c);
  else
    out += static_cast<char>(c);
}

const TJsonLayout& MemberLayout(const TJsonLayout& layout, const std::string& name) {
  static const TJsonLayout kInline;
  for (const auto& [key, member] : layout.Members)
    if (key == name) return member;
  return kInline;
}

// Recursive: the documents written are a few levels deep; arbitrarily deep ones (expanded
// argument trees) go through WriteItem.
void Write(std::ostream& out, const TJson& value, const TJsonLayout& layout) {
  if (value.is_string()) {
    out << JsonString(value.get_ref<const std::string&>());
  } else if (value.is_object()) {
    out << '{';
    bool first = true;
    for (const auto& [name, member] : value.items()) {
      out << (first ? layout.First : layout.Separator) << JsonString(name) << ": ";
      Write(out, member, MemberLayout(layout, name));
      first = false;
    }
    out << layout.Close << '}';
  } else if (value.is_array()) {
    out << '[';
    static const TJsonLayout kInline;
    for (std::size_t i = 0; i < value.size(); ++i) {
      out << (i ? layout.Separator : layout.First);
      if (layout.WriteItem)
        layout.WriteItem(out, i);
      else
        Write(out, value[i], kInline);
    }
    out << layout.Close << ']';
  } else {
    out << value.dump();
  }
}

}  // namespace

std::string JsonString(const std::string& bytes) {
  std::string out = "\"";
  if (IsValidUtf8(bytes)) {
    for (char c : bytes) AppendEscaped(out, static_cast<unsigned char>(c));
  } else {
    for (char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80)
        AppendEscaped(out, b);
      else if (b < 0xA0)
        AppendControl(out, b);  // C1 controls, escaped like the C0 ones
      else
        AppendUtf8(out, b);
    }
  }
  out += '"';
  return out;
}

void WriteJsonText(std::ostream& out, const TJson& value, const TJsonLayout& layout) { Write(out, value, layout); }

std::string JsonText(const TJson& value, const TJsonLayout& layout) {
  std::ostringstream out;
  Write(out, value, layout);
  return out.str();
}

}  // namespace korvane::interchange
