#pragma once

// Where a path to a hive file, or to an export, leads. Each symbolic link on
// the way is followed by the rule that Linux applies when its
// fs.protected_symlinks setting is on, whatever the setting is: a link in a
// sticky, world-writable folder (/tmp, say) is followed only when it
// belongs to the writer or to the folder's owner, for root too, so that a
// link another user planted there cannot turn a save into a write to a
// file of the writer's elsewhere. What the walk found is then opened by
// name without following anything, so a link put in its place later is
// refused rather than followed.

#include <string>

struct THivePath {
  // The file: the path as given when no link was on the way, else the path
  // the links lead to, from the root and without a link in it.
  std::string Target;
  std::string Folder;  // Target's folder ("." for a bare name)
  std::string Name;    // Target's last name
  bool ThroughLink = false;
};

// Raises ERegistryException naming Path for a link that the rule above
// does not let this writer follow, and for links that loop. A folder on
// the way that is missing or cannot be looked into is no error here: the
// file is then missing for a reader, and a writer says why it cannot
// write.
THivePath ResolveHivePath(const std::string& Path);
