// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A numbered main chain read as the pieces of a name: the principal group and
// its locants, the multiple bonds, the prefixes, and the kind of compound.

#include "chemistry/naming/Grammar.h"
#include "chemistry/naming/Model.h"

#include <utility>
#include <vector>

namespace chemistry::naming {

struct ChainReading {
    int length = 0;
    Principal principal = Principal::None;
    std::vector<int> principalLocants; // sorted; an amine's are among the prefixes too
    int esterAlkyl = 0;
    std::vector<int> doubles, triples;            // sorted locants
    std::vector<std::pair<Prefix, int>> prefixes; // alphabetical, then by locant
    std::string_view kind; // "αλκοόλη", "υδρογονάνθρακας"…

    // The locants numbering compares, in the order it compares them.
    std::vector<std::vector<int>> numberingKey() const;
};

// The group a compound is named after: the highest in priority on any carbon.
Principal principalOf(const Tree&);

// The principal group an attachment is, standing at a chain's end or not.
Principal roleOf(const Attachment&, bool atEnd);

// What an =O at chain position `i` is: an aldehyde's at an end, else a ketone's.
bool isAldehydeAt(const Chain&, int i);

// A two-carbon chain has one place for a multiple bond: its locant tells nothing.
inline bool bondLocantsTell(const ChainReading& r) {
    return r.length > 2;
}

OrUnnamed<ChainReading> readChain(const Chain&, Principal);

} // namespace chemistry::naming
