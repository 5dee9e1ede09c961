#include "interchange/safe_write.h"

#include "line/messages.h"

namespace korvane::interchange {

void WriteBytesFile(const std::string& path, const std::string& bytes, TFileSystem& fs) {
  const std::string target = fs.ResolveLinks(path);
  std::string temporary;
  const int handle = fs.CreateTemporary(target, temporary);
  if (handle < 0) throw CannotCreateFileError(path);
  bool ok = fs.Write(handle, bytes.data(), bytes.size());
  ok = ok && fs.CopyPermissions(handle, target);
  ok = ok && fs.Sync(handle);
  ok = fs.Close(handle) && ok;
  ok = ok && fs.Rename(temporary, target);
  if (!ok) {
    fs.Remove(temporary);
    throw CannotCreateFileError(path);
  }
  fs.SyncFolderOf(target);
}

}  // namespace korvane::interchange
