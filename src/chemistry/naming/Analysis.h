// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The naming steps run in order on a structure: what a name and the names a
// school also accepts are both written from.

#include "chemistry/naming/MainChain.h"
#include "chemistry/naming/Writing.h"
#include "chemistry/structure/Structure.h"

#include <vector>

namespace chemistry::naming {

struct Analysis {
    std::vector<int> amineAlkyls; // an amine with alkyls on its N; then nothing else below
    Numbered numbered;
    Locants locants = Locants::Written;
};

OrUnnamed<Analysis> analyse(const Structure&);

// Whether every other placement of the chain's groups and multiple bonds on
// it gives this very compound, or a compound of another main chain or
// another kind; then the locants say nothing and are all left out.
bool locantsMayBeLeftOut(const Numbered&);

// "διμεθυλ", "αιθυλομεθυλ": the alkyls of an amine or an ether, alphabetical.
std::string alkylsOnNitrogen(std::vector<int> lengths);

} // namespace chemistry::naming
