// SPDX-License-Identifier: GPL-3.0-or-later
// The names a school accepts besides the program's own: the same name with
// locants that may be left out written or not, and the newer styles of
// writing an ester, an amine, an ether and the locants.
#include "chemistry/naming/Analysis.h"
#include "chemistry/naming/Naming.h"

#include <algorithm>

namespace chemistry {

namespace naming {

namespace {

bool onlyPrefix(const ChainReading& r, Prefix kind) {
    return r.prefixes.size() == 1 && r.prefixes[0].first == kind;
}

bool saturated(const ChainReading& r) {
    return r.doubles.empty() && r.triples.empty();
}

// «αιθανικός μεθυλεστέρας» for «αιθανικό μεθύλιο».
std::string esterStyle(const std::string& name, const ChainReading& r) {
    const std::string acid = name.substr(0, name.rfind(' '));
    return acid + "ς " + std::string(*alkylStemOf(r.esterAlkyl)) + "εστέρας";
}

// «προπυλαμίνη» and «1-προπαναμίνη» for «1-αμινοπροπάνιο».
std::vector<std::string> amineStyles(const ChainReading& r, Locants locants) {
    std::vector<std::string> out;
    const int at = r.prefixes[0].second;
    if (at == 1 && r.length <= 3)
        out.push_back(std::string(*alkylStemOf(r.length)) + "αμίνη");
    const std::string chain = std::string(stemOf(r.length)) + "αναμίνη";
    out.push_back(locants == Locants::Written ? std::to_string(at) + "-" + chain : chain);
    return out;
}

// «διαιθυλαιθέρας», «αιθυλομεθυλαιθέρας» for an ether of two alkyls.
std::string etherStyle(const ChainReading& r) {
    const int alkoxy = r.prefixes[0].first == Prefix::Methoxy ? 1 : 2;
    return alkylsOnNitrogen({r.length, alkoxy}) + "αιθέρας";
}

std::vector<std::string> acceptedNames(const Analysis& a) {
    if (!a.amineAlkyls.empty())
        return {alkylsOnNitrogen(a.amineAlkyls) + "αμίνη"};
    const ChainReading& r = a.numbered.reading;
    std::vector<std::string> out;
    for (const Locants l : {Locants::Written, Locants::LeftOut}) {
        if (l == Locants::LeftOut && a.locants == Locants::Written)
            continue;
        const std::string name = writeName(r, l).name;
        out.push_back(name);
        out.push_back(writeName(r, l, Style::Beside).name);
        if (r.principal == Principal::Ester && alkylStemOf(r.esterAlkyl))
            out.push_back(esterStyle(name, r));
        if (r.principal == Principal::Amine && saturated(r) && onlyPrefix(r, Prefix::Amino))
            for (std::string& s : amineStyles(r, l))
                out.push_back(std::move(s));
    }
    const bool plainEther = onlyPrefix(r, Prefix::Methoxy) || onlyPrefix(r, Prefix::Ethoxy);
    if (plainEther && saturated(r) && r.prefixes[0].second == 1 && alkylStemOf(r.length))
        out.push_back(etherStyle(r));
    return out;
}

} // namespace

} // namespace naming

bool isAcceptedName(const Structure& s, std::string_view name) {
    const auto analysis = naming::analyse(s);
    const auto* a = std::get_if<naming::Analysis>(&analysis);
    if (!a)
        return false;
    const std::string wanted = normalizedName(name);
    const std::vector<std::string> accepted = naming::acceptedNames(*a);
    return std::ranges::find(accepted, wanted) != accepted.end();
}

} // namespace chemistry
