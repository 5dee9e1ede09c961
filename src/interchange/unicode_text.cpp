#include "interchange/unicode_text.h"

namespace korvane::interchange {

std::size_t Utf8Length(const std::string& s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  std::size_t n;
  unsigned min;
  unsigned cp;
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) {
    n = 2;
    cp = b & 0x1F;
    min = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    n = 3;
    cp = b & 0x0F;
    min = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    n = 4;
    cp = b & 0x07;
    min = 0x10000;
  } else
    return 0;
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

void AppendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string AsUtf8(const std::string& s) {
  if (IsValidUtf8(s)) return s;
  std::string out;
  out.reserve(s.size() * 2);
  for (char c : s) AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

bool Latin1Bytes(const std::string& text, std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = Utf8Length(text, i);
    if (n == 0 || n > 2) return false;
    const auto b0 = static_cast<unsigned char>(text[i]);
    const unsigned cp = n == 1 ? b0 : ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
    if (cp > 0xFF) return false;
    out += static_cast<char>(cp);
    i += n;
  }
  bytes = std::move(out);
  return true;
}

}  // namespace korvane::interchange
