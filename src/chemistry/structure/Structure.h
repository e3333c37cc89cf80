// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A compound as later stages read it: its heavy atoms, the hydrogens each
// holds, and the bonds between them with their order. What the card draws is
// the notation's business; this is what the formula means. Toolkit-free.

#include "content/notation/NotationText.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chemistry {

enum class Element : std::uint8_t { C, H, O, N, S, P, F, Cl, Br, I, Na, K, Li, Mg, Ca };

// "C", "Cl", ...
std::string_view symbolOf(Element);

struct Atom {
    Element element = Element::C;
    int hydrogens = 0;
    bool operator==(const Atom&) const = default;
};

struct StructureBond {
    int from = 0; // atom indices
    int to = 0;
    int order = 1;
    bool operator==(const StructureBond&) const = default;
};

struct Structure {
    std::vector<Atom> atoms; // heavy atoms only; hydrogens counted on each
    std::vector<StructureBond> bonds;

    int addAtom(Element, int hydrogens); // returns its index
    void addBond(int from, int to, int order = 1);
    std::vector<int> neighbours(int atom) const;
    int bondOrder(int a, int b) const; // 0 when not bonded
    int bondsOf(int atom) const;       // sum of orders + hydrogens
};

struct StructureRead {
    Structure structure; // whole only when `problems` is empty
    std::vector<content::NotationProblem> problems;
    std::vector<int> columns; // where each atom was written, from 1
    bool ok() const { return problems.empty(); }
};

// Hill order: carbon, hydrogen, then the rest alphabetically ("C2H6O"); with
// no carbon, every symbol alphabetically.
std::string molecularFormula(const Structure&);

// Equal strings exactly when the two structures are one compound: the same
// atoms joined the same way, whichever atom a writing began with.
std::string canonicalForm(const Structure&);

bool sameCompound(const Structure&, const Structure&);

} // namespace chemistry
