#include "app/document_caption.h"

#include "views/sentence_text.h"

namespace korvane {

std::string FileNameWithoutFolder(const std::string& path) {
  const std::size_t last = path.find_last_of("\\:/");
  std::string name = last == std::string::npos ? path : path.substr(last + 1);
  if (name.size() > 255) {
    // Never cut a UTF-8 character in two.
    std::size_t end = 255;
    while (end > 252 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    name.resize(end);
  }
  return name;
}

QString NewDocumentCaption() { return QStringLiteral("Korvane - New line of argumentation"); }

QString DocumentCaption(const std::string& path) {
  return QStringLiteral("Korvane - ") + SentenceToDisplay(FileNameWithoutFolder(path));
}

}  // namespace korvane
