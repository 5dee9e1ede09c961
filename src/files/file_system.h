// Every call the program makes to the file system, behind one interface, so that tests
// can make any single step fail and check that nothing is lost.
#pragma once

#include <cstddef>
#include <string>

namespace korvane {

class TFileSystem {
public:
  virtual ~TFileSystem() = default;

  /// The whole contents of a regular file; false when it is missing, a folder or unreadable.
  virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
  /// Creates a new, empty file in the folder of target, under a name no other file has;
  /// returns a handle, or -1.
  virtual int CreateTemporary(const std::string& target, std::string& temporaryPath) = 0;
  /// Writes all of data; false on any failure.
  virtual bool Write(int handle, const char* data, std::size_t size) = 0;
  /// Gives the file the permissions target has, or those of a new file when target does not exist.
  virtual bool CopyPermissions(int handle, const std::string& target) = 0;
  /// Flushes the file's contents to the disk.
  virtual bool Sync(int handle) = 0;
  virtual bool Close(int handle) = 0;
  /// Replaces to by from in one step.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  /// Flushes the folder holding path, so that a rename survives a crash.
  virtual void SyncFolderOf(const std::string& path) = 0;
  virtual void Remove(const std::string& path) = 0;
  /// The file a path names, following symbolic links; the path itself when it names none.
  [[nodiscard]] virtual std::string ResolveLinks(const std::string& path) = 0;
};

/// The operating system's file system.
[[nodiscard]] TFileSystem& SystemFileSystem();

}  // namespace korvane
