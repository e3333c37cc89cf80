// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the naming steps pass each other: a carbon skeleton with everything
// that is not a skeleton carbon as an attachment on one of its carbons, and
// the main chain taken out of it, numbered.

#include <string>
#include <variant>
#include <vector>

namespace chemistry::naming {

// What can hang on a carbon. An aldehyde and a ketone are the same =O: which
// one it is depends on where it stands, which changes as groups move.
enum class Attach {
    Oxo,     // =O
    Hydroxy, // -OH
    Amino,   // -NH2
    Acid,    // =O and -OH on one carbon
    Ester,   // =O and -O-R on one carbon; `carbons` is R's length
    Nitrile, // ≡N
    Fluoro,
    Chloro,
    Bromo,
    Iodo,
    Alkoxy, // -O-R, R a plain chain of `carbons`
    Alkyl,  // a plain chain of `carbons`, once the main chain is chosen
};

struct Attachment {
    Attach kind = Attach::Oxo;
    int carbons = 0;
    bool operator==(const Attachment&) const = default;
    auto operator<=>(const Attachment&) const = default;
};

// The bonds an attachment takes from its carbon.
int bondsTaken(const Attachment&);

struct Neighbour {
    int carbon = 0;
    int order = 1;
};

// One connected carbon skeleton: the main chain is a path in it.
struct Tree {
    std::vector<std::vector<Neighbour>> bonds;
    std::vector<std::vector<Attachment>> on;
    int size() const { return int(bonds.size()); }
};

// A chain numbered from 1: carbon i (from 0) holds on[i]; bondOrder[i] joins
// carbon i to carbon i + 1. Branches are Alkyl attachments.
struct Chain {
    std::vector<int> bondOrder;
    std::vector<std::vector<Attachment>> on;
    int length() const { return int(on.size()); }
};

// The principal groups in falling priority; None for a compound without one.
enum class Principal { Acid, Ester, Nitrile, Aldehyde, Ketone, Alcohol, Amine, None };

// Either a value or why the compound cannot be named (a full sentence).
template <typename T> using OrUnnamed = std::variant<T, std::string>;

} // namespace chemistry::naming
