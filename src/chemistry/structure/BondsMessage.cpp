// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/structure/BondsMessage.h"

#include "chemistry/structure/Elements.h"

namespace chemistry {

namespace {

// "ο 2ος άνθρακας", "το 1ο οξυγόνο": which one of its element from the left.
std::string atomCalled(const Structure& s, const std::vector<int>& columns, int atom) {
    const Element e = s.atoms[std::size_t(atom)].element;
    const int column = columns[std::size_t(atom)];
    int number = 1;
    for (int other = 0; other < int(s.atoms.size()); ++other) {
        const int at = columns[std::size_t(other)];
        const bool before = at < column || (at == column && other < atom);
        if (before && s.atoms[std::size_t(other)].element == e)
            ++number;
    }
    const bool masculine = isMasculine(e);
    return std::string(masculine ? "ο " : "το ") + std::to_string(number) +
           (masculine ? "ος " : "ο ") + std::string(greekNameOf(e));
}

std::string withHydrogens(Element e, int hydrogens) {
    std::string out(symbolOf(e));
    if (hydrogens > 0)
        out += "H";
    if (hydrogens > 1)
        out += std::to_string(hydrogens);
    return out;
}

} // namespace

std::string bondsMessage(const Structure& s, const std::vector<int>& columns, int atom) {
    const Atom& a = s.atoms[std::size_t(atom)];
    const int bonds = s.bondsOf(atom);
    const int others = bonds - a.hydrogens;
    const int usual = valenceOf(a.element);
    std::string message =
        atomCalled(s, columns, atom) + " (" + withHydrogens(a.element, a.hydrogens) + ") έχει " +
        std::to_string(bonds) + (bonds == 1 ? " δεσμό" : " δεσμούς") + ", ενώ " +
        (isMasculine(a.element) ? "ένας " : "ένα ") + std::string(greekNameOf(a.element)) +
        " έχει " + std::to_string(usual) + (a.element == Element::P ? " ή 5" : "") + " — ";
    if (others <= usual)
        message += "γράψτε " + withHydrogens(a.element, usual - others);
    else
        message += "αφαιρέστε δεσμούς ή διακλαδώσεις";
    return message;
}

} // namespace chemistry
