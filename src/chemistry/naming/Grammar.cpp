// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/naming/Grammar.h"

#include <array>

namespace chemistry::naming {

namespace {

constexpr std::array<std::string_view, MaxChain> Stems = {"μεθ", "αιθ", "προπ", "βουτ", "πεντ",
                                                          "εξ",  "επτ", "οκτ",  "εννε", "δεκ"};

constexpr std::array<std::string_view, 6> Multipliers = {"", "δι", "τρι", "τετρα", "πεντα", "εξα"};

// Three and four agree with the noun they count; the others do not change.
struct Counts {
    std::string_view neuter, other;
};
constexpr std::array<Counts, 6> CountWords = {{{"ένα", "ένα"},
                                               {"δύο", "δύο"},
                                               {"τρία", "τρεις"},
                                               {"τέσσερα", "τέσσερις"},
                                               {"πέντε", "πέντε"},
                                               {"έξι", "έξι"}}};

// In the order of the Prefix enumeration, which is the alphabetical one.
const std::array<PrefixWords, 12> Prefixes = {{
    {"αιθοξυ", "την ομάδα αιθοξυ", "ομάδες αιθοξυ", Gender::Feminine, false},
    {"αιθυλο", "αιθύλιο", "αιθύλια", Gender::Neuter, true},
    {"αμινο", "αμινομάδα", "αμινομάδες", Gender::Feminine, true},
    {"βρωμο", "βρώμιο", "άτομα βρωμίου", Gender::Neuter, true},
    {"ιωδο", "ιώδιο", "άτομα ιωδίου", Gender::Neuter, true},
    {"κετο", "", "", Gender::Neuter, true},
    {"μεθοξυ", "την ομάδα μεθοξυ", "ομάδες μεθοξυ", Gender::Feminine, false},
    {"μεθυλο", "μεθύλιο", "μεθύλια", Gender::Neuter, true},
    {"προπυλο", "προπύλιο", "προπύλια", Gender::Neuter, true},
    {"υδροξυ", "υδροξύλιο", "υδροξύλια", Gender::Neuter, true},
    {"φθορο", "φθόριο", "άτομα φθορίου", Gender::Neuter, true},
    {"χλωρο", "χλώριο", "άτομα χλωρίου", Gender::Neuter, true},
}};

// In the order of the Principal enumeration.
const std::array<PrincipalWords, 8> Principals = {{
    {"ικό οξύ", "οξύ", "οξύ"},
    {"ικό", "εστέρας", "εστέρα"},
    {"νιτρίλιο", "νιτρίλιο", "νιτρίλιο"},
    {"άλη", "αλδεΰδη", "αλδεΰδη"},
    {"όνη", "κετόνη", "κετόνη"},
    {"όλη", "αλκοόλη", "αλκοόλη"},
    {"ιο", "αμίνη", "αμίνη"},
    {"ιο", "", ""},
}};

constexpr std::array<std::string_view, 3> EsterAlkyls = {"μεθύλιο", "αιθύλιο", "προπύλιο"};
constexpr std::array<std::string_view, 3> AlkylStems = {"μεθυλ", "αιθυλ", "προπυλ"};

} // namespace

std::string_view stemOf(int carbons) {
    return Stems.at(std::size_t(carbons - 1));
}

std::optional<std::string_view> multiplierOf(int count) {
    if (count < 1 || count > int(Multipliers.size()))
        return std::nullopt;
    return Multipliers[std::size_t(count - 1)];
}

std::string_view countWord(int count, Gender gender) {
    const Counts& c = CountWords.at(std::size_t(count - 1));
    return gender == Gender::Neuter ? c.neuter : c.other;
}

const PrefixWords& wordsOf(Prefix p) {
    return Prefixes[std::size_t(p)];
}

std::optional<Prefix> prefixOf(const Attachment& a) {
    switch (a.kind) {
    case Attach::Oxo:
        return Prefix::Keto;
    case Attach::Hydroxy:
        return Prefix::Hydroxy;
    case Attach::Amino:
        return Prefix::Amino;
    case Attach::Fluoro:
        return Prefix::Fluoro;
    case Attach::Chloro:
        return Prefix::Chloro;
    case Attach::Bromo:
        return Prefix::Bromo;
    case Attach::Iodo:
        return Prefix::Iodo;
    case Attach::Alkoxy:
        if (a.carbons == 1)
            return Prefix::Methoxy;
        if (a.carbons == 2)
            return Prefix::Ethoxy;
        return std::nullopt;
    case Attach::Alkyl:
        if (a.carbons >= 1 && a.carbons <= 3)
            return std::array{Prefix::Methyl, Prefix::Ethyl,
                              Prefix::Propyl}[std::size_t(a.carbons - 1)];
        return std::nullopt;
    case Attach::Acid:
    case Attach::Ester:
    case Attach::Nitrile:
        return std::nullopt;
    }
    return std::nullopt;
}

const PrincipalWords& wordsOf(Principal p) {
    return Principals[std::size_t(p)];
}

std::optional<std::string_view> esterAlkylOf(int carbons) {
    if (carbons < 1 || carbons > int(EsterAlkyls.size()))
        return std::nullopt;
    return EsterAlkyls[std::size_t(carbons - 1)];
}

std::optional<std::string_view> alkylStemOf(int carbons) {
    if (carbons < 1 || carbons > int(AlkylStems.size()))
        return std::nullopt;
    return AlkylStems[std::size_t(carbons - 1)];
}

std::string ordinal(int locant) {
    return std::to_string(locant) + "ο";
}

int bondsTaken(const Attachment& a) {
    switch (a.kind) {
    case Attach::Oxo:
        return 2;
    case Attach::Acid:
    case Attach::Ester:
    case Attach::Nitrile:
        return 3;
    default:
        return 1;
    }
}

} // namespace chemistry::naming
