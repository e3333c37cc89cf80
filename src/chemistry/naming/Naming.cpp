// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/naming/Naming.h"

#include "chemistry/naming/Analysis.h"
#include "chemistry/naming/Explanation.h"
#include "chemistry/naming/Perception.h"

#include <algorithm>

namespace chemistry {

namespace naming {

OrUnnamed<Analysis> analyse(const Structure& s) {
    auto perceived = perceive(s);
    if (auto* why = std::get_if<std::string>(&perceived))
        return *why;
    Analysis a;
    const Perceived& p = std::get<Perceived>(perceived);
    if (!p.amineAlkyls.empty()) {
        a.amineAlkyls = p.amineAlkyls;
        return a;
    }
    auto trees = mainSkeletons(p);
    if (auto* why = std::get_if<std::string>(&trees))
        return *why;
    auto numbered = numberedMainChain(std::get<std::vector<Tree>>(trees));
    if (auto* why = std::get_if<std::string>(&numbered))
        return *why;
    a.numbered = std::get<Numbered>(std::move(numbered));
    a.locants = locantsMayBeLeftOut(a.numbered) ? Locants::LeftOut : Locants::Written;
    return a;
}

std::string alkylsOnNitrogen(std::vector<int> lengths) {
    // Alphabetical: αιθυλ, μεθυλ, προπυλ, which is by length but for methyl.
    std::ranges::sort(lengths, [](int a, int b) { return *alkylStemOf(a) < *alkylStemOf(b); });
    std::string out;
    for (std::size_t i = 0; i < lengths.size();) {
        std::size_t j = i;
        while (j < lengths.size() && lengths[j] == lengths[i])
            ++j;
        out += (out.empty() ? "" : "ο") + std::string(*multiplierOf(int(j - i))) +
               std::string(*alkylStemOf(lengths[i]));
        i = j;
    }
    return out;
}

namespace {

// Each alkyl told as the prefixes are, «δύο μεθύλια».
std::string alkylNouns(const std::vector<int>& lengths) {
    std::vector<std::string> nouns;
    for (const int alkyl : {2, 1, 3}) { // αιθύλιο, μεθύλιο, προπύλιο
        const int count = int(std::ranges::count(lengths, alkyl));
        const PrefixWords& words = wordsOf(*prefixOf({Attach::Alkyl, alkyl}));
        if (count == 1)
            nouns.emplace_back(words.one);
        else if (count > 1)
            nouns.push_back(std::string(countWord(count, words.gender)) + " " +
                            std::string(words.many));
    }
    return listed(nouns);
}

NameResult nameAmine(const std::vector<int>& alkyls) {
    NameResult r;
    const std::string prefix = alkylsOnNitrogen(alkyls);
    const PrincipalWords& amine = wordsOf(Principal::Amine);
    r.name = prefix + "αμίνη";
    r.sections[CompoundKind] = {"αμίνη", "γιατί είναι " + std::string(amine.kind)};
    r.sections[Positions] = {prefix, "γιατί έχει " + alkylNouns(alkyls) + " στο άζωτο"};
    return r;
}

} // namespace

} // namespace naming

NameResult nameCompound(const Structure& s) {
    using namespace naming;
    auto analysis = analyse(s);
    if (auto* why = std::get_if<std::string>(&analysis))
        return NameResult{{}, {}, *why};
    const Analysis& a = std::get<Analysis>(analysis);
    if (!a.amineAlkyls.empty())
        return nameAmine(a.amineAlkyls);
    const Written w = writeName(a.numbered.reading, a.locants);
    return NameResult{w.name, explain(a.numbered.reading, w, a.locants), {}};
}

} // namespace chemistry
