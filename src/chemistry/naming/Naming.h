// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Greek school name of an open-chain compound, and why it is so: the
// carbon atoms, the bonds between them, the kind of compound and the
// positions, each a part of the name with its reason, in the words the
// explanation window shows. Toolkit-free.

#include "chemistry/structure/Structure.h"

#include <array>
#include <string>
#include <string_view>

namespace chemistry {

// One section of the explanation: a piece of the name and why it is there.
// Both empty when the name has nothing to tell in this section.
struct NameSection {
    std::string part;
    std::string reason;
    bool operator==(const NameSection&) const = default;
};

enum Section { CarbonAtoms, CarbonBonds, CompoundKind, Positions };

struct NameResult {
    std::string name;                    // empty when the compound cannot be named
    std::array<NameSection, 4> sections; // indexed by Section
    std::string unnamed;                 // «δεν ξέρω να ονομάσω …» and why
    bool ok() const { return !name.empty(); }
};

NameResult nameCompound(const Structure&);

// Whether `name` names the compound the way a school also accepts: its own
// name, with or without locants that may be left out, or one of the newer
// styles (esters as «…ικός μεθυλεστέρας», amines as «…αμίνη», ethers as
// «…αιθέρας», locants beside the ending: «προπαν-2-όλη»). Compared after
// Unicode NFC with spaces collapsed.
bool isAcceptedName(const Structure&, std::string_view name);

// `utf8` in Unicode NFC for the letters names are written in, with runs of
// spaces made one and none at either end.
std::string normalizedName(std::string_view utf8);

} // namespace chemistry
