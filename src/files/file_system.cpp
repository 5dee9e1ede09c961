#include "file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace korvane {

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

class TSystemFileSystem final : public TFileSystem {
public:
  bool ReadFile(const std::string& path, std::string& bytes) override {
    // Non-blocking, so that opening a pipe nobody writes to returns at once; only a
    // regular file is read, since a device such as /dev/zero never ends.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd);
      return false;
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        ::close(fd);
        return false;
      }
      contents.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    bytes = std::move(contents);
    return true;
  }

  int CreateTemporary(const std::string& target, std::string& temporaryPath) override {
    const std::size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    // The temporary's name adds 8 bytes; shortened, a target of the longest allowed
    // name still gets one beside it.
    constexpr std::size_t kLongestName = 255 - 8;
    if (name.size() > kLongestName) name.resize(kLongestName);
    std::string pattern = folder + "." + name + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    temporaryPath = buffer.data();
    return fd;
  }

  bool Write(int handle, const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t n = ::write(handle, data, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  }

  bool CopyPermissions(int handle, const std::string& target) override {
    struct stat info {};
    mode_t mode;
    if (::stat(target.c_str(), &info) == 0) {
      mode = info.st_mode & 07777;
    } else {
      // A new document gets what any new file would get.
      const mode_t mask = ::umask(0);
      ::umask(mask);
      mode = 0666 & ~mask;
    }
    return ::fchmod(handle, mode) == 0;
  }

  bool Sync(int handle) override { return ::fsync(handle) == 0; }

  bool Close(int handle) override { return ::close(handle) == 0; }

  bool Rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  void SyncFolderOf(const std::string& path) override {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
  }

  void Remove(const std::string& path) override { ::unlink(path.c_str()); }

  std::string ResolveLinks(const std::string& path) override {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    std::string result(resolved);
    std::free(resolved);
    return result;
  }
};

}  // namespace

TFileSystem& SystemFileSystem() {
  static TSystemFileSystem system;
  return system;
}

}  // namespace korvane
