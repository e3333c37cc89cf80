// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/naming/ChainReading.h"

#include <algorithm>
#include <string>

namespace chemistry::naming {

Principal roleOf(const Attachment& a, bool atEnd) {
    switch (a.kind) {
    case Attach::Acid:
        return Principal::Acid;
    case Attach::Ester:
        return Principal::Ester;
    case Attach::Nitrile:
        return Principal::Nitrile;
    case Attach::Oxo:
        return atEnd ? Principal::Aldehyde : Principal::Ketone;
    case Attach::Hydroxy:
        return Principal::Alcohol;
    case Attach::Amino:
        return Principal::Amine;
    default:
        return Principal::None;
    }
}

namespace {

std::string_view kindWithout(const std::vector<std::pair<Prefix, int>>& prefixes) {
    const auto has = [&](std::initializer_list<Prefix> kinds) {
        return std::ranges::any_of(prefixes, [&](const auto& p) {
            return std::ranges::find(kinds, p.first) != kinds.end();
        });
    };
    if (has({Prefix::Methoxy, Prefix::Ethoxy}))
        return Ether;
    if (has({Prefix::Fluoro, Prefix::Chloro, Prefix::Bromo, Prefix::Iodo}))
        return Haloalkane;
    return Hydrocarbon;
}

// C=C=O, an =O beside a halogen or an -OH on its carbon, and the like are no
// aldehydes or ketones of the chapter.
bool isForeignCarbonyl(const Chain& chain, int i) {
    const auto& on = chain.on[std::size_t(i)];
    if (std::ranges::count(on, Attachment{Attach::Oxo, 0}) > 0 && on.size() > 1)
        return true;
    const bool carbonyl = std::ranges::any_of(chain.on[std::size_t(i)], [](const Attachment& a) {
        return a.kind == Attach::Oxo || a.kind == Attach::Acid || a.kind == Attach::Ester ||
               a.kind == Attach::Nitrile;
    });
    const auto order = [&](int bond) {
        return bond >= 0 && bond < int(chain.bondOrder.size()) ? chain.bondOrder[std::size_t(bond)]
                                                               : 1;
    };
    return carbonyl && (order(i - 1) > 1 || order(i) > 1);
}

std::string notPrincipal(Principal p) {
    return std::string(unnamed::NotPrincipal) + std::string(wordsOf(p).noun) +
           std::string(unnamed::NotPrincipalEnd);
}

} // namespace

std::vector<std::vector<int>> ChainReading::numberingKey() const {
    std::vector<int> bonds = doubles;
    bonds.insert(bonds.end(), triples.begin(), triples.end());
    std::ranges::sort(bonds);
    std::vector<int> all, alphabetical;
    for (const auto& [prefix, locant] : prefixes) {
        all.push_back(locant);
        alphabetical.push_back(locant);
    }
    std::ranges::sort(all);
    return {principalLocants, bonds, doubles, all, alphabetical};
}

Principal principalOf(const Tree& t) {
    Principal best = Principal::None;
    for (int c = 0; c < t.size(); ++c)
        for (const Attachment& a : t.on[std::size_t(c)])
            best = std::min(best, roleOf(a, t.bonds[std::size_t(c)].size() <= 1));
    return best;
}

bool isAldehydeAt(const Chain& chain, int i) {
    const int n = chain.length();
    const bool end = i == 0 || i == n - 1;
    return end && std::ranges::none_of(chain.on[std::size_t(i)],
                                       [](const Attachment& a) { return a.kind == Attach::Alkyl; });
}

OrUnnamed<ChainReading> readChain(const Chain& chain, Principal principal) {
    ChainReading r;
    r.length = chain.length();
    r.principal = principal;
    for (int i = 0; i + 1 < r.length; ++i) {
        const int order = chain.bondOrder[std::size_t(i)];
        if (order == 2)
            r.doubles.push_back(i + 1);
        else if (order == 3)
            r.triples.push_back(i + 1);
    }
    for (int i = 0; i < r.length; ++i) {
        const int locant = i + 1;
        if (isForeignCarbonyl(chain, i))
            return std::string(unnamed::Group) + "C";
        for (const Attachment& a : chain.on[std::size_t(i)]) {
            const Principal role = roleOf(a, isAldehydeAt(chain, i));
            if (role == principal && principal != Principal::None) {
                r.principalLocants.push_back(locant);
                if (a.kind == Attach::Ester)
                    r.esterAlkyl = a.carbons;
                if (role != Principal::Amine)
                    continue;
            }
            const auto prefix = prefixOf(a);
            if (!prefix || (a.kind == Attach::Oxo && role == Principal::Aldehyde)) {
                if (a.kind == Attach::Alkyl)
                    return std::string(unnamed::Branch);
                if (a.kind == Attach::Alkoxy)
                    return std::string(unnamed::Alkoxy);
                return notPrincipal(role);
            }
            r.prefixes.emplace_back(*prefix, locant);
        }
    }
    std::ranges::sort(r.prefixes);
    // As many of one kind as a multiplier can count.
    const auto counted = [](std::size_t count) {
        return count == 0 || multiplierOf(int(count)).has_value();
    };
    for (const auto& [prefix, locant] : r.prefixes)
        if (!counted(std::size_t(
                std::ranges::count(r.prefixes, prefix, &std::pair<Prefix, int>::first))))
            return std::string(unnamed::TooMany);
    if (!counted(r.doubles.size()) || !counted(r.triples.size()) ||
        !counted(r.principalLocants.size()))
        return std::string(unnamed::TooMany);
    r.kind = principal == Principal::None ? kindWithout(r.prefixes) : wordsOf(principal).kind;
    return r;
}

} // namespace chemistry::naming
