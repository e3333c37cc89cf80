// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What must hold of the formula reader's answer to any text at all, checked
// by the randomized test and by the fuzz target alike. Toolkit-free.

#include "chemistry/structure/StructureReader.h"
#include "content/notation/FormulaNotation.h"
#include "content/notation/GreekKeyboard.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

namespace notation_invariants {

// How many atoms of each element but hydrogen.
inline std::map<chemistry::Element, int> heavyAtoms(const chemistry::Structure& s) {
    std::map<chemistry::Element, int> out;
    for (const chemistry::Atom& a : s.atoms)
        ++out[a.element];
    return out;
}

// The keys a text was typed with: look-alikes read, case and spaces left out.
inline std::string keysOf(std::string_view utf8) {
    std::string out;
    for (const content::NotationChar& c : content::readNotationText(utf8).chars)
        out += content::utf8Of(c.c >= U'a' && c.c <= U'z' ? c.c - U'a' + U'A' : c.c);
    return out;
}

// Empty when every formula a problem proposes is accepted and leads to the
// same compound: the same atoms when it writes out shorthand, case or a
// Greek keyboard's letters; other hydrogens only when it fixes bonds.
inline std::string suggestionViolation(std::string_view text, const content::FormulaParse& parsed) {
    // Read as the notation's characters: a stray byte is a problem of its own.
    // Read once: every problem of a formula may carry the same suggestion.
    std::string written;
    for (const content::NotationChar& c : content::readNotationText(text).chars)
        written += content::utf8Of(c.c);
    const chemistry::StructureRead before = chemistry::readStructure(written);
    const bool bondsOnly = !before.structure.atoms.empty() &&
                           std::all_of(before.problems.begin(), before.problems.end(),
                                       [](const auto& b) { return !b.suggestion.empty(); });
    std::string checked;
    for (const content::NotationProblem& p : parsed.problems) {
        if (p.suggestion.empty() || p.suggestion == checked)
            continue;
        checked = p.suggestion;
        const std::string quoted = "the suggestion \"" + p.suggestion + "\"";
        if (!content::parseFormula(p.suggestion).ok())
            return quoted + " is refused";
        const chemistry::StructureRead after = chemistry::readStructure(p.suggestion);
        if (before.ok()) {
            if (!chemistry::sameCompound(before.structure, after.structure))
                return quoted + " is another compound";
        } else if (bondsOnly) {
            if (heavyAtoms(before.structure) != heavyAtoms(after.structure))
                return quoted + " changes more than hydrogens";
        } else {
            std::string typed;
            for (const char32_t c : content::decodeUtf8(text))
                typed += content::utf8Of(content::latinKeyOf(c));
            const std::string keys = keysOf(p.suggestion);
            if (keys != keysOf(text) && keys != keysOf(typed))
                return quoted + " is not what was typed";
        }
    }
    return {};
}

// Empty when the answer is sound; else what is wrong with it.
inline std::string violation(std::string_view text, const content::FormulaParse& parsed) {
    using namespace content;
    // A column counts code points, and a byte that begins none counts one:
    // never more columns than bytes (an empty text's problem stands at 1).
    const int last = std::max(1, int(text.size()));
    for (const NotationProblem& p : parsed.problems) {
        if (p.message.empty())
            return "a problem without words";
        if (p.column < 1 || p.column > last)
            return "column " + std::to_string(p.column) + " outside the text";
    }
    if (!parsed.ok())
        return suggestionViolation(text, parsed);
    const FormulaDescription& f = parsed.formula;
    if (f.mainRow.empty() || f.mainRow.front().isBond || f.mainRow.back().isBond)
        return "an accepted formula that is empty or begins or ends with a bond";
    int atoms = 0;
    for (std::size_t i = 0; i < f.mainRow.size(); ++i) {
        const RowItem& item = f.mainRow[i];
        if (item.isBond && i > 0 && f.mainRow[i - 1].isBond)
            return "two bonds in a row accepted";
        if (!item.isBond && item.text.empty())
            return "an empty group";
        atoms += item.isBond ? 0 : atomCount(item.text);
    }
    for (std::size_t i = 0; i < f.branches.size(); ++i) {
        const Branch& b = f.branches[i];
        if (b.atom < 1 || b.atom > atoms || b.group.empty())
            return "a branch on no atom of the row";
        int before = 0, same = 0;
        for (std::size_t j = 0; j < f.branches.size(); ++j) {
            before += j < i && f.branches[j].atom == b.atom ? 1 : 0;
            same += f.branches[j].atom == b.atom ? 1 : 0;
        }
        if (same > 2 || b.above != (before == 1))
            return "branches on one atom not one below, one above";
    }
    // What the reader accepts it can write back, and reads back the same.
    const std::string written = writeNotation(f);
    const FormulaParse again = parseFormula(written);
    if (!again.ok() || !(again.formula == f))
        return "written back as \"" + written + "\" it reads otherwise";
    return {};
}

} // namespace notation_invariants
