#include "views/diagram_svg.h"

#include <QBuffer>
#include <QFontMetrics>
#include <array>

namespace korvane {

namespace {

// Buffered output; one write to the device per this many bytes.
constexpr qsizetype kChunk = 1 << 20;

class TSvgOut {
public:
  explicit TSvgOut(QIODevice& device) : device_(device) { buffer_.reserve(kChunk + 4096); }

  TSvgOut& operator<<(const char* text) {
    buffer_.append(text);
    return Flushed();
  }
  TSvgOut& operator<<(const QByteArray& bytes) {
    buffer_.append(bytes);
    return Flushed();
  }
  TSvgOut& operator<<(char c) {
    buffer_.append(c);
    return *this;
  }
  TSvgOut& operator<<(double value) { return *this << QByteArray::number(value, 'g', 10); }
  TSvgOut& operator<<(int value) { return *this << QByteArray::number(value); }

  [[nodiscard]] bool Finish() {
    Write();
    return ok_;
  }

private:
  TSvgOut& Flushed() {
    if (buffer_.size() >= kChunk) Write();
    return *this;
  }
  void Write() {
    if (ok_ && !buffer_.isEmpty()) ok_ = device_.write(buffer_) == buffer_.size();
    buffer_.clear();
  }

  QIODevice& device_;
  QByteArray buffer_;
  bool ok_ = true;
};

QByteArray Colour(const QColor& c) { return c.name(QColor::HexRgb).toLatin1(); }

// Text as XML character data; characters XML cannot hold become the replacement character.
QByteArray Escaped(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    const char16_t u = c.unicode();
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      out += c;
      out += text.at(++i);
    } else if (u == '&') {
      out += QLatin1String("&amp;");
    } else if (u == '<') {
      out += QLatin1String("&lt;");
    } else if (u == '>') {
      out += QLatin1String("&gt;");
    } else if ((u < 0x20 && u != '\t') || c.isSurrogate() || u == 0xFFFE || u == 0xFFFF) {
      out += QChar(QChar::ReplacementCharacter);
    } else {
      out += c;
    }
  }
  return out.toUtf8();
}

QByteArray Dash(TPenStyle style) { return style == TPenStyle::Dotted ? " stroke-dasharray=\"1 1\"" : ""; }

int Sign(int v) { return (v > 0) - (v < 0); }

void WriteBox(TSvgOut& out, const TDiagramBox& box) {
  const QRect r = box.Rect.normalized();
  out << "<rect x=\"" << r.x() << "\" y=\"" << r.y() << "\" width=\"" << r.width() << "\" height=\"" << r.height()
      << "\" fill=\"" << Colour(box.Fill) << "\"/>\n";
  if (r.width() <= 1 || r.height() <= 1) return;
  // The outline runs along the middle of the box's outermost pixels.
  out << "<rect x=\"" << r.x() + 0.5 << "\" y=\"" << r.y() + 0.5 << "\" width=\"" << r.width() - 1 << "\" height=\""
      << r.height() - 1 << "\" fill=\"none\" stroke=\"" << Colour(box.Pen) << '"' << Dash(box.PenStyle) << "/>\n";
}

// From the outer edge of the first pixel to the edge of the end point, which is not part of
// the line, so the line covers exactly its pixels and a dotted one starts with a dot.
void WriteLine(TSvgOut& out, const TDiagramLine& line) {
  if (line.From == line.To) return;
  const int dx = Sign(line.To.x() - line.From.x());
  const int dy = Sign(line.To.y() - line.From.y());
  const QPointF from = QPointF(line.From) + QPointF(0.5 - 0.5 * dx, 0.5 - 0.5 * dy);
  const QPointF to = QPointF(line.To) + QPointF(0.5 - 0.5 * dx, 0.5 - 0.5 * dy);
  out << "<line x1=\"" << from.x() << "\" y1=\"" << from.y() << "\" x2=\"" << to.x() << "\" y2=\"" << to.y()
      << "\" stroke=\"" << Colour(line.Pen) << '"' << Dash(line.PenStyle) << "/>\n";
}

void WriteText(TSvgOut& out, const TDiagramLayout& layout, const TDiagramText& text, int ascent) {
  const QFont font = layout.TextFont(text);
  out << "<text x=\"" << text.Position.x() << "\" y=\"" << text.Position.y() + ascent << "\" font-family=\""
      << Escaped(font.family()) << "\" font-size=\"" << font.pixelSize() << "px\"";
  if (text.Bold) out << " font-weight=\"bold\"";
  if (text.Italic) out << " font-style=\"italic\"";
  out << " fill=\"" << Colour(text.Colour) << "\" xml:space=\"preserve\">" << Escaped(text.Text) << "</text>\n";
}

QByteArray IconPng(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png.toBase64();
}

}  // namespace

bool WriteDiagramSvg(const TDiagramLayout& layout, const TStatusIconsImageList& icons, QIODevice& device) {
  const int width = std::max(layout.Width, 1);
  const int height = std::max(layout.Height, 1);
  TSvgOut out(device);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\""
      << " width=\"" << width << "\" height=\"" << height << "\" viewBox=\"0 0 " << width << ' ' << height << "\">\n"
      << "<title>Korvane diagram</title>\n<defs>\n";
  // Each icon once; every box refers to it.
  for (int k = 0; k < TStatusIconsImageList::kCount; ++k)
    out << "<image id=\"icon" << k << "\" width=\"16\" height=\"16\" image-rendering=\"optimizeSpeed\""
        << " xlink:href=\"data:image/png;base64," << IconPng(icons.Image(k)) << "\"/>\n";
  out << "</defs>\n<rect x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height << "\" fill=\"#ffffff\"/>\n"
      << "<g shape-rendering=\"crispEdges\" stroke-width=\"1\">\n";
  const std::array<int, 4> ascents = TextAscents(layout.Font);
  for (const TDiagramItem& item : layout.Order) {
    const auto i = static_cast<std::size_t>(item.Index);
    switch (item.Kind) {
      case TDiagramItem::TKind::Box: WriteBox(out, layout.Boxes[i]); break;
      case TDiagramItem::TKind::Line: WriteLine(out, layout.Lines[i]); break;
      case TDiagramItem::TKind::Text: {
        const TDiagramText& text = layout.Texts[i];
        WriteText(out, layout, text, ascents[TextStyle(text.Bold, text.Italic)]);
        break;
      }
      case TDiagramItem::TKind::Icon: {
        const TDiagramIcon& icon = layout.Icons[i];
        out << "<use xlink:href=\"#icon" << icon.Index << "\" x=\"" << icon.Position.x() << "\" y=\""
            << icon.Position.y() << "\"/>\n";
        break;
      }
    }
  }
  out << "</g>\n</svg>\n";
  return out.Finish();
}

}  // namespace korvane
