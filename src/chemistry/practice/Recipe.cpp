// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/practice/Recipe.h"

#include <algorithm>
#include <array>

namespace chemistry::practice {

namespace {

int placeAt(Place place, int length, Random& random) {
    switch (place) {
    case Place::First:
        return 0;
    case Place::Last:
        return length - 1;
    case Place::Inside:
        return length > 2 ? random.between(1, length - 2) : 0;
    case Place::Anywhere:
        break;
    }
    return random.below(length);
}

// A main chain of lo to hi carbons, the middle lengths the likeliest: the
// chains a textbook's exercises mostly have, with the short and the long
// ones still coming up.
int chainLength(Random& random, int lo, int hi) {
    return (random.between(lo, hi) + random.between(lo, hi) + 1) / 2;
}

void place(Recipe& r, Random& random) {
    for (MultipleBond& b : r.bonds)
        b.at = random.below(std::max(1, r.length - 1));
    for (Placed& g : r.groups)
        g.at = placeAt(g.place, r.length, random);
}

void add(Recipe& r, Group g, Place p, int carbons = 0) {
    r.groups.push_back({g, carbons, p, 0});
}

// A branch or a halogen on the chain: the prefixes a compound of any class
// may carry besides what makes it that class.
void addPrefixes(Recipe& r, Random& random, int most, bool halogens, bool oxygen) {
    static constexpr std::array<Group, 4> Halogens = {Group::Fluoro, Group::Chloro, Group::Bromo,
                                                      Group::Iodo};
    const int count = random.between(0, most);
    for (int i = 0; i < count; ++i) {
        const int pick = random.below(oxygen ? 10 : 8);
        if (pick < 4 || !halogens)
            add(r, Group::Alkyl, Place::Inside, random.chance(75) ? 1 : 2);
        else if (pick < 8)
            add(r, Halogens[std::size_t(random.below(4))], Place::Anywhere);
        else
            add(r, Group::Hydroxy, Place::Anywhere);
    }
}

void drawHydrocarbon(Recipe& r, Random& random, int doubles, int triples) {
    r.length = chainLength(random, std::max(1, doubles + triples + (doubles > 1 ? 2 : 1)), 8);
    for (int i = 0; i < doubles; ++i)
        r.bonds.push_back({2, 0});
    for (int i = 0; i < triples; ++i)
        r.bonds.push_back({3, 0});
    addPrefixes(r, random, 2, false, false);
}

void drawFunctional(Recipe& r, Random& random) {
    switch (r.wanted) {
    case CompoundClass::Haloalkanes:
        r.length = chainLength(random, 1, 8);
        add(r, Group(int(Group::Fluoro) + random.below(4)), Place::Anywhere);
        if (random.chance(40))
            addPrefixes(r, random, 1, true, false);
        break;
    case CompoundClass::Alcohols:
        r.length = chainLength(random, 1, 8);
        add(r, Group::Hydroxy, Place::Anywhere);
        if (random.chance(15))
            add(r, Group::Hydroxy, Place::Anywhere);
        addPrefixes(r, random, 2, true, false);
        break;
    case CompoundClass::Ethers:
        r.length = chainLength(random, 1, 8);
        add(r, Group::Alkoxy, Place::Anywhere, random.between(1, std::min(3, r.length)));
        addPrefixes(r, random, 1, false, false);
        break;
    case CompoundClass::Aldehydes:
        r.length = chainLength(random, 1, 8);
        add(r, Group::Oxo, Place::First);
        if (r.length > 1 && random.chance(15))
            add(r, Group::Oxo, Place::Last);
        addPrefixes(r, random, 2, true, true);
        break;
    case CompoundClass::Ketones:
        r.length = chainLength(random, 3, 8);
        add(r, Group::Oxo, Place::Inside);
        if (r.length > 4 && random.chance(15))
            add(r, Group::Oxo, Place::Inside);
        addPrefixes(r, random, 2, true, true);
        break;
    case CompoundClass::Acids:
        r.length = chainLength(random, 1, 8);
        add(r, Group::Acid, Place::First);
        if (r.length > 2 && random.chance(15))
            add(r, random.chance(50) ? Group::Oxo : Group::Amino, Place::Inside);
        addPrefixes(r, random, 2, true, true);
        break;
    case CompoundClass::Esters:
        r.length = chainLength(random, 1, 8);
        add(r, Group::Ester, Place::First, random.between(1, 3));
        addPrefixes(r, random, 2, true, false);
        break;
    case CompoundClass::Amines:
        r.length = chainLength(random, 1, 6);
        if (random.chance(40))
            add(r, Group::Imino, Place::First, random.between(1, 3));
        else
            add(r, Group::Amino, Place::Anywhere);
        addPrefixes(r, random, 1, true, false);
        break;
    case CompoundClass::Nitriles:
        r.length = chainLength(random, 2, 8);
        add(r, Group::Nitrile, Place::First);
        addPrefixes(r, random, 2, true, true);
        break;
    default:
        break;
    }
}

// Adds a chain of `carbons` to `from` by a single bond.
void addChain(Structure& s, int from, int carbons) {
    for (int i = 0; i < carbons; ++i) {
        const int c = s.addAtom(Element::C, 0);
        s.addBond(from, c);
        from = c;
    }
}

void addGroup(Structure& s, int carbon, const Placed& g) {
    const auto atom = [&](Element e, int order = 1) {
        const int a = s.addAtom(e, 0);
        s.addBond(carbon, a, order);
        return a;
    };
    switch (g.group) {
    case Group::Alkyl:
        addChain(s, carbon, g.carbons);
        break;
    case Group::Fluoro:
        atom(Element::F);
        break;
    case Group::Chloro:
        atom(Element::Cl);
        break;
    case Group::Bromo:
        atom(Element::Br);
        break;
    case Group::Iodo:
        atom(Element::I);
        break;
    case Group::Hydroxy:
        atom(Element::O);
        break;
    case Group::Amino:
        atom(Element::N);
        break;
    case Group::Oxo:
        atom(Element::O, 2);
        break;
    case Group::Acid:
        atom(Element::O, 2);
        atom(Element::O);
        break;
    case Group::Ester:
        atom(Element::O, 2);
        addChain(s, atom(Element::O), g.carbons);
        break;
    case Group::Nitrile:
        atom(Element::N, 3);
        break;
    case Group::Alkoxy:
        addChain(s, atom(Element::O), g.carbons);
        break;
    case Group::Imino:
        addChain(s, atom(Element::N), g.carbons);
        break;
    }
}

int valenceOf(Element e) {
    switch (e) {
    case Element::C:
        return 4;
    case Element::N:
        return 3;
    case Element::O:
        return 2;
    default:
        return 1;
    }
}

bool isHalogen(Group g) {
    return g == Group::Fluoro || g == Group::Chloro || g == Group::Bromo || g == Group::Iodo;
}

// Compounds a textbook never shows because they do not last: two groups of
// O or N on one carbon (a gem-diol, a halohydrin on one carbon), or an OH or
// NH2 on a carbon of a multiple bond (an enol). Halogens may share a carbon.
bool lasts(const Recipe& r) {
    std::vector<int> hetero(std::size_t(r.length), 0), halogens(std::size_t(r.length), 0);
    std::vector<bool> unsaturated(std::size_t(r.length), false);
    for (const MultipleBond& b : r.bonds)
        if (b.at + 1 < r.length)
            unsaturated[std::size_t(b.at)] = unsaturated[std::size_t(b.at) + 1] = true;
    for (const Placed& g : r.groups) {
        const auto at = std::size_t(g.at);
        if (isHalogen(g.group))
            ++halogens[at];
        else if (g.group != Group::Alkyl)
            ++hetero[at];
        const bool singleBonded = g.group == Group::Hydroxy || g.group == Group::Amino ||
                                  g.group == Group::Alkoxy || g.group == Group::Imino;
        if (singleBonded && unsaturated[at])
            return false;
    }
    for (std::size_t i = 0; i < hetero.size(); ++i)
        if (hetero[i] > 1 || (hetero[i] == 1 && halogens[i] > 0))
            return false;
    return true;
}

} // namespace

Recipe drawRecipe(CompoundClass wanted, Random& random) {
    Recipe r;
    r.wanted = wanted;
    switch (wanted) {
    case CompoundClass::Alkanes:
        drawHydrocarbon(r, random, 0, 0);
        break;
    case CompoundClass::Alkenes:
        drawHydrocarbon(r, random, 1, 0);
        break;
    case CompoundClass::Alkadienes:
        drawHydrocarbon(r, random, 2, 0);
        break;
    case CompoundClass::Alkynes:
        drawHydrocarbon(r, random, 0, 1);
        break;
    default:
        drawFunctional(r, random);
        break;
    }
    place(r, random);
    return r;
}

Recipe rearranged(const Recipe& from, Random& random) {
    Recipe r = from;
    const auto methyl = std::ranges::find_if(
        r.groups, [](const Placed& g) { return g.group == Group::Alkyl && g.carbons == 1; });
    if (random.chance(50)) {
        if (methyl != r.groups.end() && r.length < 8) {
            r.groups.erase(methyl);
            ++r.length;
        } else if (r.length > 3 && methyl == r.groups.end()) {
            --r.length;
            add(r, Group::Alkyl, Place::Inside, 1);
        }
    }
    place(r, random);
    return r;
}

std::optional<Structure> build(const Recipe& r) {
    if (!lasts(r))
        return std::nullopt;
    Structure s;
    for (int i = 0; i < r.length; ++i)
        s.addAtom(Element::C, 0);
    std::vector<int> order(std::size_t(std::max(0, r.length - 1)), 1);
    for (const MultipleBond& b : r.bonds) {
        if (b.at >= int(order.size()) || order[std::size_t(b.at)] != 1)
            return std::nullopt; // two multiple bonds drawn on one place
        order[std::size_t(b.at)] = b.order;
    }
    for (std::size_t i = 0; i < order.size(); ++i)
        s.addBond(int(i), int(i) + 1, order[i]);
    for (const Placed& g : r.groups)
        addGroup(s, g.at, g);
    for (std::size_t i = 0; i < s.atoms.size(); ++i) {
        const int free = valenceOf(s.atoms[i].element) - s.bondsOf(int(i));
        if (free < 0)
            return std::nullopt;
        s.atoms[i].hydrogens = free;
    }
    return s;
}

} // namespace chemistry::practice
