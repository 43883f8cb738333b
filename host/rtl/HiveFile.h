#pragma once

// The hive's file on disk: reading it, an exclusive lock that writers of every
// process take, and the atomic replace that makes a crash leave either the
// old or the new file. Errors raise ERegistryException naming the file and
// the system's reason.

#include <functional>
#include <optional>
#include <string>

class HiveFile {
 public:
  explicit HiveFile(std::string Path);

  const std::string& Path() const { return FPath; }
  // The lock lives in its own file beside the hive. Locking the hive itself
  // would not work: the replace gives the hive a new inode, so a second
  // writer could lock the old one after the first writer renamed over it.
  const std::string& LockPath() const { return FLockPath; }

  // The file's bytes, or nothing when it does not exist.
  std::optional<std::string> Read() const;

  // Whether a replace can be expected to succeed: the lock file can be
  // created or opened for writing and a file can be created in the folder.
  // Nothing is left behind.
  bool CanWrite() const;

  // Holds the exclusive lock while it lives. Blocks until the lock is free.
  class TLock {
   public:
    explicit TLock(const HiveFile& File);
    ~TLock();
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;

   private:
    int FFd;
  };

  // Writes Text to a temporary file in the same folder, flushes it to disk,
  // renames it over the hive and flushes the folder. The caller holds the
  // lock. On failure the temporary file is removed and the hive is as it was.
  void Replace(const std::string& Text) const;

  // Called with the temporary file's path after it is written and flushed,
  // just before the rename. Tests use it to stand for a crash at the one
  // moment that matters; an exception from it aborts the replace.
  void SetBeforeRename(std::function<void(const std::string&)> Hook) {
    FBeforeRename = std::move(Hook);
  }

 private:
  std::string FPath;
  std::string FLockPath;
  std::string FFolder;
  std::function<void(const std::string&)> FBeforeRename;
};
