// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/naming/Explanation.h"

namespace chemistry::naming {

namespace {

const std::string Because = "γιατί ";
const std::string Atom = " άτομο C";

// Each place once: three chlorines on one carbon stand «στο 1ο άτομο C».
std::string places(const std::vector<int>& at) {
    std::vector<std::string> ordinals;
    for (int l : at)
        if (ordinals.empty() || ordinals.back() != ordinal(l))
            ordinals.push_back(ordinal(l));
    return listed(ordinals);
}

std::string carbonReason(int carbons) {
    return Because + "έχει " + std::to_string(carbons) + (carbons == 1 ? " άτομο C" : " άτομα C");
}

std::string bondReason(const ChainReading& r) {
    const int doubles = int(r.doubles.size()), triples = int(r.triples.size());
    if (doubles == 0 && triples == 0)
        return Because + "είναι κορεσμένη";
    const auto counted = [](int k, std::string_view one, std::string_view many) {
        return std::to_string(k) + " " + std::string(k == 1 ? one : many);
    };
    std::string bonds;
    if (doubles > 0)
        bonds = counted(doubles, "διπλό", "διπλούς");
    if (doubles > 0 && triples > 0)
        bonds += " και ";
    if (triples > 0)
        bonds += counted(triples, "τριπλό", "τριπλούς");
    const int last = triples > 0 ? triples : doubles;
    return Because + "είναι ακόρεστη με " + bonds + (last == 1 ? " δεσμό" : " δεσμούς");
}

struct Item {
    std::vector<std::string> nouns;
    std::vector<int> at; // empty: where it stands is not told
};

std::string bondNoun(int count, std::string_view one, std::string_view many) {
    if (count == 1)
        return std::string(one);
    return "τους " + std::string(countWord(count, Gender::Masculine)) + " " + std::string(many);
}

// What the compound has and where, items at the same places told together:
// «μεθύλιο και το διπλό δεσμό στο 4ο άτομο C».
std::vector<Item> itemsOf(const ChainReading& r, bool written) {
    std::vector<Item> items;
    const auto add = [&](std::string noun, std::vector<int> at) {
        for (Item& item : items)
            if (!at.empty() && item.at == at) {
                item.nouns.push_back(std::move(noun));
                return;
            }
        items.push_back({{std::move(noun)}, std::move(at)});
    };
    for (std::size_t i = 0; i < r.prefixes.size();) {
        const Prefix kind = r.prefixes[i].first;
        std::vector<int> at;
        for (; i < r.prefixes.size() && r.prefixes[i].first == kind; ++i)
            at.push_back(r.prefixes[i].second);
        if (kind == Prefix::Keto)
            continue;
        const PrefixWords& words = wordsOf(kind);
        const int count = int(at.size());
        std::string noun = count == 1 ? std::string(words.one)
                                      : std::string(countWord(count, words.gender)) + " " +
                                            std::string(words.many);
        add(std::move(noun), written || words.placeToldWhenLeftOut ? at : std::vector<int>{});
    }
    written = written && bondLocantsTell(r);
    if (written && !r.doubles.empty())
        add(bondNoun(int(r.doubles.size()), "το διπλό δεσμό", "διπλούς δεσμούς"), r.doubles);
    if (written && !r.triples.empty())
        add(bondNoun(int(r.triples.size()), "τον τριπλό δεσμό", "τριπλούς δεσμούς"), r.triples);
    return items;
}

std::string hasClause(const std::vector<Item>& items) {
    std::vector<std::string> placed, unplaced;
    for (const Item& item : items)
        (item.at.empty() ? unplaced : placed)
            .push_back(listed(item.nouns) + (item.at.empty() ? "" : " στο " + places(item.at)));
    std::string out = listed(placed);
    if (!placed.empty())
        out += Atom;
    for (const std::string& u : unplaced)
        out += (out.empty() ? "" : " και ") + u;
    return out.empty() ? out : "έχει " + out;
}

std::string ketoClause(const std::vector<int>& at) {
    if (at.size() == 1)
        return "το " + places(at) + Atom + " είναι άνθρακας κετονικού καρβονυλίου";
    return "τα " + places(at) + " άτομα C είναι άνθρακες κετονικού καρβονυλίου";
}

std::string hydroxyClause(const std::vector<int>& at) {
    const std::string groups =
        at.size() == 1 ? "το OH"
                       : "τα " + std::string(countWord(int(at.size()), Gender::Neuter)) + " OH";
    return groups + " στο " + places(at) + Atom;
}

std::string positionReason(const ChainReading& r, bool written) {
    std::vector<std::string> clauses;
    if (std::string has = hasClause(itemsOf(r, written)); !has.empty())
        clauses.push_back(std::move(has));
    std::vector<int> keto;
    for (const auto& [kind, locant] : r.prefixes)
        if (kind == Prefix::Keto)
            keto.push_back(locant);
    if (!keto.empty())
        clauses.push_back(ketoClause(keto));
    if (written && r.principal == Principal::Ketone)
        clauses.push_back(ketoClause(r.principalLocants));
    if (written && r.principal == Principal::Alcohol)
        clauses.push_back((clauses.empty() ? "έχει " : "") + hydroxyClause(r.principalLocants));
    if (r.principal == Principal::Ester)
        clauses.push_back("το H του οξέως έχει αντικατασταθεί από " +
                          std::string(esterAlkylOf(r.esterAlkyl).value_or("")));
    std::string out;
    for (const std::string& c : clauses)
        out += (out.empty() ? Because : " και ") + c;
    return out;
}

} // namespace

std::string listed(const std::vector<std::string>& words) {
    std::string out;
    for (std::size_t i = 0; i < words.size(); ++i)
        out += (i == 0 ? "" : i + 1 == words.size() ? " και " : ", ") + words[i];
    return out;
}

std::array<NameSection, 4> explain(const ChainReading& r, const Written& w, Locants locants) {
    const bool written = locants == Locants::Written;
    std::array<NameSection, 4> s;
    s[CarbonAtoms] = {w.stem, carbonReason(r.length)};
    s[CarbonBonds] = {w.bondPart, bondReason(r)};
    s[CompoundKind] = {w.classPart, Because + "είναι " + std::string(r.kind)};
    s[Positions] = {w.positionPart, positionReason(r, written)};
    return s;
}

} // namespace chemistry::naming
