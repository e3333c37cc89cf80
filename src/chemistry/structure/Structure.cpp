// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/structure/Structure.h"

#include <algorithm>
#include <map>

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

// The atom `at` and everything reached from it away from where it was
// entered, its branches in a fixed order: two writings of one tree give the
// same string from the same atom.
std::string rooted(const Structure& s, int at, std::vector<bool>& seen) {
    seen[std::size_t(at)] = true;
    const Atom& atom = s.atoms[std::size_t(at)];
    std::string out(symbolOf(atom.element));
    if (atom.hydrogens > 0)
        out += std::string("H").append(std::to_string(atom.hydrogens));
    std::vector<std::string> branches;
    for (const int next : s.neighbours(at)) {
        if (seen[std::size_t(next)])
            continue;
        const int order = s.bondOrder(at, next);
        const std::string bond = order == 1 ? "" : order == 2 ? "=" : order == 3 ? "#" : "~";
        branches.push_back(bond + "(" + rooted(s, next, seen) + ")");
    }
    std::sort(branches.begin(), branches.end());
    for (const std::string& b : branches)
        out += b;
    return out;
}

// The atoms joined to `start`, itself included.
std::vector<int> componentOf(const Structure& s, int start, std::vector<bool>& placed) {
    std::vector<int> out = {start};
    placed[std::size_t(start)] = true;
    for (std::size_t k = 0; k < out.size(); ++k)
        for (const int next : s.neighbours(out[k]))
            if (!placed[std::size_t(next)]) {
                placed[std::size_t(next)] = true;
                out.push_back(next);
            }
    return out;
}

} // namespace

std::string canonicalForm(const Structure& s) {
    // Formulas are open chains, so each part is a tree: read from every atom
    // in turn, the smallest string is the same whichever writing it came from.
    std::vector<bool> placed(s.atoms.size(), false);
    std::vector<std::string> parts;
    for (int start = 0; start < int(s.atoms.size()); ++start) {
        if (placed[std::size_t(start)])
            continue;
        std::string best;
        for (const int root : componentOf(s, start, placed)) {
            std::vector<bool> seen(s.atoms.size(), false);
            std::string form = rooted(s, root, seen);
            if (best.empty() || form < best)
                best = std::move(form);
        }
        parts.push_back(std::move(best));
    }
    std::sort(parts.begin(), parts.end());
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : ".") + part;
    return out;
}

bool sameCompound(const Structure& a, const Structure& b) {
    return canonicalForm(a) == canonicalForm(b);
}

} // namespace chemistry
