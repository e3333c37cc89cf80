// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first step: what the compound is made of. Its carbons and the bonds
// between them, each other atom read as a group on a carbon (=O, -OH, -NH2,
// ≡N, a halogen) or as an O or N that joins carbon skeletons; then the
// skeletons that may hold the main chain, each with the others as groups on it.

#include "chemistry/naming/Model.h"
#include "chemistry/structure/Structure.h"

#include <vector>

namespace chemistry::naming {

// An O between two carbons; when one of them is a carbonyl's, it is an ester's
// and `a` is that carbon.
struct Link {
    int a = 0, b = 0;
    bool ester = false;
};

struct Perceived {
    std::vector<std::vector<Neighbour>> bonds; // between carbons, renumbered from 0
    std::vector<std::vector<Attachment>> on;
    std::vector<Link> links;
    // Non-empty when the compound is an amine with two or three alkyls on its
    // N: their lengths, and nothing else is there.
    std::vector<int> amineAlkyls;
};

OrUnnamed<Perceived> perceive(const Structure&);

// Each skeleton that can be the main one, with every other skeleton joined to
// it as an alkoxy or an ester's alkyl. Never empty.
OrUnnamed<std::vector<Tree>> mainSkeletons(const Perceived&);

// A branch off `from` into `into` that is a plain alkyl: unbranched, saturated,
// nothing on it. Its length, or 0 when it is not one.
int plainAlkylLength(const Tree&, int from, int into);

} // namespace chemistry::naming
