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
    int budget = 20000;

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
    for (const auto& on : chosen.chain.on)
        p.groups.insert(p.groups.end(), on.begin(), on.end());
    std::ranges::sort(p.groups);
    for (int order : chosen.chain.bondOrder)
        if (order > 1)
            p.orders.push_back(order);
    std::ranges::sort(p.orders);
    p.groupAt.resize(p.groups.size());
    p.bondAt.resize(p.orders.size());
    p.placeGroups(0);
    return !p.rivalFound;
}

} // namespace chemistry::naming
