// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/naming/Writing.h"

#include <array>
#include <utility>

namespace chemistry::naming {

namespace {

std::string joined(const std::vector<int>& locants) {
    std::string out;
    for (int l : locants)
        out.append(out.empty() ? "" : ",").append(std::to_string(l));
    return out;
}

std::string multiplied(int count) {
    return std::string(multiplierOf(count).value_or(""));
}

// The prefixes, each kind once with its locants and multiplier.
std::string prefixText(const ChainReading& r, bool locants) {
    std::string out;
    for (std::size_t i = 0; i < r.prefixes.size();) {
        const Prefix kind = r.prefixes[i].first;
        std::vector<int> at;
        for (; i < r.prefixes.size() && r.prefixes[i].first == kind; ++i)
            at.push_back(r.prefixes[i].second);
        std::string segment = multiplied(int(at.size())) + std::string(wordsOf(kind).prefix);
        if (locants) {
            segment = joined(at) + "-" + segment;
            if (!out.empty())
                out += "-";
        }
        out += segment;
    }
    return out;
}

// The accent falls on the infix when the ending is «ιο».
std::string accented(std::string infix) {
    constexpr std::array<std::pair<std::string_view, std::string_view>, 3> Accents = {
        {{"αν", "άν"}, {"εν", "έν"}, {"ιν", "ίν"}}};
    for (const auto& [plain, stressed] : Accents)
        if (infix.ends_with(plain))
            return infix.replace(infix.size() - plain.size(), plain.size(), stressed);
    return infix;
}

bool beginsWithVowel(std::string_view s) {
    constexpr std::array<std::string_view, 14> Vowels = {"α", "ε", "η", "ι", "ο", "υ", "ω",
                                                         "ά", "έ", "ή", "ί", "ό", "ύ", "ώ"};
    for (std::string_view v : Vowels)
        if (s.starts_with(v))
            return true;
    return false;
}

// The principal group's locants are written only for groups that can stand
// anywhere on the chain; an acid's, an aldehyde's… are always 1.
bool locantsWrittenFor(Principal p) {
    return p == Principal::Ketone || p == Principal::Alcohol;
}

struct Infix {
    std::string joiner; // the «α» that joins a stem to δι-, τρι-
    std::string body;   // "διεν"
    std::string locants;
};

std::vector<Infix> infixesOf(const ChainReading& r) {
    std::vector<Infix> out;
    const int doubles = int(r.doubles.size()), triples = int(r.triples.size());
    if (doubles == 0 && triples == 0)
        return {{"", "αν", ""}};
    if (doubles > 0)
        out.push_back({doubles > 1 ? "α" : "", multiplied(doubles) + "εν",
                       bondLocantsTell(r) ? joined(r.doubles) : ""});
    if (triples > 0)
        out.push_back({triples > 1 && out.empty() ? "α" : "", multiplied(triples) + "ιν",
                       bondLocantsTell(r) ? joined(r.triples) : ""});
    return out;
}

} // namespace

namespace {

// «ιο», or the principal group's ending with its multiplier: «διόλη».
std::string endingOf(const ChainReading& r) {
    if (r.principal == Principal::None || r.principal == Principal::Amine)
        return "ιο";
    return multiplied(int(r.principalLocants.size())) + std::string(wordsOf(r.principal).suffix);
}

// The name cut where the explanation cuts it: the prefixes and the locants
// before the stem, the stem with its first infix, and the rest.
struct Pieces {
    std::string before, stem, tail;
};

Pieces piecesOf(const ChainReading& r, const std::vector<Infix>& infixes, Locants locants,
                Style style) {
    const bool written = locants == Locants::Written;
    const std::string ending = endingOf(r);
    const std::string principal =
        written && locantsWrittenFor(r.principal) ? joined(r.principalLocants) : "";
    // Before the stem stand the first infix's locants, or else the principal group's.
    const bool school = style == Style::School && written;
    const bool principalInFront = school && infixes[0].locants.empty();
    const std::string front = !school ? "" : principalInFront ? principal : infixes[0].locants;
    Pieces p;
    p.before = prefixText(r, written);
    if (!front.empty())
        p.before += (p.before.empty() ? "" : "-") + front;
    for (std::size_t i = 0; i < infixes.size(); ++i) {
        const bool own = written && (i > 0 || !school) && !infixes[i].locants.empty();
        const std::string piece =
            (own ? "-" + infixes[i].locants + "-" : "") + infixes[i].joiner + infixes[i].body;
        (i == 0 ? p.stem : p.tail) += piece;
    }
    p.stem = std::string(stemOf(r.length)) + p.stem;
    const bool principalAfter = !principal.empty() && !principalInFront;
    p.tail += (beginsWithVowel(ending) ? "" : "ο") + (principalAfter ? "-" + principal + "-" : "") +
              ending;
    return p;
}

} // namespace

Written writeName(const ChainReading& r, Locants locants, Style style) {
    std::vector<Infix> infixes = infixesOf(r);
    const std::string ending = endingOf(r);
    if (ending == "ιο")
        infixes.back().body = accented(infixes.back().body);
    const Pieces p = piecesOf(r, infixes, locants, style);
    const bool hasFront = !p.before.empty() && p.before.back() >= '0' && p.before.back() <= '9';
    const std::string alkyl =
        r.principal == Principal::Ester ? std::string(esterAlkylOf(r.esterAlkyl).value_or("")) : "";

    Written w;
    w.name =
        p.before + (hasFront ? "-" : "") + p.stem + p.tail + (alkyl.empty() ? "" : " " + alkyl);
    w.stem = std::string(stemOf(r.length));
    for (std::size_t i = 0; i < infixes.size(); ++i) {
        const Infix& f = infixes[i];
        w.bondPart +=
            (i > 0 ? " ... " : "") + (f.joiner.empty() ? "" : "(" + f.joiner + ")") + f.body;
    }
    w.classPart = (beginsWithVowel(ending) ? "" : "(ο)") + ending;
    w.positionPart = p.before;
    if (const auto dash = p.tail.find('-'); dash != std::string::npos)
        w.positionPart += (p.before.empty() ? "" : " ... ") + p.tail.substr(dash + 1);
    if (!alkyl.empty())
        w.positionPart += (w.positionPart.empty() ? "" : " ... ") + alkyl;
    return w;
}

std::string withoutLocants(std::string_view name) {
    std::string out;
    for (char c : name)
        if (!(c >= '0' && c <= '9') && c != ',' && c != '-')
            out += c;
    return out;
}

} // namespace chemistry::naming
