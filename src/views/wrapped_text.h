// A box's text and how it wraps. Measuring text is most of the cost of a layout, and a
// view lays its whole diagram out again after every move although few boxes change, so
// each view remembers how the sentences it showed last wrapped.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/statement.h"

namespace korvane {

/// A box's lines and the width of its text, which is all a layout needs from measuring.
struct TWrapped {
  QStringList Lines;
  int Width = 0;
};

/// text wrapped to width with metrics.
[[nodiscard]] TWrapped WrapText(const QString& text, int width, const QFontMetrics& metrics);

/// A statement's sentence as its box shows it: without the parentheses that enclose a warrant.
[[nodiscard]] QString BoxText(const TStatement* statement);

/// The wraps of box texts one view measured, by sentence bytes, width and face. Looking
/// a sentence up neither decodes it nor builds a key. Once the memo holds more than
/// twice as many wraps as the diagram last laid out has boxes, what that layout did not
/// look up is forgotten, so memory follows the diagrams shown.
class TWrapMemo {
public:
  /// Starts a layout in font (whose four faces are told apart by face); a different
  /// font than before forgets everything.
  void Begin(const QString& fontKey);
  /// The box text of statement wrapped to width in face, measured with metrics when not
  /// remembered. The reference holds until the next call.
  [[nodiscard]] const TWrapped& Wrapped(const TStatement& statement, int width, std::uint8_t face,
                                        const QFontMetrics& metrics);
  /// Ends the layout begun last, which drew boxes boxes (looked up or not).
  void End(std::size_t boxes);

  [[nodiscard]] std::size_t Size() const { return size_; }

private:
  struct TVariant {
    int Width = 0;
    std::uint8_t Face = 0;
    std::uint32_t Used = 0;
    TWrapped Wrapped;
  };
  struct THash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  using TMap = std::unordered_map<std::string, std::vector<TVariant>, THash, std::equal_to<>>;

  void Sweep();

  TMap sentences_;
  QString fontKey_;
  std::uint32_t layout_ = 0;
  std::size_t size_ = 0;  // variants remembered
  TWrapped scratch_;      // long sentences are measured each time rather than kept
};

}  // namespace korvane
