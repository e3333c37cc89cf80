// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/naming/MainChain.h"

#include "chemistry/naming/Perception.h"
#include "chemistry/naming/Writing.h"

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>

namespace chemistry::naming {

namespace {

struct Rank {
    int principal = 0, multiple = 0, length = 0, substituents = 0;
    auto operator<=>(const Rank&) const = default;
};

struct Candidate {
    int tree = 0;
    std::vector<int> path;
};

Rank rankOf(const Tree& t, const std::vector<int>& path, Principal principal) {
    std::vector<char> inPath(std::size_t(t.size()), 0);
    for (int c : path)
        inPath[std::size_t(c)] = 1;
    Rank r;
    r.length = int(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto& bonds = t.bonds[std::size_t(path[i])];
        for (const Attachment& a : t.on[std::size_t(path[i])]) {
            if (principal != Principal::None && roleOf(a, bonds.size() <= 1) == principal)
                ++r.principal;
            else
                ++r.substituents;
        }
        for (const Neighbour& n : bonds) {
            if (!inPath[std::size_t(n.carbon)])
                ++r.substituents;
            else if (i + 1 < path.size() && n.carbon == path[i + 1] && n.order > 1)
                ++r.multiple;
        }
    }
    return r;
}

// Every path between two ends of `t`, each once. A path that stops short of
// an end is never the main chain: going on to the end keeps its groups and
// multiple bonds and makes it longer.
void pathsOf(const Tree& t, int tree, std::vector<Candidate>& out) {
    const auto isEnd = [&](int c) { return t.bonds[std::size_t(c)].size() <= 1; };
    for (int from = 0; from < t.size(); ++from) {
        if (!isEnd(from))
            continue;
        std::vector<int> parent(std::size_t(t.size()), -2);
        std::vector<int> todo = {from};
        parent[std::size_t(from)] = -1;
        while (!todo.empty()) {
            const int c = todo.back();
            todo.pop_back();
            for (const Neighbour& n : t.bonds[std::size_t(c)])
                if (parent[std::size_t(n.carbon)] == -2) {
                    parent[std::size_t(n.carbon)] = c;
                    todo.push_back(n.carbon);
                }
        }
        for (int to = from; to < t.size(); ++to) {
            if (!isEnd(to))
                continue;
            Candidate c{tree, {}};
            for (int at = to; at != -1; at = parent[std::size_t(at)])
                c.path.push_back(at);
            out.push_back(std::move(c));
        }
    }
}

OrUnnamed<Chain> chainOf(const Tree& t, const std::vector<int>& path) {
    Chain chain;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const int c = path[i];
        chain.on.push_back(t.on[std::size_t(c)]);
        for (const Neighbour& n : t.bonds[std::size_t(c)]) {
            if (i + 1 < path.size() && n.carbon == path[i + 1]) {
                chain.bondOrder.push_back(n.order);
                continue;
            }
            if (i > 0 && n.carbon == path[i - 1])
                continue;
            const int length = plainAlkylLength(t, c, n.carbon);
            if (length == 0)
                return std::string(unnamed::Branch);
            chain.on.back().push_back({Attach::Alkyl, length});
        }
        std::ranges::sort(chain.on.back());
    }
    return chain;
}

Chain reversed(Chain c) {
    std::ranges::reverse(c.on);
    std::ranges::reverse(c.bondOrder);
    return c;
}

} // namespace

OrUnnamed<Numbered> numberedMainChain(const std::vector<Tree>& trees) {
    Principal principal = Principal::None;
    for (const Tree& t : trees)
        principal = std::min(principal, principalOf(t));
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < trees.size(); ++i)
        pathsOf(trees[i], int(i), candidates);
    std::vector<Rank> ranks;
    for (const Candidate& c : candidates)
        ranks.push_back(rankOf(trees[std::size_t(c.tree)], c.path, principal));
    const Rank top = *std::ranges::max_element(ranks);
    if (top.length > MaxChain)
        return std::string(unnamed::LongChain);

    std::optional<Numbered> best;
    std::tuple<std::vector<std::vector<int>>, std::string> bestKey;
    std::string why;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (ranks[i] != top)
            continue;
        auto chain = chainOf(trees[std::size_t(candidates[i].tree)], candidates[i].path);
        if (auto* problem = std::get_if<std::string>(&chain)) {
            why = *problem;
            continue;
        }
        for (Chain numbered : {std::get<Chain>(chain), reversed(std::get<Chain>(chain))}) {
            auto reading = readChain(numbered, principal);
            if (auto* problem = std::get_if<std::string>(&reading)) {
                why = *problem;
                continue;
            }
            const ChainReading& r = std::get<ChainReading>(reading);
            auto key = std::tuple(r.numberingKey(), writeName(r, Locants::Written).name);
            if (!best || key < bestKey) {
                best = Numbered{std::move(numbered), r};
                bestKey = std::move(key);
            }
        }
    }
    if (!best)
        return why;
    return *std::move(best);
}

Tree treeOf(const Chain& chain) {
    Tree t;
    const int n = chain.length();
    t.bonds.resize(std::size_t(n));
    t.on.resize(std::size_t(n));
    for (int i = 0; i + 1 < n; ++i) {
        t.bonds[std::size_t(i)].push_back({i + 1, chain.bondOrder[std::size_t(i)]});
        t.bonds[std::size_t(i + 1)].push_back({i, chain.bondOrder[std::size_t(i)]});
    }
    for (int i = 0; i < n; ++i)
        for (const Attachment& a : chain.on[std::size_t(i)]) {
            if (a.kind != Attach::Alkyl) {
                t.on[std::size_t(i)].push_back(a);
                continue;
            }
            int previous = i;
            for (int k = 0; k < a.carbons; ++k) {
                const int c = t.size();
                t.bonds.emplace_back();
                t.on.emplace_back();
                t.bonds[std::size_t(previous)].push_back({c, 1});
                t.bonds[std::size_t(c)].push_back({previous, 1});
                previous = c;
            }
        }
    return t;
}

} // namespace chemistry::naming
