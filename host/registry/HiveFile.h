#pragma once

// The hive's file on disk: reading it, an exclusive lock that writers of every
// process take, and the atomic replace that makes a crash leave either the
// old or the new file. Errors raise ERegistryException naming the file and
// the cause.
//
// A path that is a symbolic link leads, once, when the object is made, to
// the file it names (see HivePath.h for the rule a link must pass, the
// system's rule for links in shared folders, applied whatever its
// setting): that file is read and replaced, and the lock and temporary
// files live beside it, so a link (into a dotfiles repository, say) stays a
// link, and a link to a file yet to be made makes it at the first write.
// A path that names anything but a regular file (a FIFO, a device, a
// socket, a folder) is refused then, as is one that names the store's own
// files (a writer's temporary file, a registry file's lock), and nothing is
// ever opened in a way that could block. A file without any write
// permission bit is read-only, for root too, as editors treat it. A
// replaced file keeps its mode and, where the system allows, its owner.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// No registry file comes near this size: a larger one is refused unread.
constexpr std::size_t HiveMaxFileSize = std::size_t{256} << 20;
// How much of a file is read to check its header before the rest.
constexpr std::size_t HiveHeadSize = 4096;

// How long a writer waits for another process's lock: after NoticeAfter it
// says so once through Notice (when set), after GiveUpAfter it gives up.
struct HiveLockWait {
  std::chrono::milliseconds NoticeAfter{1000};
  std::chrono::milliseconds GiveUpAfter{10000};
  std::function<void(const std::string&)> Notice;
};

class HiveFile {
 public:
  // NewFileMode is the mode a file gets when a replace creates it.
  explicit HiveFile(std::string Path, mode_t NewFileMode = 0600);

  // The path as given, and the file it names after links are followed (the
  // path itself when it holds no link).
  const std::string& Path() const { return FPath; }
  const std::string& Target() const { return FTarget; }
  // The lock lives in its own file beside the target. Locking the hive itself
  // would not work: the replace gives the hive a new inode, so a second
  // writer could lock the old one after the first writer renamed over it.
  const std::string& LockPath() const { return FLockPath; }

  // The file's bytes, or nothing when it does not exist. CheckHead, when
  // given, sees the first HiveHeadSize bytes (with Whole set when that is
  // the whole file) before the rest is read, and raises to refuse them. A
  // file larger than HiveMaxFileSize, or one that does not fit in memory,
  // is refused with an ERegistryException naming it.
  using THeadCheck = std::function<void(const std::string& Head, bool Whole)>;
  std::optional<std::string> Read(const THeadCheck& CheckHead = {}) const;

  // Raises ERegistryException telling why a replace cannot succeed now: the
  // file is read-only or no longer a regular file, the lock file cannot be
  // used, or the folder is missing or cannot be written. Nothing is left
  // behind.
  void CheckWritable() const;

  // Holds the exclusive lock while it lives. Waits as Wait says; raises
  // ERegistryException naming the lock file when it gives up.
  class TLock {
   public:
    TLock(const HiveFile& File, const HiveLockWait& Wait);
    ~TLock();
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;

   private:
    int FFd;
  };

  // Removes the temporary files that writers killed in the middle of a
  // replace left beside the target: regular files of the writer's own whose
  // name has this file's temporary pattern and that no living writer holds.
  // Nothing else is ever removed, whatever its name. A writer holds its
  // temporary file from before the file has a name until it is renamed, so
  // no remover, whatever lock it holds or lacks, can take a living writer's.
  void RemoveLeftovers() const;
  // Whether Name (without a folder) has the pattern of any file's temporary
  // files: ".NAME.tabulon-XXXXXX.tmp".
  static bool IsTempName(const std::string& Name);

  // Writes Bytes to a temporary file beside the target, flushes it to disk,
  // renames it over the target and flushes the folder. A writer of the hive
  // holds the lock. On failure the temporary file is removed and the target
  // is as it was.
  void Replace(const std::string& Bytes) const;

  // Called with the temporary file's path after it is written and flushed,
  // just before the rename. Tests use it to stand for a crash at the one
  // moment that matters; an exception from it aborts the replace.
  void SetBeforeRename(std::function<void(const std::string&)> Hook) {
    FBeforeRename = std::move(Hook);
  }

 private:
  [[noreturn]] void FailWrite(const std::string& Why, int Err = 0) const;
  // Why no file could be made in the folder, Err being the system's reason.
  std::string FolderProblem(int Err) const;
  // The lock file's descriptor, not locked yet.
  int OpenLock() const;
  // A new temporary file in the folder, locked; TempPath is its name, or ""
  // while it has none (see Replace). -1, with errno set, when none can be
  // made.
  int MakeTemp(std::string& TempPath) const;
  // Gives the unnamed temporary file Fd a name of the temporary pattern.
  void NameTemp(int Fd, std::string& TempPath) const;

  std::string FPath;
  std::string FTarget;
  std::string FLockPath;
  std::string FFolder;
  std::string FTempPrefix;  // a temporary file's name before its six random characters
  mode_t FNewFileMode;
  std::function<void(const std::string&)> FBeforeRename;
};
