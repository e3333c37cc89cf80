// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words names and their reasons are made of, as data: stems, infixes,
// endings, prefixes with the nouns a reason tells them by, multipliers and
// the sentences for what cannot be named.

#include "chemistry/naming/Model.h"

#include <optional>
#include <string>
#include <string_view>

namespace chemistry::naming {

inline constexpr int MaxChain = 10;

// "μεθ" … "δεκ" for 1 … 10 carbons.
std::string_view stemOf(int carbons);

// "δι", "τρι", … for 2, 3, …; empty for 1. Nothing for more than it knows.
std::optional<std::string_view> multiplierOf(int count);

enum class Gender { Masculine, Feminine, Neuter };

// "δύο", "τρία"/"τρεις", … as a reason counts.
std::string_view countWord(int count, Gender);

// Prefixes in the Greek alphabetical order their names are written in.
enum class Prefix {
    Ethoxy,
    Ethyl,
    Amino,
    Bromo,
    Iodo,
    Keto,
    Methoxy,
    Methyl,
    Propyl,
    Hydroxy,
    Fluoro,
    Chloro
};

struct PrefixWords {
    std::string_view prefix; // as written in the name: "μεθυλο"
    std::string_view one;    // as a reason tells one: "μεθύλιο"
    std::string_view many;   // and several, after a count: "μεθύλια"
    Gender gender;
    bool placeToldWhenLeftOut; // the reason says where even if the name does not
};
const PrefixWords& wordsOf(Prefix);

// The prefix an attachment is written as when it is not the principal group
// (Oxo standing as a ketone); nothing when it has none.
std::optional<Prefix> prefixOf(const Attachment&);

struct PrincipalWords {
    std::string_view suffix; // "όλη", "ικό οξύ"…; "ιο" for an amine, written as a prefix
    std::string_view kind;   // "αλκοόλη"
    std::string_view noun;   // what a reason calls one that is not principal: "αλδεΰδη"
};
const PrincipalWords& wordsOf(Principal);

// The kind of a compound without a principal group.
inline constexpr std::string_view Hydrocarbon = "υδρογονάνθρακας";
inline constexpr std::string_view Haloalkane = "αλκυλαλογονίδιο";
inline constexpr std::string_view Ether = "αιθέρας";

// "μεθύλιο", "αιθύλιο", "προπύλιο": the alkyl of an ester.
std::optional<std::string_view> esterAlkylOf(int carbons);
// "μεθυλ", "αιθυλ", "προπυλ": an alkyl before «αμίνη» or «εστέρας».
std::optional<std::string_view> alkylStemOf(int carbons);

// A locant as a reason reads it: "2ο".
std::string ordinal(int locant);

// Why a compound has no name here, each a full sentence.
namespace unnamed {
inline constexpr std::string_view Ring = "δεν ξέρω να ονομάσω ένωση με δακτύλιο";
inline constexpr std::string_view Pieces =
    "δεν ξέρω να ονομάσω τον τύπο: δεν είναι μία ένωση αλλά χωριστά κομμάτια";
inline constexpr std::string_view NoCarbon = "δεν ξέρω να ονομάσω ένωση χωρίς άνθρακα";
inline constexpr std::string_view LongChain =
    "δεν ξέρω να ονομάσω ένωση με περισσότερα από 10 άτομα C στην κύρια αλυσίδα";
inline constexpr std::string_view Branch =
    "δεν ξέρω να ονομάσω διακλάδωση που δεν είναι μεθύλιο, αιθύλιο ή προπύλιο";
inline constexpr std::string_view Alkoxy =
    "δεν ξέρω να ονομάσω αιθέρα με ομάδα που δεν είναι μεθοξυ ή αιθοξυ";
inline constexpr std::string_view EsterAlkyl =
    "δεν ξέρω να ονομάσω εστέρα με αλκύλιο που δεν είναι μεθύλιο, αιθύλιο ή προπύλιο";
inline constexpr std::string_view TwoEsters = "δεν ξέρω να ονομάσω ένωση με δύο εστερικές ομάδες";
inline constexpr std::string_view AmineAlkyls =
    "δεν ξέρω να ονομάσω αμίνη με ομάδες που δεν είναι μεθύλιο, αιθύλιο ή προπύλιο";
inline constexpr std::string_view TooMany = "δεν ξέρω να ονομάσω τόσες ίδιες ομάδες σε μία ένωση";
// … followed by the element's symbol or the group's noun.
inline constexpr std::string_view Element = "δεν ξέρω να ονομάσω ένωση με ";
inline constexpr std::string_view Group = "δεν ξέρω να ονομάσω αυτή την ομάδα του ";
inline constexpr std::string_view NotPrincipal = "δεν ξέρω να ονομάσω ";
inline constexpr std::string_view NotPrincipalEnd = " που δεν είναι η κύρια χαρακτηριστική ομάδα";
} // namespace unnamed

} // namespace chemistry::naming
