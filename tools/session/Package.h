#pragma once

// The add-in's package as the simulator sees it: where the module of this
// host build lies, and what its inspection entry says of its expert.

#include <memory>
#include <string>

#include "AddinDescription.h"
#include "PackageLoader.h"

// Where the module of this host version lies, seen from this program's
// folder: <bin>/../lib/tabulon/host<N>/Tabulon.bpl in an installed tree,
// <build>/packages/host<N>/Tabulon.bpl in the build tree. The first that
// exists; the installed place when neither does, so a message names it.
std::string DefaultPackagePath();

// The state of the package's expert as its inspection entry describes it;
// nullptr when the package has no such entry or registered no expert.
std::unique_ptr<TAddinDescription> DescribePackage(TPackageLoader& Loader,
                                                   const TLoadedPackage& Package);
