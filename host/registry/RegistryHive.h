#pragma once

// The hive behind every TRegistry of the process: either a file in one of
// regedit's formats (see HiveText.h) or, for tests and throw-away runs,
// memory only (":memory:"). Whoever needs a
// registry (a test, the simulator) creates one; it is the current hive while
// it lives, and TRegistry objects work on the current hive. There is no hive
// left over once it is destroyed.
//
// Changes are made to the hive's view at once, so every registry object of
// the process sees them, and are also recorded per registry object. When an
// object closes its key, its recorded changes are written: under the file's
// lock the file is read again, the changes are applied on top of what is
// there now and the result replaces the file atomically, in the format the
// file was in. Two processes that change the same file through separate
// objects therefore both keep what they wrote.
//
// A write that cannot be made is recorded (see TakeSaveFailures) for the
// host to report, since the add-in reports nothing itself, and the changes
// that it would have written are dropped, from the view too: a write the
// user was told failed is never made later behind his back.

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "HiveFile.h"
#include "HiveKey.h"
#include "HiveText.h"

// What the registry has to tell the user of its own accord, one message a
// call, without a line end: a line of the file that regedit too reads with
// a message ("warning: FILE:LINE: reason"), a wait for another process's
// lock (unless SetLockWait says otherwise), changes that a hive destroyed
// with them could not write ("Registry changes were not saved: ...").
// Messages are the host's text: its own words, names and characters from
// the file as hive text (see CodePage.h), and the file's path as it was
// given.
using THiveReport = std::function<void(const std::string& Message)>;

class RegistryHive {
 public:
  static constexpr const char* Memory = ":memory:";

  // Location is a file path or ":memory:". A missing file is an empty hive;
  // the file is created by the first change written. Raises
  // ERegistryException when the path names something other than a regular
  // file, when the file cannot be read or parsed (naming the file and the
  // line) and when another hive is current. Report, when set, takes what
  // the hive has to say (see THiveReport); by default it goes to standard
  // error, a character Windows-1251 has no byte for in UTF-8.
  explicit RegistryHive(const std::string& Location, THiveReport Report = {});
  // Writes what registry objects that are still alive have not written yet;
  // a failure is reported through the report, since a destructor cannot
  // raise.
  ~RegistryHive();
  RegistryHive(const RegistryHive&) = delete;
  RegistryHive& operator=(const RegistryHive&) = delete;

  // The hive that TRegistry uses now, or nullptr.
  static RegistryHive* Current();

  // $XDG_CONFIG_HOME/tabulon/HKEY_CURRENT_USER.reg, with ~/.config standing
  // in when XDG_CONFIG_HOME is unset, empty or relative (as the XDG base
  // directory rules say). Creates the tabulon folder (mode 0700) when
  // missing; raises ERegistryException when it cannot.
  static std::string DefaultPath();

  const std::string& Location() const { return FLocation; }
  bool InMemory() const { return !FFile.has_value(); }

  // The whole hive as REGEDIT4 text in Windows-1251 (in hive text, see
  // CodePage.h, where the code page has no byte for a character). A file
  // hive is read again first, so the text shows other processes' changes.
  std::string Text();
  // The format the file was in when last read; new files are REGEDIT4.
  HiveFormat Format() const { return FFormat; }
  // Writes the whole hive to Path in Format, atomically, as a file that
  // regedit imports and that loads as a hive. A new file gets the mode the
  // umask leaves of 0666. Raises ERegistryException when it cannot.
  void Export(const std::string& Path, HiveFormat Format);
  // Text() for people: Windows-1251 converted to UTF-8, LF line ends, and
  // control bytes (0x1F, tab, ...) shown as \x1f so they can be seen.
  std::string DisplayText();

  // See HiveFile::SetBeforeRename; a no-op for a memory hive.
  void SetBeforeRename(std::function<void(const std::string&)> Hook);
  // How writers wait for another process's lock. By default they say so
  // through the report after a second and give up after ten.
  void SetLockWait(HiveLockWait Wait) { FLockWait = std::move(Wait); }

  // The writes that failed since the last call, each as a message naming
  // the file and the reason: the settings they held were not saved.
  std::vector<std::string> TakeSaveFailures();
  // Records a save that failed before it reached the file (the file could
  // not be read when a key was opened to be written).
  void AddSaveFailure(const std::string& Message);
  // Records Message as a failed save and drops Owner's changes, from the
  // view too, as a failed write does.
  void FailSave(const void* Owner, const std::string& Message);
  // The save failure recorded last; it stays recorded.
  std::string LastSaveFailure() const { return FSaveFailures.back(); }

  // What TRegistry needs. Owner identifies the registry object whose
  // changes are recorded.
  std::uint64_t Serial() const { return FSerial; }
  // Reads the file again, when it changed since it was last read (or
  // always, with Force), and applies the changes not yet written on top.
  void Reload(bool Force = false);
  // How many times the file has been read; tests count re-reads with it.
  std::size_t FileReads() const { return FFileReads; }
  // Changes whenever keys of the view may have been made, moved or freed:
  // a registry object keeps the key it resolved while this stays the same.
  std::uint64_t Generation() const { return FGeneration; }
  const HiveKey& Root() const { return *FRoot; }
  // False, with the reason recorded as a save failure when Report is set,
  // when changes could not be written (a read-only file or folder, a
  // missing folder ...).
  bool CanWrite(bool Report = true);
  void Apply(const void* Owner, HiveOp Op);
  // Apply of a SetValue, without a HiveOp made for it: an export sets
  // hundreds of values in one key, whose path is recorded once for them.
  void SetValue(const void* Owner, const std::vector<std::string>& Path, const std::string& Name,
                Cardinal Type, std::string Data);
  // Writes Owner's recorded changes. When that raises, the failure is
  // recorded and the changes are dropped.
  void Commit(const void* Owner);
  // Forgets Owner's recorded changes (they stay in the view until the next
  // Reload).
  void Discard(const void* Owner);

 private:
  // A recorded change (see HiveOp). The changes recorded one after another
  // in one key share its path.
  struct TPending {
    const void* Owner;
    HiveOp::TKind Kind;
    std::shared_ptr<const std::vector<std::string>> Path;
    std::string Name;
    Cardinal Type;
    std::string Data;
  };
  static void ApplyPending(HiveKey& Root, const TPending& P);
  // The path recorded last when it is Path, else Path recorded anew.
  std::shared_ptr<const std::vector<std::string>> Recorded(const std::vector<std::string>& Path);

  // The tree of a file's bytes (none: the file does not exist); notes the
  // file's format.
  std::unique_ptr<HiveKey> Parse(const std::optional<std::string>& Bytes);
  // The file's bytes, its header checked before the rest is read.
  std::optional<std::string> ReadFile();
  void Replay(HiveKey& Root, const void* Skip) const;
  void WriteChanges(const void* Owner);

  std::string FLocation;
  THiveReport FReport;
  std::optional<HiveFile> FFile;
  HiveFormat FFormat = HiveFormat::Regedit4;
  HiveLockWait FLockWait;
  std::unique_ptr<HiveKey> FRoot;
  std::vector<TPending> FPending;
  std::vector<std::string> FSaveFailures;
  std::set<std::string> FWarned;
  // What the file was when it was last read: its identity, size and times.
  struct TStamp {
    bool Exists = false;
    dev_t Dev = 0;
    ino_t Ino = 0;
    off_t Size = 0;
    long long MTime = 0, CTime = 0;
    bool operator==(const TStamp&) const = default;
  };
  std::optional<TStamp> StampNow() const;
  std::optional<TStamp> FStamp;
  // The file's bytes that the view was last built from or written as (none:
  // no file), while the view is exactly those bytes parsed with the pending
  // changes applied in order. A write under the lock that reads the same
  // bytes again need not parse them: the view already is their tree.
  bool FViewExact = false;
  std::optional<std::string> FViewBytes;
  std::size_t FFileReads = 0;
  std::uint64_t FGeneration = 0;
  // The path of the last change recorded, and the key of the last value set
  // there while no other change of the view happened since (the generation
  // then is still the one it left).
  std::shared_ptr<const std::vector<std::string>> FLastPath;
  HiveKey* FLastKey = nullptr;
  std::uint64_t FLastKeyGeneration = 0;
  std::uint64_t FSerial;
};
