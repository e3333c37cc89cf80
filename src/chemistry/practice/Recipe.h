// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a practice compound is put together before anyone names it: a carbon
// chain, its multiple bonds, and the groups on it, each with the kind of
// place it may stand on. Drawn at random for a class, and moved about to make
// an isomer of one already drawn. Whether the result is a good exercise is
// decided afterwards, on the named compound.

#include "chemistry/practice/Classes.h"
#include "chemistry/practice/Random.h"
#include "chemistry/structure/Structure.h"

#include <optional>
#include <vector>

namespace chemistry::practice {

enum class Group {
    Alkyl, // a plain chain of `carbons`
    Fluoro,
    Chloro,
    Bromo,
    Iodo,
    Hydroxy,
    Amino,
    Oxo,     // =O
    Acid,    // =O and -OH
    Ester,   // =O and -O- with a chain of `carbons`
    Nitrile, // ≡N
    Alkoxy,  // -O- with a chain of `carbons`
    Imino,   // -NH- with a chain of `carbons`: a secondary amine
};

// Where a group may stand on the chain of `length` carbons, numbered from 0.
enum class Place { First, Last, Inside, Anywhere };

struct Placed {
    Group group = Group::Alkyl;
    int carbons = 0;
    Place place = Place::Anywhere;
    int at = 0;
};

struct MultipleBond {
    int order = 2;
    int at = 0; // between carbons at and at + 1
};

struct Recipe {
    CompoundClass wanted = CompoundClass::Alkanes;
    int length = 1;
    std::vector<MultipleBond> bonds;
    std::vector<Placed> groups;
};

Recipe drawRecipe(CompoundClass, Random&);

// The same atoms placed afresh: the bonds and groups moved, or a carbon of the
// chain made a methyl branch and back. Every atom is kept, so the compound, if
// it is one, is an isomer of the recipe's.
Recipe rearranged(const Recipe&, Random&);

// The structure, or nothing when an atom would have too many bonds.
std::optional<Structure> build(const Recipe&);

} // namespace chemistry::practice
