#pragma once

// The component-palette pages of a default Enterprise installation of each
// IDE version, in the order the IDE shows them.

#include <string>
#include <vector>

// The stock pages of the given IDE version (5, 6 or 7); empty for others.
std::vector<std::string> StockPalette(int Version);

// The run-time and design-time packages that the given IDE version provides
// to the packages it loads, as a package's "requires" clause names them.
std::vector<std::string> ProvidedPackages(int Version);

// The components on a stock page of the given IDE version, in the order the
// palette shows them; empty for a page that is not one of that version's.
std::vector<std::string> StockComponents(int Version, const std::string& Page);
