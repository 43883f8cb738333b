#pragma once

// What a package module tells the IDE that loads it: the information the
// IDE checks before it calls the package's Register, and the entry points it
// looks the module up by. A package module exports both entries with C
// linkage so that the IDE can find them by name.

#include <string>
#include <vector>

enum TPackageFlag : unsigned {
  pfNeverBuild = 1 << 0,  // the IDE never rebuilds the package by itself
  pfDesignOnly = 1 << 1,  // a design-time package
  pfRunOnly = 1 << 2,     // a run-time package
};

struct TPackageInfo {
  std::string Name;         // "Tabulon"
  std::string Description;  // shown by the IDE's package list
  unsigned Flags = 0;
  int HostVersion = 0;                // the IDE version it was built for
  std::vector<std::string> Requires;  // host packages, in order
  std::vector<std::string> Contains;  // units, in order
  std::string FileVersion = "1.0.0.0";
  std::string ProductVersion = "1.0.0.0";
};

// The names under which the IDE finds the two entries of a package module.
constexpr const char* PackageInfoEntryName = "TabulonPackageInfo";
constexpr const char* PackageRegisterEntryName = "TabulonPackageRegister";

using TPackageInfoEntry = const TPackageInfo* (*)();
using TPackageRegisterEntry = void (*)();

// An optional third entry: a package may describe the state of an expert it
// registered, as a JSON object in UTF-8, for tools that inspect the IDE.
constexpr const char* PackageDescribeEntryName = "TabulonDescribeExpert";
class TIExpert;
using TPackageDescribeEntry = const char* (*)(TIExpert* Expert);
