// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/naming/Analysis.h"

#include <algorithm>

namespace chemistry::naming {

namespace {

struct Placements {
    int length = 0;
    std::vector<Attachment> groups; // sorted, so that equal ones are placed once
    std::vector<int> orders;        // the multiple bonds' orders, sorted
    std::vector<int> groupAt, bondAt;
    std::string ours, bareOurs;
    bool rivalFound = false;
    // Past this many placements the locants are written, as they are when in
    // doubt: a long chain full of groups has a rival long before.
    int budget = 3000;

    bool fitsValence(const Chain& c) const {
        for (int i = 0; i < length; ++i) {
            int used = (i > 0 ? c.bondOrder[std::size_t(i - 1)] : 0) +
                       (i + 1 < length ? c.bondOrder[std::size_t(i)] : 0);
            for (const Attachment& a : c.on[std::size_t(i)])
                used += bondsTaken(a);
            if (used > 4)
                return false;
        }
        return true;
    }

    // The compound of this placement is a rival when it is another compound
    // with the same name but for its locants.
    void judge() {
        Chain c;
        c.on.resize(std::size_t(length));
        c.bondOrder.assign(std::size_t(std::max(0, length - 1)), 1);
        for (std::size_t k = 0; k < groups.size(); ++k)
            c.on[std::size_t(groupAt[k])].push_back(groups[k]);
        for (std::size_t k = 0; k < orders.size(); ++k)
            c.bondOrder[std::size_t(bondAt[k])] = orders[k];
        if (!fitsValence(c))
            return;
        if (--budget < 0) {
            rivalFound = true;
            return;
        }
        const auto named = numberedMainChain({treeOf(c)});
        if (const auto* n = std::get_if<Numbered>(&named)) {
            const std::string name = writeName(n->reading, Locants::Written).name;
            rivalFound = name != ours && withoutLocants(name) == bareOurs;
        }
    }

    void placeBonds(std::size_t k) {
        if (rivalFound)
            return;
        if (k == orders.size())
            return judge();
        const int from = k > 0 && orders[k] == orders[k - 1] ? bondAt[k - 1] + 1 : 0;
        for (int at = from; at + 1 < length && !rivalFound; ++at) {
            if (std::find(bondAt.begin(), bondAt.begin() + long(k), at) != bondAt.begin() + long(k))
                continue;
            bondAt[k] = at;
            placeBonds(k + 1);
        }
    }

    // Most rivals are one group or one bond away: 1- and 2-βουτένιο.
    void moveEachOnce(const std::vector<int>& groupsAt, const std::vector<int>& bondsAt) {
        for (std::size_t k = 0; k < groups.size() && !rivalFound; ++k)
            for (int at = 0; at < length && !rivalFound; ++at) {
                groupAt = groupsAt;
                groupAt[k] = at;
                bondAt = bondsAt;
                judge();
            }
        for (std::size_t k = 0; k < orders.size() && !rivalFound; ++k)
            for (int at = 0; at + 1 < length && !rivalFound; ++at) {
                if (std::ranges::count(bondsAt, at) > 0)
                    continue;
                groupAt = groupsAt;
                bondAt = bondsAt;
                bondAt[k] = at;
                judge();
            }
    }

    void placeGroups(std::size_t k) {
        if (k == groups.size())
            return placeBonds(0);
        const int from = k > 0 && groups[k] == groups[k - 1] ? groupAt[k - 1] : 0;
        for (int at = from; at < length && !rivalFound; ++at) {
            groupAt[k] = at;
            placeGroups(k + 1);
        }
    }
};

} // namespace

bool locantsMayBeLeftOut(const Numbered& chosen) {
    Placements p;
    p.ours = writeName(chosen.reading, Locants::Written).name;
    p.bareOurs = withoutLocants(p.ours);
    if (p.ours == p.bareOurs)
        return true; // nothing to leave out
    p.length = chosen.chain.length();
    std::vector<std::pair<Attachment, int>> groups;
    std::vector<std::pair<int, int>> bonds;
    for (int i = 0; i < p.length; ++i)
        for (const Attachment& a : chosen.chain.on[std::size_t(i)])
            groups.emplace_back(a, i);
    for (int i = 0; i + 1 < p.length; ++i)
        if (chosen.chain.bondOrder[std::size_t(i)] > 1)
            bonds.emplace_back(chosen.chain.bondOrder[std::size_t(i)], i);
    std::ranges::sort(groups);
    std::ranges::sort(bonds);
    std::vector<int> groupsAt, bondsAt;
    for (const auto& [a, at] : groups) {
        p.groups.push_back(a);
        groupsAt.push_back(at);
    }
    for (const auto& [order, at] : bonds) {
        p.orders.push_back(order);
        bondsAt.push_back(at);
    }
    p.moveEachOnce(groupsAt, bondsAt);
    p.groupAt.resize(p.groups.size());
    p.bondAt.resize(p.orders.size());
    p.placeGroups(0);
    return !p.rivalFound;
}

} // namespace chemistry::naming
