// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/structure/StructureWriter.h"

#include "chemistry/structure/StructureReader.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace chemistry {

namespace {

class Writer {
public:
    // `signs`: every multiple bond written with its sign, where an O or N
    // written after its atom would not take the bonds it has (a P with five).
    Writer(const Structure& s, bool signs) : s_(s), signs_(signs) {
        for (int a = 0; a < int(s.atoms.size()); ++a)
            if (!isEndGroup(a))
                chainAtoms_.push_back(a);
        // A compound of end groups only (HOOH): every atom may be in the row.
        if (chainAtoms_.empty())
            for (int a = 0; a < int(s.atoms.size()); ++a)
                chainAtoms_.push_back(a);
    }

    std::string write() const {
        std::string best;
        std::tuple<int, int, std::size_t, std::size_t> bestKey{};
        // Only the longest ways through the chain are written and compared.
        std::vector<std::vector<int>> parents;
        std::size_t longest = 0;
        for (const int from : chainAtoms_) {
            parents.push_back(parentsFrom(from));
            for (const int to : chainAtoms_)
                longest = std::max(longest, pathTo(parents.back(), to).size());
        }
        for (std::size_t k = 0; k < chainAtoms_.size(); ++k)
            for (const int to : chainAtoms_) {
                const std::vector<int> path = pathTo(parents[k], to);
                if (path.size() != longest)
                    continue;
                const std::string text = writeRow(path, -1);
                const std::tuple<int, int, std::size_t, std::size_t> key{
                    -int(path.size()), frontGroups(path.front()), text.size(),
                    text.find_first_not_of("CH0123456789()=≡")};
                if (best.empty() || key < bestKey || (key == bestKey && text < best)) {
                    best = text;
                    bestKey = key;
                }
            }
        return best;
    }

private:
    const Atom& atom(int a) const { return s_.atoms[std::size_t(a)]; }

    // A one-atom group other than carbon at the end of a bond: OH, =O, Cl, NH2, ≡N.
    bool isEndGroup(int a) const {
        return atom(a).element != Element::C && s_.neighbours(a).size() == 1;
    }

    bool inChain(int a) const {
        return std::find(chainAtoms_.begin(), chainAtoms_.end(), a) != chainAtoms_.end();
    }

    // Each atom's neighbour on the way back to `from` through the chain (-1
    // for `from`, -2 where there is no way): the formula is a tree, so there
    // is one way to each atom.
    std::vector<int> parentsFrom(int from) const {
        std::vector<int> parent(s_.atoms.size(), -2);
        std::vector<int> queue = {from};
        parent[std::size_t(from)] = -1;
        for (std::size_t k = 0; k < queue.size(); ++k)
            for (const int n : s_.neighbours(queue[k]))
                if (parent[std::size_t(n)] == -2 && inChain(n)) {
                    parent[std::size_t(n)] = queue[k];
                    queue.push_back(n);
                }
        return parent;
    }

    static std::vector<int> pathTo(const std::vector<int>& parent, int to) {
        if (parent[std::size_t(to)] == -2)
            return {};
        std::vector<int> path;
        for (int a = to; a != -1; a = parent[std::size_t(a)])
            path.push_back(a);
        std::reverse(path.begin(), path.end());
        return path;
    }

    int frontGroups(int a) const {
        int n = 0;
        for (const int other : s_.neighbours(a))
            n += isEndGroup(other) ? 1 : 0;
        return n;
    }

    static std::string withHydrogens(const Atom& a) {
        std::string out(symbolOf(a.element));
        if (a.hydrogens > 0)
            out += "H";
        if (a.hydrogens > 1)
            out += std::to_string(a.hydrogens);
        return out;
    }

    // A lone carbon holding =O and a hydrogen, written HCOOH, HCHO.
    bool isFormyl(int a, const std::vector<int>& groups) const {
        return atom(a).element == Element::C && s_.neighbours(a).size() == groups.size() &&
               std::any_of(groups.begin(), groups.end(), [&](int g) {
                   return atom(g).element == Element::O && s_.bondOrder(a, g) == 2;
               });
    }

    static std::string bondSign(int order) { return order == 2 ? "=" : order == 3 ? "≡" : "-"; }

    // The end groups `a` holds apart from `except`, a double-bonded one first.
    std::vector<int> endGroupsOf(int a, int except1, int except2) const {
        std::vector<int> out;
        for (const int n : s_.neighbours(a))
            if (n != except1 && n != except2 && isEndGroup(n))
                out.push_back(n);
        std::stable_sort(out.begin(), out.end(), [&](int x, int y) {
            return std::make_tuple(-s_.bondOrder(a, x), symbolOf(atom(x).element)) <
                   std::make_tuple(-s_.bondOrder(a, y), symbolOf(atom(y).element));
        });
        return out;
    }

    // End groups written after their atom; equal ones counted ("Cl3").
    std::string inlineGroups(const std::vector<int>& groups) const {
        std::string out;
        for (std::size_t k = 0; k < groups.size();) {
            std::size_t same = k + 1;
            while (same < groups.size() && atom(groups[same]) == atom(groups[k]) &&
                   atom(groups[k]).hydrogens == 0)
                ++same;
            out += withHydrogens(atom(groups[k]));
            if (same - k > 1)
                out += std::to_string(same - k);
            k = same;
        }
        return out;
    }

    // The left end written back to front, as textbooks do: HOOC, OHC, NC,
    // HO, H2N, Cl. Empty when the end is written the usual way.
    std::string backToFront(int a, const std::vector<int>& groups) const {
        const auto is = [&](int g, Element e, int hydrogens, int order) {
            return atom(g).element == e && atom(g).hydrogens == hydrogens &&
                   s_.bondOrder(a, g) == order;
        };
        if (atom(a).element != Element::C)
            return {};
        if (groups.size() == 2 && atom(a).hydrogens == 0 && is(groups[0], Element::O, 0, 2) &&
            is(groups[1], Element::O, 1, 1))
            return "HOOC";
        if (groups.size() == 1 && atom(a).hydrogens == 1 && is(groups[0], Element::O, 0, 2))
            return "OHC";
        if (groups.size() == 1 && atom(a).hydrogens == 0 && is(groups[0], Element::N, 0, 3))
            return "NC";
        if (groups.size() == 1 && s_.bondOrder(a, groups[0]) == 1) {
            const Atom& g = atom(groups[0]);
            const std::string hydrogens =
                g.hydrogens == 0   ? ""
                : g.hydrogens == 1 ? "H"
                                   : std::string("H").append(std::to_string(g.hydrogens));
            return hydrogens + std::string(symbolOf(g.element)) + withHydrogens(atom(a));
        }
        return {};
    }

    // The row (or a branch hanging from `parent`) along `path`.
    std::string writeRow(const std::vector<int>& path, int parent) const {
        std::string out;
        for (std::size_t k = 0; k < path.size(); ++k) {
            const int a = path[k];
            const int before = k > 0 ? path[k - 1] : parent;
            const int after = k + 1 < path.size() ? path[k + 1] : -1;
            if (before >= 0) {
                const int order = s_.bondOrder(before, a);
                // An O or N written right after its atom takes the bonds that
                // atom has left; a carbon, or an atom with hydrogens, needs the sign.
                const bool implied =
                    order == 1 ||
                    (!signs_ && k > 0 && atom(a).element != Element::C && atom(a).hydrogens == 0);
                if (!implied)
                    out += bondSign(order);
            }
            const bool end = k == 0 || k + 1 == path.size();
            std::vector<int> groups = endGroupsOf(a, before, after);
            std::string front =
                k == 0 && parent < 0 && path.size() > 1 ? backToFront(a, groups) : std::string();
            if (!front.empty()) {
                out += front;
                groups.clear();
            } else if (k == 0 && parent < 0 && atom(a).hydrogens > 0 &&
                       (atom(a).element != Element::C || isFormyl(a, groups))) {
                // "HO", "H2N": hydrogens before their atom at the left end;
                // "HCOOH", "HCHO": one hydrogen before a formyl carbon.
                Atom rest = atom(a);
                rest.hydrogens = rest.element == Element::C ? rest.hydrogens - 1 : 0;
                const int before = atom(a).hydrogens - rest.hydrogens;
                out += (before == 1 ? "H" : std::string("H").append(std::to_string(before))) +
                       withHydrogens(rest);
            } else {
                out += withHydrogens(atom(a));
            }
            // Carbon branches first, then the end groups hung as branches.
            std::vector<int> written, hung;
            for (const int n : s_.neighbours(a))
                if (n != before && n != after && !isEndGroup(n))
                    hung.push_back(n);
            for (const int g : groups)
                (end || s_.bondOrder(a, g) > 1 ? written : hung).push_back(g);
            // With every sign written, end groups hang as branches: CH3C(I)(=O).
            if (signs_)
                hung.insert(hung.end(), written.begin(), written.end());
            else
                out += inlineGroups(written);
            for (const int n : hung)
                out.append("(").append(writeBranch(a, n)).append(")");
        }
        return out;
    }

    // The part of the tree reached from `from` through `first`, as a branch:
    // its longest way to an end as the branch's row.
    std::string writeBranch(int from, int first) const {
        std::vector<int> path = {first};
        for (int before = from, at = first;;) {
            int deepest = -1, depth = 0;
            for (const int n : s_.neighbours(at))
                if (n != before && !isEndGroup(n) && depthFrom(at, n) > depth) {
                    deepest = n;
                    depth = depthFrom(at, n);
                }
            if (deepest < 0)
                break;
            path.push_back(deepest);
            before = std::exchange(at, deepest);
        }
        return writeRow(path, from);
    }

    // How many atoms, end groups apart, lie on the longest way from `first`
    // away from `from`.
    int depthFrom(int from, int first) const {
        int deepest = 0;
        for (const int n : s_.neighbours(first))
            if (n != from && !isEndGroup(n))
                deepest = std::max(deepest, depthFrom(first, n));
        return deepest + 1;
    }

    const Structure& s_;
    bool signs_ = false;
    std::vector<int> chainAtoms_;
};

} // namespace

std::string writeStructure(const Structure& s) {
    std::string out = Writer(s, false).write();
    const StructureRead again = readStructureAsIs(out);
    if (again.ok() && sameCompound(again.structure, s))
        return out;
    return Writer(s, true).write();
}

} // namespace chemistry
