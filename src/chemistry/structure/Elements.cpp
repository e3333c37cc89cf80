// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/structure/Elements.h"

#include <array>

namespace chemistry {

namespace {

struct ElementData {
    Element element;
    std::string_view symbol;
    int valence;
    std::string_view name;
};

constexpr std::array<ElementData, 15> Table = {{
    {Element::C, "C", 4, "άνθρακας"},
    {Element::H, "H", 1, "υδρογόνο"},
    {Element::O, "O", 2, "οξυγόνο"},
    {Element::N, "N", 3, "άζωτο"},
    {Element::S, "S", 2, "θείο"},
    {Element::P, "P", 3, "φωσφόρος"},
    {Element::F, "F", 1, "φθόριο"},
    {Element::Cl, "Cl", 1, "χλώριο"},
    {Element::Br, "Br", 1, "βρώμιο"},
    {Element::I, "I", 1, "ιώδιο"},
    {Element::Na, "Na", 1, "νάτριο"},
    {Element::K, "K", 1, "κάλιο"},
    {Element::Li, "Li", 1, "λίθιο"},
    {Element::Mg, "Mg", 2, "μαγνήσιο"},
    {Element::Ca, "Ca", 2, "ασβέστιο"},
}};

const ElementData& dataOf(Element e) {
    return Table[std::size_t(e)];
}

} // namespace

std::string_view symbolOf(Element e) {
    return dataOf(e).symbol;
}

std::optional<Element> elementOf(std::string_view symbol) {
    for (const ElementData& d : Table)
        if (d.symbol == symbol)
            return d.element;
    return std::nullopt;
}

int valenceOf(Element e) {
    return dataOf(e).valence;
}

bool isUsualBondCount(Element e, int bonds) {
    return bonds == valenceOf(e) || (e == Element::P && bonds == 5);
}

std::string_view greekNameOf(Element e) {
    return dataOf(e).name;
}

bool isMasculine(Element e) {
    return e == Element::C || e == Element::P;
}

} // namespace chemistry
