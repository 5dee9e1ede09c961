#include "interchange/json_text.h"

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

}  // namespace korvane::interchange
