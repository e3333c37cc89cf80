// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/structure/Structure.h"

#include <algorithm>
#include <map>
#include <utility>

namespace chemistry {

int Structure::addAtom(Element element, int hydrogens) {
    atoms.push_back({element, hydrogens});
    return int(atoms.size()) - 1;
}

void Structure::addBond(int from, int to, int order) {
    bonds.push_back({from, to, order});
}

std::vector<int> Structure::neighbours(int atom) const {
    std::vector<int> out;
    for (const StructureBond& b : bonds) {
        if (b.from == atom)
            out.push_back(b.to);
        else if (b.to == atom)
            out.push_back(b.from);
    }
    return out;
}

int Structure::bondOrder(int a, int b) const {
    int order = 0;
    for (const StructureBond& bond : bonds)
        if ((bond.from == a && bond.to == b) || (bond.from == b && bond.to == a))
            order += bond.order;
    return order;
}

int Structure::bondsOf(int atom) const {
    int total = atoms[std::size_t(atom)].hydrogens;
    for (const StructureBond& b : bonds)
        if (b.from == atom || b.to == atom)
            total += b.order;
    return total;
}

std::string molecularFormula(const Structure& s) {
    std::map<std::string, int> counts;
    for (const Atom& a : s.atoms) {
        ++counts[std::string(symbolOf(a.element))];
        if (a.hydrogens > 0)
            counts["H"] += a.hydrogens;
    }
    const auto term = [&](const std::string& symbol) {
        const auto it = counts.find(symbol);
        if (it == counts.end() || it->second == 0)
            return std::string();
        const std::string out = it->second == 1 ? symbol : symbol + std::to_string(it->second);
        counts.erase(it);
        return out;
    };
    std::string out;
    if (counts.count("C") != 0)
        out = term("C") + term("H");
    // std::map keeps the rest in alphabetical order of their symbols.
    while (!counts.empty())
        out += term(counts.begin()->first);
    return out;
}

namespace {

// Each atom's neighbours with the order of the bond to each, a pair of atoms
// written twice counted once with its orders summed, as bondOrder() does.
using Adjacency = std::vector<std::vector<std::pair<int, int>>>;

Adjacency adjacencyOf(const Structure& s) {
    Adjacency out(s.atoms.size());
    const auto add = [&](int from, int to, int order) {
        for (auto& [next, sum] : out[std::size_t(from)])
            if (next == to) {
                sum += order;
                return;
            }
        out[std::size_t(from)].emplace_back(to, order);
    };
    for (const StructureBond& b : s.bonds) {
        add(b.from, b.to, b.order);
        if (b.from != b.to)
            add(b.to, b.from, b.order);
    }
    return out;
}

// The atom `at` and everything reached from it away from where it was
// entered, its branches in a fixed order: two writings of one tree give the
// same string from the same atom.
std::string rooted(const Structure& s, const Adjacency& adjacent, int at, std::vector<bool>& seen) {
    seen[std::size_t(at)] = true;
    const Atom& atom = s.atoms[std::size_t(at)];
    std::string out(symbolOf(atom.element));
    if (atom.hydrogens > 0)
        out += std::string("H").append(std::to_string(atom.hydrogens));
    std::vector<std::string> branches;
    for (const auto& [next, order] : adjacent[std::size_t(at)]) {
        if (seen[std::size_t(next)])
            continue;
        std::string branch = order == 1 ? "" : order == 2 ? "=" : order == 3 ? "#" : "~";
        branch.append("(").append(rooted(s, adjacent, next, seen)).append(")");
        branches.push_back(std::move(branch));
    }
    std::sort(branches.begin(), branches.end());
    for (const std::string& b : branches)
        out += b;
    return out;
}

// The atoms joined to `start`, itself included.
std::vector<int> componentOf(const Adjacency& adjacent, int start, std::vector<bool>& placed) {
    std::vector<int> out = {start};
    placed[std::size_t(start)] = true;
    for (std::size_t k = 0; k < out.size(); ++k)
        for (const auto& [next, order] : adjacent[std::size_t(out[k])])
            if (!placed[std::size_t(next)]) {
                placed[std::size_t(next)] = true;
                out.push_back(next);
            }
    return out;
}

// The atoms a part is read from. A tree has one centre or two, found by
// taking its leaves away until at most two atoms are left, and every writing
// of the tree has the same ones: reading from them alone keeps the form the
// same and its cost near the number of atoms, where reading from every atom
// would cost its square. A part with a ring (no formula draws one) is read
// from every atom.
std::vector<int> rootsOf(const Adjacency& adjacent, const std::vector<int>& part) {
    std::size_t ends = 0;
    for (const int atom : part)
        ends += adjacent[std::size_t(atom)].size();
    if (part.size() <= 2 || ends != 2 * (part.size() - 1))
        return part;
    std::vector<std::size_t> degree(adjacent.size(), 0);
    std::vector<int> leaves;
    for (const int atom : part) {
        degree[std::size_t(atom)] = adjacent[std::size_t(atom)].size();
        if (degree[std::size_t(atom)] == 1)
            leaves.push_back(atom);
    }
    std::size_t left = part.size();
    while (left > 2) {
        left -= leaves.size();
        std::vector<int> next;
        for (const int leaf : leaves)
            for (const auto& [atom, order] : adjacent[std::size_t(leaf)])
                if (--degree[std::size_t(atom)] == 1)
                    next.push_back(atom);
        leaves = std::move(next);
    }
    return leaves;
}

} // namespace

std::string canonicalForm(const Structure& s) {
    // Formulas are open chains, so each part is a tree: read from its centre,
    // the smallest string is the same whichever writing it came from.
    const Adjacency adjacent = adjacencyOf(s);
    std::vector<bool> placed(s.atoms.size(), false);
    std::vector<std::string> parts;
    for (int start = 0; start < int(s.atoms.size()); ++start) {
        if (placed[std::size_t(start)])
            continue;
        std::string best;
        for (const int root : rootsOf(adjacent, componentOf(adjacent, start, placed))) {
            std::vector<bool> seen(s.atoms.size(), false);
            std::string form = rooted(s, adjacent, root, seen);
            if (best.empty() || form < best)
                best = std::move(form);
        }
        parts.push_back(std::move(best));
    }
    std::sort(parts.begin(), parts.end());
    std::string out;
    for (const std::string& part : parts)
        out.append(out.empty() ? "" : ".").append(part);
    return out;
}

bool sameCompound(const Structure& a, const Structure& b) {
    return canonicalForm(a) == canonicalForm(b);
}

} // namespace chemistry
