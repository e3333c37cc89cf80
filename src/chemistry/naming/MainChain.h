// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The second and third steps: the main chain (it holds the principal groups,
// then as many multiple bonds as it can, then it is the longest, then it has
// the most substituents) and its numbering (lowest locants to the principal
// groups, then to the multiple bonds together, double before triple, then to
// the prefixes together, then to the prefix first in alphabetical order).

#include "chemistry/naming/ChainReading.h"
#include "chemistry/naming/Model.h"

#include <vector>

namespace chemistry::naming {

struct Numbered {
    Chain chain;
    ChainReading reading;
};

OrUnnamed<Numbered> numberedMainChain(const std::vector<Tree>&);

// The tree a chain stands for again, its Alkyl branches made carbons.
Tree treeOf(const Chain&);

} // namespace chemistry::naming
