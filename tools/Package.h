#pragma once

// The add-in's package as the simulator sees it: where the module of this
// host build lies, and what its inspection entry says of its expert.

#include <optional>
#include <string>

#include "Json.h"
#include "PackageLoader.h"

// <dir of this program>/../packages/host<N>/Tabulon.bpl: where the build and
// an installation put the module of this host version.
std::string DefaultPackagePath();

// The state of the package's expert as its inspection entry describes it;
// nothing when the package has no such entry or registered no expert.
std::optional<TJson> DescribePackage(TPackageLoader& Loader, const TLoadedPackage& Package);
