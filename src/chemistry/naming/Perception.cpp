// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/naming/Perception.h"

#include "chemistry/naming/Grammar.h"

#include <algorithm>
#include <optional>
#include <string>

namespace chemistry::naming {

namespace {

using Bonds = std::vector<std::vector<Neighbour>>;
using On = std::vector<std::vector<Attachment>>;

std::string groupOf(Element e) {
    return std::string(unnamed::Group) + std::string(symbolOf(e));
}

bool isKnownElement(Element e) {
    switch (e) {
    case Element::C:
    case Element::O:
    case Element::N:
    case Element::F:
    case Element::Cl:
    case Element::Br:
    case Element::I:
        return true;
    default:
        return false;
    }
}

// One piece without a ring: every atom reached, one bond fewer than atoms.
std::optional<std::string_view> shapeProblem(const Structure& s) {
    const int n = int(s.atoms.size());
    std::vector<int> seen(std::size_t(n), 0);
    std::vector<int> todo = {0};
    seen[0] = 1;
    int reached = 1;
    while (!todo.empty()) {
        const int a = todo.back();
        todo.pop_back();
        for (int b : s.neighbours(a))
            if (!seen[std::size_t(b)]) {
                seen[std::size_t(b)] = 1;
                ++reached;
                todo.push_back(b);
            }
    }
    if (reached < n)
        return unnamed::Pieces;
    if (int(s.bonds.size()) >= n)
        return unnamed::Ring;
    return std::nullopt;
}

std::optional<Attach> halogenOf(Element e) {
    switch (e) {
    case Element::F:
        return Attach::Fluoro;
    case Element::Cl:
        return Attach::Chloro;
    case Element::Br:
        return Attach::Bromo;
    case Element::I:
        return Attach::Iodo;
    default:
        return std::nullopt;
    }
}

struct Reading {
    const Structure& s;
    std::vector<int> carbonIndex; // atom → carbon number, -1 for others
    Perceived out;
    std::vector<int> amineCarbons;

    int carbonOf(int atom) const { return carbonIndex[std::size_t(atom)]; }

    // Reads one atom that is not a carbon; false when it is no group we know.
    bool readAtom(int atom) {
        const Atom& a = s.atoms[std::size_t(atom)];
        const std::vector<int> next = s.neighbours(atom);
        for (int b : next)
            if (carbonOf(b) < 0)
                return false; // O-O, N-O, C-O-Cl…: outside the chapter
        const auto on = [&](int k) -> std::vector<Attachment>& {
            return out.on[std::size_t(carbonOf(next[std::size_t(k)]))];
        };
        const int order = next.size() == 1 ? s.bondOrder(atom, next[0]) : 1;
        if (const auto halogen = halogenOf(a.element))
            return next.size() == 1 && order == 1 && a.hydrogens == 0 &&
                   (on(0).push_back({*halogen, 0}), true);
        if (a.element == Element::O) {
            if (next.size() == 1 && order == 2 && a.hydrogens == 0)
                return on(0).push_back({Attach::Oxo, 0}), true;
            if (next.size() == 1 && order == 1 && a.hydrogens == 1)
                return on(0).push_back({Attach::Hydroxy, 0}), true;
            if (next.size() == 2 && a.hydrogens == 0 && s.bondOrder(atom, next[1]) == 1 &&
                s.bondOrder(atom, next[0]) == 1)
                return out.links.push_back({carbonOf(next[0]), carbonOf(next[1]), false}), true;
            return false;
        }
        // Nitrogen.
        if (next.size() == 1 && order == 3 && a.hydrogens == 0)
            return on(0).push_back({Attach::Nitrile, 0}), true;
        if (next.size() == 1 && order == 1 && a.hydrogens == 2)
            return on(0).push_back({Attach::Amino, 0}), true;
        if (next.size() + std::size_t(a.hydrogens) == 3 && next.size() >= 2 &&
            std::ranges::all_of(next, [&](int b) { return s.bondOrder(atom, b) == 1; })) {
            for (int b : next)
                amineCarbons.push_back(carbonOf(b));
            return true;
        }
        return false;
    }
};

// A carbon's =O read with what stands beside it: an acid, an ester or,
// alone, an aldehyde's or a ketone's. False for what the chapter does not name.
bool readCarbonyls(Perceived& p) {
    for (std::size_t c = 0; c < p.on.size(); ++c) {
        auto& on = p.on[c];
        const auto count = [&](Attach k) { return std::ranges::count(on, Attachment{k, 0}); };
        const auto esterLinks = std::ranges::count_if(
            p.links, [&](const Link& l) { return l.a == int(c) || l.b == int(c); });
        if (count(Attach::Oxo) == 0)
            continue;
        if (count(Attach::Oxo) > 1 || count(Attach::Amino) > 0 || count(Attach::Nitrile) > 0 ||
            on.size() - std::size_t(count(Attach::Hydroxy)) > 1 ||
            count(Attach::Hydroxy) + esterLinks > 1)
            return false;
        if (count(Attach::Hydroxy) == 1)
            on = {{Attach::Acid, 0}};
        for (Link& l : p.links)
            if (l.a == int(c) || l.b == int(c)) {
                if (l.b == int(c))
                    std::swap(l.a, l.b);
                l.ester = true;
            }
    }
    // An O between two carbonyls is an anhydride's.
    for (const Link& l : p.links)
        if (l.ester && std::ranges::count(p.on[std::size_t(l.b)], Attachment{Attach::Oxo, 0}) > 0)
            return false;
    return true;
}

// Follows a branch from `from` (-1: from outside) into `into`.
int walkPlain(const Bonds& bonds, const On& on, const std::vector<char>& linked, int from,
              int into) {
    int length = 0;
    int previous = from;
    int here = into;
    while (true) {
        if (!on[std::size_t(here)].empty() || linked[std::size_t(here)])
            return 0;
        ++length;
        int next = -1;
        for (const Neighbour& n : bonds[std::size_t(here)]) {
            if (n.carbon == previous) {
                if (n.order != 1)
                    return 0;
                continue;
            }
            if (next >= 0 || n.order != 1)
                return 0;
            next = n.carbon;
        }
        if (next < 0)
            return length;
        previous = here;
        here = next;
    }
}

std::vector<int> fragmentsOf(const Bonds& bonds) {
    std::vector<int> fragment(bonds.size(), -1);
    int count = 0;
    for (std::size_t start = 0; start < bonds.size(); ++start) {
        if (fragment[start] >= 0)
            continue;
        std::vector<int> todo = {int(start)};
        fragment[start] = count;
        while (!todo.empty()) {
            const int c = todo.back();
            todo.pop_back();
            for (const Neighbour& n : bonds[std::size_t(c)])
                if (fragment[std::size_t(n.carbon)] < 0) {
                    fragment[std::size_t(n.carbon)] = count;
                    todo.push_back(n.carbon);
                }
        }
        ++count;
    }
    return fragment;
}

} // namespace

OrUnnamed<Perceived> perceive(const Structure& s) {
    for (const Atom& a : s.atoms)
        if (!isKnownElement(a.element))
            return std::string(unnamed::Element) + std::string(symbolOf(a.element));
    if (std::ranges::none_of(s.atoms, [](const Atom& a) { return a.element == Element::C; }))
        return std::string(unnamed::NoCarbon);
    if (const auto problem = shapeProblem(s))
        return std::string(*problem);
    Reading r{s, std::vector<int>(s.atoms.size(), -1), {}, {}};
    int carbons = 0;
    for (std::size_t i = 0; i < s.atoms.size(); ++i)
        if (s.atoms[i].element == Element::C)
            r.carbonIndex[i] = carbons++;
    r.out.bonds.resize(std::size_t(carbons));
    r.out.on.resize(std::size_t(carbons));
    for (const StructureBond& b : s.bonds)
        if (r.carbonOf(b.from) >= 0 && r.carbonOf(b.to) >= 0) {
            r.out.bonds[std::size_t(r.carbonOf(b.from))].push_back({r.carbonOf(b.to), b.order});
            r.out.bonds[std::size_t(r.carbonOf(b.to))].push_back({r.carbonOf(b.from), b.order});
        }
    for (std::size_t i = 0; i < s.atoms.size(); ++i)
        if (r.carbonIndex[i] < 0 && !r.readAtom(int(i)))
            return groupOf(s.atoms[i].element);
    if (!r.amineCarbons.empty()) {
        // Only an amine whose every carbon is in a plain alkyl on its N.
        const std::vector<char> none(std::size_t(carbons), 0);
        const auto alkyls = fragmentsOf(r.out.bonds);
        const int pieces = *std::ranges::max_element(alkyls) + 1;
        if (!r.out.links.empty() || pieces != int(r.amineCarbons.size()))
            return std::string(unnamed::AmineAlkyls);
        for (int c : r.amineCarbons) {
            const int length = walkPlain(r.out.bonds, r.out.on, none, -1, c);
            if (length == 0 || length > 3)
                return std::string(unnamed::AmineAlkyls);
            r.out.amineAlkyls.push_back(length);
        }
        return r.out;
    }
    if (!readCarbonyls(r.out))
        return groupOf(Element::C);
    return r.out;
}

namespace {

// The skeletons of one compound, each tried as the main one.
struct Skeletons {
    const Perceived& p;
    std::vector<int> fragment = fragmentsOf(p.bonds);
    std::vector<char> linked = linkCounts();
    std::string why{unnamed::Alkoxy};

    std::vector<char> linkCounts() const {
        std::vector<char> out(p.bonds.size(), 0);
        for (const Link& l : p.links) {
            ++out[std::size_t(l.a)];
            ++out[std::size_t(l.b)];
        }
        return out;
    }

    // Skeleton f alone, its carbons renumbered; `index` maps the old numbers.
    Tree alone(int f, std::vector<int>& index) const {
        Tree t;
        for (std::size_t c = 0; c < p.bonds.size(); ++c)
            if (fragment[c] == f) {
                index[c] = t.size();
                t.bonds.emplace_back();
                t.on.push_back(p.on[c]);
            }
        for (std::size_t c = 0; c < p.bonds.size(); ++c)
            for (const Neighbour& n : p.bonds[c])
                if (index[c] >= 0)
                    t.bonds[std::size_t(index[c])].push_back(
                        {index[std::size_t(n.carbon)], n.order});
        return t;
    }

    // The link's far side as a group on `t`; false when it cannot be one.
    bool join(const Link& l, int f, const std::vector<int>& index, Tree& t) {
        const bool inA = fragment[std::size_t(l.a)] == f, inB = fragment[std::size_t(l.b)] == f;
        if (!inA && !inB)
            return false;
        // The far skeleton must hang on this one by this link alone.
        std::vector<char> others = linked;
        --others[std::size_t(l.a)];
        --others[std::size_t(l.b)];
        const int near = inA ? l.a : l.b;
        const int alkyl = walkPlain(p.bonds, p.on, others, -1, inA ? l.b : l.a);
        auto& on = t.on[std::size_t(index[std::size_t(near)])];
        if (l.ester) {
            if (!inA || alkyl == 0 || !esterAlkylOf(alkyl)) {
                why = unnamed::EsterAlkyl;
                return false;
            }
            on = {{Attach::Ester, alkyl}};
            return true;
        }
        if (alkyl > 0)
            on.push_back({Attach::Alkoxy, alkyl});
        return alkyl > 0;
    }

    std::optional<Tree> mainOne(int f) {
        std::vector<int> index(p.bonds.size(), -1);
        Tree t = alone(f, index);
        for (const Link& l : p.links)
            if (!join(l, f, index, t))
                return std::nullopt;
        return t;
    }
};

} // namespace

OrUnnamed<std::vector<Tree>> mainSkeletons(const Perceived& p) {
    if (std::ranges::count_if(p.links, [](const Link& l) { return l.ester; }) > 1)
        return std::string(unnamed::TwoEsters);
    Skeletons skeletons{p};
    std::vector<Tree> trees;
    const int count = *std::ranges::max_element(skeletons.fragment) + 1;
    for (int f = 0; f < count; ++f)
        if (auto t = skeletons.mainOne(f))
            trees.push_back(*std::move(t));
    if (trees.empty())
        return skeletons.why;
    return trees;
}

int plainAlkylLength(const Tree& t, int from, int into) {
    return walkPlain(t.bonds, t.on, std::vector<char>(t.bonds.size(), 0), from, into);
}

} // namespace chemistry::naming
