// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/sets/SetNaming.h"

#include "chemistry/naming/Naming.h"
#include "chemistry/structure/StructureReader.h"
#include "content/notation/NotationText.h"

#include <utility>

namespace content {

namespace {

char32_t plainLetter(char32_t c) {
    static constexpr std::pair<char32_t, char32_t> accented[] = {
        {U'ά', U'α'}, {U'έ', U'ε'}, {U'ή', U'η'}, {U'ί', U'ι'}, {U'ό', U'ο'}, {U'ύ', U'υ'},
        {U'ώ', U'ω'}, {U'ϊ', U'ι'}, {U'ΐ', U'ι'}, {U'ϋ', U'υ'}, {U'ΰ', U'υ'}, {U'Ά', U'α'},
        {U'Έ', U'ε'}, {U'Ή', U'η'}, {U'Ί', U'ι'}, {U'Ό', U'ο'}, {U'Ύ', U'υ'}, {U'Ώ', U'ω'}};
    for (const auto& [from, to] : accented)
        if (c == from)
            return to;
    if (c >= U'Α' && c <= U'Ω')
        return c + (U'α' - U'Α');
    return c;
}

std::string quoted(std::string_view text) {
    return "«" + std::string(text) + "»";
}

constexpr std::string_view WriteTheName = " — γράψτε το όνομα της ένωσης";

// The teacher's name beside the program's: silent when it is the program's
// own or one a school also accepts, milder when only the accents differ.
void judgeName(const Compound& c, const chemistry::Structure& s, const std::string& own,
               std::vector<SetProblem>& problems) {
    if (chemistry::isAcceptedName(s, c.name))
        return;
    const std::string written = chemistry::normalizedName(c.name);
    if (withoutAccents(written) == withoutAccents(own)) {
        problems.push_back({c.row, 2,
                            "το όνομα " + quoted(c.name) + " διαφέρει μόνο στους τόνους από " +
                                quoted(own) + ", όπως το γράφει το πρόγραμμα — ελέγξτε τους τόνους",
                            true});
        return;
    }
    problems.push_back({c.row, 2,
                        "το όνομα " + quoted(c.name) +
                            " δεν είναι της ένωσης: το πρόγραμμα ονομάζει την ένωση " +
                            quoted(own) + " — ελέγξτε το όνομα",
                        true});
}

} // namespace

std::u32string withoutAccents(std::string_view utf8) {
    std::u32string out;
    for (const char32_t c : decodeUtf8(utf8))
        if (c != U' ' || out.empty() || out.back() != U' ')
            out += plainLetter(c);
    return out;
}

SetNaming nameSetCompound(Compound& c, std::string_view formulaText) {
    SetNaming out;
    const bool noName = c.name.empty();
    const chemistry::StructureRead read = chemistry::readStructure(formulaText);
    if (!read.ok()) {
        // The card can still draw it; only a missing name needs the reading.
        if (noName)
            out.problems.push_back({c.row, 2,
                                    "λείπει το όνομα και δεν ξέρω να ονομάσω τον τύπο: στον " +
                                        std::to_string(read.problems.front().column) +
                                        "ο χαρακτήρα: " + read.problems.front().message +
                                        std::string(WriteTheName)});
        return out;
    }
    out.canonical = chemistry::canonicalForm(read.structure);
    const chemistry::NameResult named = chemistry::nameCompound(read.structure);
    if (!named.ok()) {
        if (noName)
            out.problems.push_back(
                {c.row, 2, "λείπει το όνομα και " + named.unnamed + std::string(WriteTheName)});
        return out;
    }
    const bool own =
        noName || chemistry::normalizedName(c.name) == chemistry::normalizedName(named.name);
    if (noName)
        c.name = named.name;
    else if (!own)
        judgeName(c, read.structure, named.name, out.problems);
    // The program's explanation goes only with the program's name: under a
    // name of the teacher's own, its parts would not stand in the name.
    if (own)
        for (std::size_t k = 0; k < c.parts.size(); ++k)
            if (c.parts[k].part.empty() && c.parts[k].reason.empty())
                c.parts[k] = {named.sections[k].part, named.sections[k].reason};
    return out;
}

} // namespace content
