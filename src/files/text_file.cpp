#include "text_file.h"

#include "line/messages.h"

namespace korvane {

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(bytes, start, i - start);
      i += (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < n) lines.emplace_back(bytes, start, n - start);
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

std::vector<std::string> ReadTextFile(const std::string& path, TFileSystem& fs) {
  std::string bytes;
  if (!fs.ReadFile(path, bytes)) throw CannotOpenFileError(path);
  return SplitLines(bytes);
}

void WriteTextFile(const std::string& path, const std::vector<std::string>& lines, TFileSystem& fs) {
  WriteBytesFile(path, JoinLines(lines), fs);
}

void WriteBytesFile(const std::string& path, const std::string& bytes, TFileSystem& fs) {
  // Through a link, the file it names is replaced, not the link.
  const std::string target = fs.ResolveLinks(path);
  std::string temporary;
  const int handle = fs.CreateTemporary(target, temporary);
  if (handle < 0) throw CannotCreateFileError(path);
  bool ok = fs.Write(handle, bytes.data(), bytes.size());
  ok = ok && fs.CopyPermissions(handle, target);
  ok = ok && fs.Sync(handle);
  // Closed whatever happened, so no handle is left open.
  ok = fs.Close(handle) && ok;
  ok = ok && fs.Rename(temporary, target);
  if (!ok) {
    fs.Remove(temporary);
    throw CannotCreateFileError(path);
  }
  fs.SyncFolderOf(target);
}

}  // namespace korvane
