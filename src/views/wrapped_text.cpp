#include "views/wrapped_text.h"

#include <algorithm>

#include "views/sentence_text.h"
#include "views/word_wrap.h"

namespace korvane {

namespace {

// Long sentences are rare and would cost memory: they are measured each time.
constexpr std::size_t kLongestRemembered = 2000;
// A memo this small is never swept: switching between small diagrams measures nothing again.
constexpr std::size_t kAlwaysKept = 4096;

}  // namespace

TWrapped WrapText(const QString& text, int width, const QFontMetrics& metrics) {
  TWrapped wrapped;
  wrapped.Lines = WordWrap(text, width, metrics);
  wrapped.Width = wrapped.Lines.size() == 1 ? metrics.horizontalAdvance(wrapped.Lines.first()) : width;
  return wrapped;
}

// Required as is: first "(" and last ")" go, matching or not (pinned by tests/views/diagram_layout_test.cpp).
QString BoxText(const TStatement* statement) {
  QString text = SentenceToDisplay(statement->Sentence);
  if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'))) text = text.mid(1, text.size() - 2);
  return text;
}

void TWrapMemo::Begin(const QString& fontKey) {
  if (fontKey != fontKey_) {
    sentences_.clear();
    size_ = 0;
    fontKey_ = fontKey;
  }
  ++layout_;
}

const TWrapped& TWrapMemo::Wrapped(const TStatement& statement, int width, std::uint8_t face,
                                   const QFontMetrics& metrics) {
  if (statement.Sentence.size() > kLongestRemembered) {
    scratch_ = WrapText(BoxText(&statement), width, metrics);
    return scratch_;
  }
  auto found = sentences_.find(std::string_view(statement.Sentence));
  if (found == sentences_.end()) found = sentences_.emplace(statement.Sentence, std::vector<TVariant>()).first;
  std::vector<TVariant>& variants = found->second;
  auto variant = std::find_if(variants.begin(), variants.end(),
                              [&](const TVariant& v) { return v.Width == width && v.Face == face; });
  if (variant == variants.end()) {
    variants.push_back({width, face, 0, WrapText(BoxText(&statement), width, metrics)});
    variant = variants.end() - 1;
    ++size_;
  }
  variant->Used = layout_;
  return variant->Wrapped;
}

void TWrapMemo::End(std::size_t boxes) {
  if (size_ > kAlwaysKept + 2 * boxes) Sweep();
}

void TWrapMemo::Sweep() {
  for (auto it = sentences_.begin(); it != sentences_.end();) {
    std::vector<TVariant>& variants = it->second;
    const auto stale = std::remove_if(variants.begin(), variants.end(),
                                      [&](const TVariant& v) { return v.Used != layout_; });
    size_ -= static_cast<std::size_t>(variants.end() - stale);
    variants.erase(stale, variants.end());
    it = variants.empty() ? sentences_.erase(it) : std::next(it);
  }
}

}  // namespace korvane
