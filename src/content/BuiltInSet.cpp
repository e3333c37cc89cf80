// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/BuiltInSet.h"

#include "content/Catalogue.h"
#include "content/FormulaDescriptions.h"
#include "content/Pairing.h"
#include "shared/ExerciseTitle.h"

namespace content {

CompoundSet builtInSet() {
    const auto catalogue = compoundCatalogue();
    CompoundSet set;
    set.title = exerciseTitle().toStdString();
    for (int f = 0; f < FormulaCount; ++f) {
        const NameInfo& n = catalogue[std::size_t(CorrectNameForFormula[std::size_t(f)])];
        Compound c;
        c.formulaText = std::string(BuiltInFormulaNotation[std::size_t(f)]);
        c.formula = formulaDescriptions()[std::size_t(f)];
        c.name = n.FullName.toStdString();
        c.parts = {NamePart{n.CarbonPart.toStdString(), n.CarbonReason.toStdString()},
                   NamePart{n.BondPart.toStdString(), n.BondReason.toStdString()},
                   NamePart{n.ClassPart.toStdString(), n.ClassReason.toStdString()},
                   NamePart{n.PositionPart.toStdString(), n.PositionReason.toStdString()}};
        c.row = f + 3;
        set.compounds.push_back(std::move(c));
    }
    return set;
}

} // namespace content
